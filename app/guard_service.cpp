#include "app/guard_service.h"

#include <wtsapi32.h>

#include <array>
#include <cstdio>

#include "platform/person_files.h"
#include "platform/win32/win32_user_files.h"
#include "settings/setting_table.h"

namespace vardex {

namespace {
constexpr char service_window_class[] = "VardexGuardService";
constexpr UINT face_ended_message = WM_APP + 22;
constexpr UINT program_exited_message = WM_APP + 23;
constexpr UINT_PTR tick_timer = 1;
constexpr UINT_PTR exit_retry_timer = 2;
constexpr UINT_PTR face_end_timer = 3;
// How long a new face may take to open its pipe.
constexpr DWORD face_connect_ms = 10000;
// The program the face runs, whose file the program guards.
constexpr char face_program[] = "vado41";

std::string program_folder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}
}  // namespace

// The program while it runs: its windows and desktop are the mirror's.
// The files a person names are opened as the served session's user.
struct GuardService::Running {
    Running(Platform& base, const std::string& own_folder, const DWORD& session)
        : mirror(base.windows(), base.desktop()),
          user_files(base.files(), [&session] { return win32::session_user_token(session); }),
          person_files(base.files(), user_files, own_folder, {std::string(default_log_path())}),
          platform(base, mirror, person_files),
          program(platform) {}
    remote::Mirror mirror;
    win32::UserFiles user_files;
    PersonFiles person_files;
    remote::MirroredPlatform platform;
    Program program;
};

// The face now showing the program: its process, and the link over its pipe.
struct GuardService::Face {
    win32::UserProcess process;
    std::unique_ptr<win32::Win32PipeLink> link;
    HANDLE wait = nullptr;
    GuardService* service = nullptr;
    unsigned generation = 0;
};

GuardService::GuardService() : own_folder_(win32::guard_data_folder() + "\\") {
    base_.win32_files().set_work_folder(own_folder_);
    base_.win32_files().set_program_name(face_program);
    base_.win32_desktop().set_instances(win32::Win32Desktop::Instances::this_is_the_guard);
    WNDCLASSA wc{};
    wc.lpfnWndProc = window_proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = service_window_class;
    RegisterClassA(&wc);
    window_.reset(CreateWindowExA(0, service_window_class, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  wc.hInstance, nullptr));
    SetWindowLongPtrA(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

GuardService::~GuardService() {
    end_face();
    running_.reset();
}

std::int64_t GuardService::now() {
    return static_cast<std::int64_t>(GetTickCount64());
}

int GuardService::run() {
    guard_.start(now());
    SetTimer(window_.get(), tick_timer, static_cast<UINT>(guard::Guard::tick_ms), nullptr);
    return base_.win32_windows().run();
}

std::optional<guard::SessionId> GuardService::console_session() {
    return win32::console_session_with_user();
}

void GuardService::start_program() {
    if (running_) {
        return;
    }
    running_ = std::make_unique<Running>(base_, own_folder_, served_session_);
    running_->mirror.set_on_quit(
        [this](int) { PostMessageA(window_.get(), program_exited_message, 0, 0); });
    running_->mirror.on_heartbeat = [this] { guard_.heartbeat_answered(now()); };
    running_->mirror.set_on_layout_stale([this] { running_->program.lifecycle.lay_out_again(); });
    running_->program.start();
}

bool GuardService::start_face(guard::SessionId session) {
    end_face();
    served_session_ = session;
    if (!running_) {
        return false;
    }
    // A name nobody can know beforehand, so nobody can hold it first.
    std::array<std::uint8_t, 16> token{};
    base_.secure_random().fill(token);
    std::string name = "\\\\.\\pipe\\VardexFace-";
    for (std::uint8_t b : token) {
        char hex[3];
        std::snprintf(hex, sizeof hex, "%02x", b);
        name += hex;
    }
    win32::UniqueFile pipe = win32::create_session_pipe(name, session);
    if (!pipe) {
        return false;
    }
    const std::string exe = program_folder() + face_program + ".exe";
    std::string command_line(1, '"');
    command_line.append(exe).append("\" /face ").append(name);
    std::optional<win32::UserProcess> process =
        win32::start_as_session_user(session, exe, command_line);
    if (!process) {
        return false;
    }
    const DWORD client = win32::wait_for_pipe_client(
        pipe.get(), face_connect_ms,
        [](void* self) { static_cast<GuardService*>(self)->base_.win32_windows().do_events(); },
        this);
    // Only the process we started may speak for the person.
    if (client != process->pid) {
        TerminateProcess(process->process.get(), 1);
        return false;
    }
    auto face = std::make_unique<Face>();
    face->process = std::move(*process);
    face->service = this;
    face->generation = ++face_generation_;
    face->link = std::make_unique<win32::Win32PipeLink>(
        pipe.release(), base_.win32_windows(),
        [this](std::string_view frame) {
            return running_ ? running_->mirror.receive(frame) : std::string{};
        },
        true);
    // A face that stops reading costs a few seconds, not the guard.
    face->link->set_call_timeout_ms(5000);
    const unsigned generation = face->generation;
    face->link->on_broken = [this, generation] {
        PostMessageA(window_.get(), face_ended_message, generation, 0);
    };
    face_ = std::move(face);
    RegisterWaitForSingleObject(&face_->wait, face_->process.process.get(), face_process_ended,
                                face_.get(), INFINITE, WT_EXECUTEONLYONCE);
    running_->mirror.connect(face_->link.get());
    return true;
}

void CALLBACK GuardService::face_process_ended(void* context, BOOLEAN) {
    auto* face = static_cast<Face*>(context);
    PostMessageA(face->service->window_.get(), face_ended_message, face->generation, 0);
}

void GuardService::end_face() {
    if (!face_) {
        return;
    }
    if (running_) {
        running_->mirror.connect(nullptr);
    }
    if (face_->wait != nullptr) {
        UnregisterWaitEx(face_->wait, INVALID_HANDLE_VALUE);
    }
    TerminateProcess(face_->process.process.get(), 1);
    face_->link->on_broken = nullptr;
    retired_links_.push_back(std::move(face_->link));
    face_.reset();
}

void GuardService::ping_face() {
    if (running_) {
        running_->mirror.send_heartbeat();
    }
}

void GuardService::disconnect(guard::SessionId session) {
    end_face();
    win32::disconnect_session(session);
}

void GuardService::log_event(std::string_view text) {
    win32::report_guard_event(std::string(text));
    // The same line in the guard's own log, which an administrator can read without the
    // event viewer.
    const std::string folder = win32::guard_data_folder();
    if (folder.empty()) {
        return;
    }
    SYSTEMTIME t;
    GetLocalTime(&t);
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04u-%02u-%02u %02u:%02u:%02u ", t.wYear, t.wMonth, t.wDay,
                  t.wHour, t.wMinute, t.wSecond);
    std::string line(stamp);
    line.append(text).append("\r\n");
    win32::UniqueFile log(CreateFileA((folder + "\\guard.log").c_str(), FILE_APPEND_DATA,
                                      FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                      nullptr));
    DWORD written = 0;
    if (log) {
        WriteFile(log.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    }
}

bool GuardService::machine_blocked() {
    return running_ && running_->program.mode.get() == ProgramMode::blocked;
}

LRESULT CALLBACK GuardService::window_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<GuardService*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    return self != nullptr ? self->handle(msg, wp, lp) : DefWindowProcA(hwnd, msg, wp, lp);
}

LRESULT GuardService::handle(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_TIMER:
            if (wp == exit_retry_timer) {
                KillTimer(window_.get(), exit_retry_timer);
                PostMessageA(window_.get(), program_exited_message, 0, 0);
            } else if (wp == face_end_timer) {
                if (!guard_.starting()) {
                    KillTimer(window_.get(), face_end_timer);
                    guard_.face_ended(now());
                }
            } else if (wp == tick_timer) {
                std::erase_if(retired_links_, [](const auto& link) { return !link->calling(); });
                guard_.tick(now());
            }
            return 0;
        case face_ended_message:
            if (face_ && face_->generation == wp) {
                end_face();
                if (guard_.starting()) {
                    // Ended while its start still runs (its first windows take a while): the
                    // guard hears of it when the start is over, or it would wait for a face
                    // that is gone until the face counts as hung.
                    SetTimer(window_.get(), face_end_timer, 10, nullptr);
                } else {
                    guard_.face_ended(now());
                }
            }
            return 0;
        case program_exited_message:
            // The program is not ended under a handler of its own that waits for the face:
            // that handler would go on in a program that is gone.
            if (base_.win32_windows().waiting()) {
                SetTimer(window_.get(), exit_retry_timer, 10, nullptr);
                return 0;
            }
            guard_.program_exited();
            running_.reset();
            return 0;
        case session_message: {
            const auto session = static_cast<guard::SessionId>(lp);
            switch (wp) {
                case WTS_CONSOLE_CONNECT:
                    guard_.session_changed(guard::SessionEvent::console_connect, session, now());
                    break;
                case WTS_CONSOLE_DISCONNECT:
                    guard_.session_changed(guard::SessionEvent::console_disconnect, session, now());
                    break;
                case WTS_SESSION_LOGON:
                    guard_.session_changed(guard::SessionEvent::logon, session, now());
                    break;
                case WTS_SESSION_LOGOFF:
                    guard_.session_changed(guard::SessionEvent::logoff, session, now());
                    break;
                default:
                    break;
            }
            return 0;
        }
        case stop_message:
            // The program ends after the loop, when no handler of its own is on the stack.
            end_face();
            base_.win32_windows().quit(0);
            return 0;
        default:
            return DefWindowProcA(window_.get(), msg, wp, lp);
    }
}

}  // namespace vardex
