// Entry point of the Vardex guard: the Windows service that runs the program and keeps its
// face in the console session. As a command: /install [early|standard|off|kept], /uninstall,
// /start, /stop.
#include <windows.h>

#include <wtsapi32.h>

#include <atomic>
#include <cstring>
#include <string>

#include "app/guard_service.h"
#include "app/guard_setup.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_service.h"

namespace {

// What the control handler, on the service dispatcher's thread, shares with the service.
struct ServiceState {
    SERVICE_STATUS_HANDLE handle = nullptr;
    std::atomic<HWND> window{nullptr};
};

void report(ServiceState& state, DWORD current, DWORD exit_code = NO_ERROR) {
    SERVICE_STATUS status{};
    status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
    status.dwCurrentState = current;
    status.dwControlsAccepted =
        current == SERVICE_RUNNING
            ? SERVICE_ACCEPT_STOP | SERVICE_ACCEPT_SHUTDOWN | SERVICE_ACCEPT_SESSIONCHANGE
            : 0;
    status.dwWin32ExitCode = exit_code;
    status.dwWaitHint = current == SERVICE_RUNNING ? 0 : 5000;
    SetServiceStatus(state.handle, &status);
}

DWORD WINAPI control_handler(DWORD control, DWORD event_type, void* event_data, void* context) {
    auto* state = static_cast<ServiceState*>(context);
    const HWND window = state->window.load();
    switch (control) {
        case SERVICE_CONTROL_STOP:
        case SERVICE_CONTROL_SHUTDOWN:
            report(*state, SERVICE_STOP_PENDING);
            PostMessageA(window, vardex::GuardService::stop_message, 0, 0);
            return NO_ERROR;
        case SERVICE_CONTROL_SESSIONCHANGE:
            PostMessageA(window, vardex::GuardService::session_message, event_type,
                         static_cast<LPARAM>(
                             static_cast<WTSSESSION_NOTIFICATION*>(event_data)->dwSessionId));
            return NO_ERROR;
        case SERVICE_CONTROL_INTERROGATE:
            return NO_ERROR;
        default:
            // Local users may send user-defined codes to any service: none is honoured.
            return ERROR_CALL_NOT_IMPLEMENTED;
    }
}

void WINAPI service_main(DWORD, char**) {
    ServiceState state;
    state.handle =
        RegisterServiceCtrlHandlerExA(vardex::guard_service_name, control_handler, &state);
    if (state.handle == nullptr) {
        return;
    }
    {
        vardex::GuardService service;
        state.window = service.window();
        report(state, SERVICE_RUNNING);
        service.run();
    }
    report(state, SERVICE_STOPPED);
}

// Libraries are loaded from the system folder only, never from the current or the
// installation folder.
void load_libraries_from_system_only() {
    using SetDirs = BOOL(WINAPI*)(DWORD);
    const HMODULE kernel = GetModuleHandleA("kernel32.dll");
    const auto set_dirs = reinterpret_cast<SetDirs>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
    if (set_dirs != nullptr) {
        set_dirs(LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
}

}  // namespace

int main(int argc, char** argv) {
    load_libraries_from_system_only();
    if (argc > 1) {
        const std::string command = argv[1];
        if (command == "/install") {
            // "kept": the mode the settings kept on this machine ask for, early on a first
            // installation (what the installers pass).
            const std::string mode = argc > 2 ? argv[2] : "early";
            std::optional<vardex::StartMode> chosen;
            if (mode == "kept") {
                vardex::win32::Win32Registry registry;
                chosen = vardex::kept_start_mode(registry).value_or(vardex::StartMode::early);
            } else if (mode == "early") {
                chosen = vardex::StartMode::early;
            } else if (mode == "standard") {
                chosen = vardex::StartMode::standard;
            } else if (mode == "off") {
                chosen = vardex::StartMode::off;
            }
            if (!chosen) {
                return 2;
            }
            return vardex::install_guard(*chosen) ? 0 : 1;
        }
        if (command == "/uninstall") {
            // "settings": the settings go as well (what an uninstall asked to remove them runs).
            const std::string what = argc > 2 ? argv[2] : "";
            if (!what.empty() && what != "settings") {
                return 2;
            }
            return vardex::uninstall_guard(what == "settings" ? vardex::KeepSettings::no
                                                              : vardex::KeepSettings::yes)
                       ? 0
                       : 1;
        }
        if (command == "/start") {
            return vardex::restart_guard() ? 0 : 1;
        }
        if (command == "/stop") {
            return vardex::win32::stop_guard_service() ? 0 : 1;
        }
        return 2;
    }
    char name[64];
    std::strcpy(name, vardex::guard_service_name);
    const SERVICE_TABLE_ENTRYA table[] = {{name, service_main}, {nullptr, nullptr}};
    return StartServiceCtrlDispatcherA(table) ? 0 : 1;
}
