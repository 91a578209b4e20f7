#include "platform/win32/win32_windows.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>

#include "platform/controls.h"
#include "platform/win32/dpi.h"
#include "platform/win32/win32_form_peer.h"

namespace vardex::win32 {

namespace {

// Counts the message loops running inside a handler.
class NestedLoop {
  public:
    explicit NestedLoop(int& depth) : depth_(depth) { ++depth_; }
    ~NestedLoop() { --depth_; }
    NestedLoop(const NestedLoop&) = delete;
    NestedLoop& operator=(const NestedLoop&) = delete;

  private:
    int& depth_;
};

constexpr char form_class[] = "VardexForm";

}  // namespace

Win32Windows::Win32Windows() : twips_per_pixel_(twips_per_pixel_at(system_dpi())) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES |
                                             ICC_LISTVIEW_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    WNDCLASSA wc{};
    wc.lpfnWndProc = Win32FormPeer::window_proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hIcon = LoadIcon(wc.hInstance, MAKEINTRESOURCE(1));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = form_class;
    RegisterClassA(&wc);
}

Win32Windows::~Win32Windows() = default;

void Win32Windows::attach(Form& form) {
    peers_.push_back(std::make_unique<Win32FormPeer>(*this, form));
}

void Win32Windows::attach_timers(Form& form) {
    if (!timers_) {
        timers_ = std::make_unique<Win32TimerWindow>();
    }
    for (Control* c : form.controls()) {
        if (c->kind() == ControlKind::timer) {
            timers_->attach(static_cast<Timer&>(*c));
        }
    }
}

void Win32Windows::forget(Win32FormPeer* peer) {
    auto it =
        std::find_if(peers_.begin(), peers_.end(),
                     [peer](const std::unique_ptr<Win32FormPeer>& p) { return p.get() == peer; });
    if (it != peers_.end()) {
        peers_.erase(it);  // deletes the peer: the last thing its detach does
    }
}

Form* Win32Windows::active_form() {
    const HWND active = GetActiveWindow();
    for (const auto& peer : peers_) {
        if (peer->hwnd() == active) {
            return peer->form();
        }
    }
    return nullptr;
}

bool Win32Windows::dispatch(MSG& msg) {
    if (msg.message == WM_QUIT) {
        quitting_ = true;
        return false;
    }
    // Tab, Enter and access keys move between a form's controls as in a dialog. Only keyboard
    // messages need that; handing every timer tick through IsDialogMessage is expensive.
    const bool keyboard = msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST;
    const HWND root = keyboard && msg.hwnd != nullptr ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (root != nullptr) {
        for (const auto& peer : peers_) {
            if (peer->hwnd() == root && IsDialogMessageA(root, &msg)) {
                return true;
            }
        }
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    return true;
}

void Win32Windows::do_events() {
    const NestedLoop nested(nested_loops_);
    // Waits a little for something to arrive, so that a loop of do_events does not spin.
    MsgWaitForMultipleObjectsEx(0, nullptr, 10, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    MSG msg;
    while (!quitting_ && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!dispatch(msg)) {
            PostQuitMessage(exit_code_);
            return;
        }
    }
}

void Win32Windows::set_busy_cursor(bool busy) {
    busy_cursor_ = busy;
    // Shown at once; WM_SETCURSOR of the program's windows keeps it while the pointer moves.
    SetCursor(LoadCursorA(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

void Win32Windows::quit(int exit_code) {
    if (quitting_) {
        return;
    }
    quitting_ = true;
    exit_code_ = exit_code;
    PostQuitMessage(exit_code);
}

int Win32Windows::run() {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        dispatch(msg);
    }
    quitting_ = true;
    return exit_code_;
}

void Win32Windows::run_until(const std::function<bool()>& done) {
    MSG msg;
    const NestedLoop nested(nested_loops_);
    while (!quitting_ && !done()) {
        if (GetMessageA(&msg, nullptr, 0, 0) <= 0) {
            quitting_ = true;
            PostQuitMessage(exit_code_);
            return;
        }
        dispatch(msg);
    }
}

void Win32Windows::wait_until(const std::function<bool()>& done) {
    MSG msg;
    const NestedLoop nested(nested_loops_);
    while (!quitting_ && !done()) {
        if (PeekMessageA(&msg, nullptr, 0, WM_KEYFIRST - 1, PM_REMOVE) ||
            PeekMessageA(&msg, nullptr, WM_KEYLAST + 1, WM_MOUSEFIRST - 1, PM_REMOVE) ||
            PeekMessageA(&msg, nullptr, WM_MOUSELAST + 1, 0xFFFFFFFF, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                quitting_ = true;
                PostQuitMessage(exit_code_);
                return;
            }
            dispatch(msg);
            continue;
        }
        MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT & ~QS_INPUT,
                                    MWMO_INPUTAVAILABLE);
    }
}

HFONT Win32Windows::font(const Font& f, int dpi) {
    // The old default face of forms is a bitmap font; show it as the dialog font of today.
    const std::string face = f.face == "MS Sans Serif" ? "MS Shell Dlg 2" : f.face;
    const int tenths = static_cast<int>(std::lround(f.size * 10));
    auto key = std::make_tuple(face, tenths, f.bold, dpi);
    auto it = fonts_.find(key);
    if (it == fonts_.end()) {
        // Made for the window's own scaling: a font stretched by the system comes out blurred.
        const int height = -static_cast<int>(std::lround(f.size * dpi / 72.0));
        HFONT font = CreateFontA(height, 0, 0, 0, f.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                                 DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                 CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face.c_str());
        it = fonts_.emplace(key, UniqueGdi(font)).first;
    }
    return static_cast<HFONT>(it->second.get());
}

HBRUSH Win32Windows::brush(Color color) {
    auto it = brushes_.find(color);
    if (it == brushes_.end()) {
        it = brushes_.emplace(color, UniqueGdi(CreateSolidBrush(static_cast<COLORREF>(color))))
                 .first;
    }
    return static_cast<HBRUSH>(it->second.get());
}

}  // namespace vardex::win32
