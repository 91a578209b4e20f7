#include "platform/win32/win32_session.h"

#include <sddl.h>
#include <shlobj.h>
#include <userenv.h>
#include <wtsapi32.h>

#include <vector>

#include "platform/win32/win32_service.h"
#include "platform/win32/win32_startup.h"

namespace vardex::win32 {

namespace {

// "S-1-5-21-…" of the token's user, or empty.
std::string user_sid_text(HANDLE token) {
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<unsigned char> buffer(size);
    if (size == 0 || !GetTokenInformation(token, TokenUser, buffer.data(), size, &size)) {
        return {};
    }
    char* text = nullptr;
    if (!ConvertSidToStringSidA(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &text)) {
        return {};
    }
    std::string sid(text);
    LocalFree(text);
    return sid;
}

}  // namespace

UniqueHandle session_user_token(DWORD session) {
    HANDLE token = nullptr;
    if (!WTSQueryUserToken(session, &token)) {
        return UniqueHandle();
    }
    return UniqueHandle(token);
}

std::optional<DWORD> console_session_with_user() {
    const DWORD session = WTSGetActiveConsoleSessionId();
    if (session == 0xFFFFFFFF || !session_user_token(session)) {
        return std::nullopt;
    }
    // A guard restarted after a failure missed the logon: the list of sessions tells whether
    // the console's is active (some systems list none; then its user's token must do).
    WTS_SESSION_INFOA* sessions = nullptr;
    DWORD count = 0;
    bool active = true;
    if (WTSEnumerateSessionsA(WTS_CURRENT_SERVER_HANDLE, 0, 1, &sessions, &count)) {
        for (DWORD i = 0; i < count; ++i) {
            if (sessions[i].SessionId == session) {
                active = sessions[i].State == WTSActive;
            }
        }
        WTSFreeMemory(sessions);
    }
    if (!active) {
        return std::nullopt;
    }
    return session;
}

std::optional<UserProcess> start_as_session_user(DWORD session, const std::string& application,
                                                 const std::string& command_line) {
    UniqueHandle token = session_user_token(session);
    if (!token) {
        return std::nullopt;
    }
    void* environment = nullptr;
    if (!CreateEnvironmentBlock(&environment, token.get(), FALSE)) {
        environment = nullptr;
    }
    STARTUPINFOA si{};
    si.cb = sizeof si;
    char desktop[] = "winsta0\\default";
    si.lpDesktop = desktop;
    PROCESS_INFORMATION pi{};
    std::string line = command_line;
    const BOOL ok = CreateProcessAsUserA(
        token.get(), application.c_str(), line.data(), nullptr, nullptr, FALSE,
        CREATE_UNICODE_ENVIRONMENT | NORMAL_PRIORITY_CLASS, environment, nullptr, &si, &pi);
    if (environment != nullptr) {
        DestroyEnvironmentBlock(environment);
    }
    if (!ok) {
        return std::nullopt;
    }
    CloseHandle(pi.hThread);
    UserProcess started;
    started.process.reset(pi.hProcess);
    started.pid = pi.dwProcessId;
    return started;
}

UniqueFile create_session_pipe(const std::string& name, DWORD session) {
    UniqueHandle token = session_user_token(session);
    const std::string sid = token ? user_sid_text(token.get()) : std::string{};
    if (sid.empty()) {
        return UniqueFile();
    }
    // Protected: nothing inherited; SYSTEM all, the session's user read and write.
    std::string sddl = "D:P(A;;GA;;;SY)(A;;GRGW;;;";
    sddl.append(sid).push_back(')');
    PSECURITY_DESCRIPTOR sd = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl.c_str(), SDDL_REVISION_1, &sd,
                                                              nullptr)) {
        return UniqueFile();
    }
    SECURITY_ATTRIBUTES sa{sizeof sa, sd, FALSE};
    HANDLE pipe = CreateNamedPipeA(
        name.c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
        PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1, 1 << 16,
        1 << 16, 0, &sa);
    LocalFree(sd);
    return UniqueFile(pipe);
}

DWORD wait_for_pipe_client(HANDLE pipe, DWORD timeout_ms, void (*pump)(void*), void* context) {
    UniqueHandle connected(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    OVERLAPPED ov{};
    ov.hEvent = connected.get();
    bool ok = ConnectNamedPipe(pipe, &ov) != 0;
    if (!ok) {
        const DWORD error = GetLastError();
        if (error == ERROR_PIPE_CONNECTED) {
            ok = true;
        } else if (error == ERROR_IO_PENDING) {
            const ULONGLONG start = GetTickCount64();
            while (WaitForSingleObject(connected.get(), 0) == WAIT_TIMEOUT &&
                   GetTickCount64() - start < timeout_ms) {
                pump(context);
            }
            DWORD ignored = 0;
            if (WaitForSingleObject(connected.get(), 0) != WAIT_OBJECT_0) {
                CancelIoEx(pipe, &ov);
            }
            ok = GetOverlappedResult(pipe, &ov, &ignored, TRUE) != 0;
        }
    }
    ULONG pid = 0;
    if (!ok || !GetNamedPipeClientProcessId(pipe, &pid)) {
        return 0;
    }
    return pid;
}

bool guard_service_running() {
    return service_running(guard_service_name);
}

bool disconnect_session(DWORD session) {
    return WTSDisconnectSession(WTS_CURRENT_SERVER_HANDLE, session, FALSE) != 0;
}

void report_guard_event(const std::string& text) {
    HANDLE source = RegisterEventSourceA(nullptr, guard_event_source);
    if (source == nullptr) {
        return;
    }
    const char* strings[] = {text.c_str()};
    ReportEventA(source, EVENTLOG_WARNING_TYPE, 0, 1, nullptr, 1, 0, strings, nullptr);
    DeregisterEventSource(source);
}

std::string guard_data_folder() {
    char base[MAX_PATH] = {};
    if (FAILED(
            SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, base))) {
        return {};
    }
    std::string folder(base);
    folder.append("\\Vardex");
    PSECURITY_DESCRIPTOR sd = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(
            "D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;FRFX;;;BU)", SDDL_REVISION_1, &sd,
            nullptr)) {
        return {};
    }
    SECURITY_ATTRIBUTES sa{sizeof sa, sd, FALSE};
    const bool made =
        CreateDirectoryA(folder.c_str(), &sa) || GetLastError() == ERROR_ALREADY_EXISTS;
    LocalFree(sd);
    return made ? folder : std::string{};
}

}  // namespace vardex::win32
