#include "platform/win32/win32_desktop.h"

#include <commdlg.h>
#include <windows.h>

#include <vector>

#include "platform/input_box_form.h"
#include "platform/system_keys.h"
#include "platform/win32/win32_windows.h"

namespace vardex::win32 {

namespace {

HWND hwnd(WindowId id) {
    return reinterpret_cast<HWND>(id);
}
WindowId id_of(HWND h) {
    return reinterpret_cast<WindowId>(h);
}

// The filter as the common dialog wants it: pairs separated by NULs, ended by two.
std::string dialog_filter(const std::string& filter) {
    if (filter.empty()) {
        return std::string("All files (*.*)\0*.*\0\0", 22);
    }
    std::string out = filter;
    for (char& c : out) {
        if (c == '|') {
            c = '\0';
        }
    }
    out.push_back('\0');
    out.push_back('\0');
    return out;
}

// The system's event callback carries no context of ours: the hooks name their desktop here.
// Only the program's one UI thread installs hooks and receives their events.
std::vector<std::pair<HWINEVENTHOOK, Win32Desktop*>>& hook_owners() {
    static std::vector<std::pair<HWINEVENTHOOK, Win32Desktop*>> owners;
    return owners;
}

}  // namespace

Win32Desktop::~Win32Desktop() {
    std::erase_if(hook_owners(), [this](const auto& entry) { return entry.second == this; });
}

bool Win32Desktop::watch_windows(std::function<void(WindowChange, WindowId)> changed) {
    window_changed_ = std::move(changed);
    // Some window systems (Wine) send no window events; losing the activation is the report
    // there. Which window came in front is asked by the receiver.
    windows_.on_lost_to_other_program = [this] {
        if (window_changed_) {
            window_changed_(WindowChange::foreground, 0);
        }
    };
    // Out of context: the events come as messages to this thread's loop, from every process.
    foreground_hook_.reset(SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND,
                                           nullptr, &Win32Desktop::on_win_event, 0, 0,
                                           WINEVENT_OUTOFCONTEXT));
    title_hook_.reset(SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr,
                                      &Win32Desktop::on_win_event, 0, 0, WINEVENT_OUTOFCONTEXT));
    show_hook_.reset(SetWinEventHook(EVENT_OBJECT_SHOW, EVENT_OBJECT_SHOW, nullptr,
                                     &Win32Desktop::on_win_event, 0, 0, WINEVENT_OUTOFCONTEXT));
    auto& owners = hook_owners();
    std::erase_if(owners, [this](const auto& entry) { return entry.second == this; });
    for (const UniqueWinEventHook* hook : {&foreground_hook_, &title_hook_, &show_hook_}) {
        if (*hook) {
            owners.emplace_back(hook->get(), this);
        }
    }
    return foreground_hook_ && title_hook_;
}

void CALLBACK Win32Desktop::on_win_event(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object,
                                         LONG child, DWORD, DWORD) {
    if (window == nullptr || object != OBJID_WINDOW || child != CHILDID_SELF) {
        return;  // a caret, a list item, a scroll bar: not a window's title
    }
    if (event == EVENT_OBJECT_SHOW && GetAncestor(window, GA_ROOT) != window) {
        return;  // a control in a window
    }
    const WindowChange change = event == EVENT_SYSTEM_FOREGROUND ? WindowChange::foreground
                                : event == EVENT_OBJECT_SHOW     ? WindowChange::shown
                                                                 : WindowChange::title;
    for (const auto& [owner_hook, owner] : hook_owners()) {
        if (owner_hook == hook && owner->window_changed_) {
            owner->window_changed_(change, id_of(window));
            return;
        }
    }
}

Size Win32Desktop::screen_size_twips() {
    return Size{GetSystemMetrics(SM_CXSCREEN) * twips_per_pixel_x(),
                GetSystemMetrics(SM_CYSCREEN) * twips_per_pixel_y()};
}

Rect Win32Desktop::virtual_screen_pixels() {
    const int x = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int y = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return Rect{x, y, x + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                y + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

WindowId Win32Desktop::foreground_window() {
    return id_of(GetForegroundWindow());
}

std::string Win32Desktop::window_text(WindowId window) {
    const int length = GetWindowTextLengthA(hwnd(window));
    if (length <= 0) {
        return {};
    }
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
    const int n = GetWindowTextA(hwnd(window), buffer.data(), length + 1);
    return std::string(buffer.data(), static_cast<std::size_t>(n > 0 ? n : 0));
}

bool Win32Desktop::post_close(WindowId window) {
    return PostMessageA(hwnd(window), WM_SYSCOMMAND, SC_CLOSE, 0) != FALSE;
}

WindowId Win32Desktop::window_from_point(Point p) {
    return id_of(WindowFromPoint(POINT{p.x, p.y}));
}

Rect Win32Desktop::window_rect(WindowId window) {
    RECT r{};
    GetWindowRect(hwnd(window), &r);
    return Rect{r.left, r.top, r.right, r.bottom};
}

Point Win32Desktop::cursor_pos() {
    POINT p{};
    GetCursorPos(&p);
    return Point{p.x, p.y};
}

void Win32Desktop::set_cursor_pos(Point pos) {
    SetCursorPos(pos.x, pos.y);
}

void Win32Desktop::clip_cursor(const Rect* rect) {
    if (rect == nullptr) {
        ClipCursor(nullptr);
        return;
    }
    const RECT r{rect->left, rect->top, rect->right, rect->bottom};
    ClipCursor(&r);
}

std::optional<Rect> Win32Desktop::cursor_clip() {
    RECT r{};
    if (!GetClipCursor(&r)) {
        return std::nullopt;
    }
    const Rect clip{r.left, r.top, r.right, r.bottom};
    if (clip == virtual_screen_pixels()) {
        return std::nullopt;
    }
    return clip;
}

void Win32Desktop::capture_mouse(WindowId window) {
    SetCapture(hwnd(window));
}

void Win32Desktop::release_mouse() {
    ReleaseCapture();
}

void Win32Desktop::hold_system_keys(bool on) {
    if (on && !key_hook_) {
        key_hook_ = std::make_unique<KeyHookThread>();
    } else if (!on) {
        key_hook_.reset();
    }
}

void Win32Desktop::set_system_keys_locked(bool locked) {
    BOOL old = FALSE;
    SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, locked ? TRUE : FALSE, &old, 0);
}

bool Win32Desktop::force_shut_down() {
    HANDLE token = nullptr;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
        UniqueHandle owned(token);
        TOKEN_PRIVILEGES privileges{};
        privileges.PrivilegeCount = 1;
        privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        if (LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid)) {
            AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
        }
    }
    return ExitWindowsEx(EWX_SHUTDOWN | EWX_FORCE, 0) != FALSE;
}

void Win32Desktop::beep() {
    MessageBeep(MB_OK);
}

bool Win32Desktop::instance_running(std::string_view name) {
    // The lock lives as long as its process: opening it means that process still runs.
    UniqueHandle mutex(OpenMutexA(SYNCHRONIZE, FALSE, std::string(name).c_str()));
    // A lock we may not open is held all the same.
    return mutex || GetLastError() == ERROR_ACCESS_DENIED;
}

bool Win32Desktop::claim_single_instance(std::string_view name) {
    if (instances_ != Instances::named_lock) {
        return instances_ == Instances::this_is_the_guard;
    }
    SetLastError(ERROR_SUCCESS);
    UniqueHandle mutex(CreateMutexA(nullptr, TRUE, std::string(name).c_str()));
    if (!mutex) {
        return false;
    }
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        return false;
    }
    instance_mutex_ = std::move(mutex);
    return true;
}

void Win32Desktop::message_box(std::string_view text, std::string_view caption) {
    MessageBoxA(nullptr, std::string(text).c_str(), std::string(caption).c_str(),
                MB_OK | MB_TOPMOST | MB_SETFOREGROUND | MB_TASKMODAL);
}

bool Win32Desktop::yes_no_box(std::string_view text, std::string_view caption) {
    return MessageBoxA(nullptr, std::string(text).c_str(), std::string(caption).c_str(),
                       MB_YESNO | MB_ICONQUESTION | MB_TOPMOST | MB_SETFOREGROUND | MB_TASKMODAL) ==
           IDYES;
}

std::string Win32Desktop::input_box(std::string_view prompt, std::string_view title,
                                    std::string_view initial) {
    InputBoxForm box(prompt, title, initial);
    const Size screen = screen_size_twips();
    box.set_left((screen.width - box.width()) / 2);
    box.set_top((screen.height - box.height()) / 2);
    windows_.attach(box);
    box.show();
    box.make_topmost();
    box.text.set_focus();
    windows_.run_until([&box] { return box.done; });
    return box.accepted ? box.text.text() : std::string{};
}

std::optional<std::string> Win32Desktop::file_dialog(const FileDialogRequest& request) {
    std::vector<char> file(MAX_PATH * 4, '\0');
    request.initial_name.copy(file.data(), file.size() - 1);
    const std::string filter = dialog_filter(request.filter);
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = GetActiveWindow();
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrTitle = request.title.empty() ? nullptr : request.title.c_str();
    ofn.Flags = OFN_EXPLORER;
    if (request.overwrite_prompt)
        ofn.Flags |= OFN_OVERWRITEPROMPT;
    if (request.hide_read_only)
        ofn.Flags |= OFN_HIDEREADONLY;
    if (request.path_must_exist)
        ofn.Flags |= OFN_PATHMUSTEXIST;
    if (request.file_must_exist)
        ofn.Flags |= OFN_FILEMUSTEXIST;
    const BOOL ok = request.kind == FileDialogRequest::Kind::save ? GetSaveFileNameA(&ofn)
                                                                  : GetOpenFileNameA(&ofn);
    if (!ok) {
        return std::nullopt;
    }
    return std::string(file.data());
}

}  // namespace vardex::win32
