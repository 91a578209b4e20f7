#include "platform/win32/win32_form_peer.h"

#include <windowsx.h>

#include <algorithm>

#include "platform/win32/dpi.h"
#include "platform/win32/mouse.h"
#include "platform/win32/win32_control_peer.h"
#include "platform/win32/win32_windows.h"

namespace vardex::win32 {

namespace {
constexpr char form_class[] = "VardexForm";
constexpr int first_control_id = 1000;

int shift_state(WPARAM wp) {
    int s = 0;
    if (wp & MK_SHIFT)
        s |= 1;
    if (wp & MK_CONTROL)
        s |= 2;
    if (GetKeyState(VK_MENU) < 0)
        s |= 4;
    return s;
}
}  // namespace

Win32FormPeer::Win32FormPeer(Win32Windows& windows, Form& form)
    : windows_(windows), form_(&form), dpi_(system_dpi()) {
    const int t = windows_.twips_per_pixel();
    updating_ = true;
    // The window proc takes the handle at WM_NCCREATE, so messages during creation work.
    CreateWindowExA(ex_style(), form_class, form.caption().c_str(), style(), form.left() / t,
                    form.top() / t, form.width() / t, form.height() / t, nullptr, nullptr,
                    GetModuleHandleA(nullptr), this);
    // Placed on a monitor scaled otherwise than the system's, it takes that monitor's size.
    if (const int own = window_dpi(hwnd_.get()); own != dpi_) {
        dpi_ = own;
        sync_geometry();
    }
    form.attach_peer(this);
    int id = first_control_id;
    for (Control* c : form.controls()) {
        controls_.push_back(Win32ControlPeer::make(*this, *c, id++));
        c->attach_peer(controls_.back().get());
    }
    arrange_z_order();
    updating_ = false;
    if (form.visible()) {
        changed(FormProp::visible);
    }
}

Win32FormPeer::~Win32FormPeer() {
    controls_.clear();
    if (hwnd_) {
        SetWindowLongPtrA(hwnd_.get(), GWLP_USERDATA, 0);
    }
}

DWORD Win32FormPeer::ex_style() const {
    // The frame is an extended style: the window style itself stays WS_POPUP alone.
    const bool framed = form_->popup_style() && form_->popup_frame();
    return WS_EX_CONTROLPARENT | (framed ? WS_EX_DLGMODALFRAME : 0);
}

DWORD Win32FormPeer::style() const {
    if (form_->popup_style()) {
        return WS_POPUP;
    }
    // No WS_CLIPCHILDREN: a group box paints only its border, the form paints inside it.
    return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
}

void Win32FormPeer::arrange_z_order() {
    // A child created first lies on top. Frames and tab strips must lie under the controls
    // they hold: frames go to the bottom in reverse order (so outer frames lie lowest),
    // tab strips below them.
    const auto& cs = controls_;
    for (auto it = cs.rbegin(); it != cs.rend(); ++it) {
        if ((*it)->control()->kind() == ControlKind::frame && (*it)->hwnd() != nullptr) {
            SetWindowPos((*it)->hwnd(), HWND_BOTTOM, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }
    for (const auto& c : cs) {
        if (c->control()->kind() == ControlKind::tab_strip && c->hwnd() != nullptr) {
            SetWindowPos(c->hwnd(), HWND_BOTTOM, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }
}

int Win32FormPeer::twips_per_pixel() const {
    return twips_per_pixel_at(dpi_);
}

bool Win32FormPeer::in_pixels() const {
    return form_ != nullptr && form_->scale_mode() == ScaleMode::pixels;
}
// A form laid out in pixels was laid out in the pixels of an unscaled screen (96 to the inch).
int Win32FormPeer::to_px_x(std::int32_t v) const {
    return in_pixels() ? MulDiv(v, dpi_, 96) : v / twips_per_pixel();
}
int Win32FormPeer::to_px_y(std::int32_t v) const {
    return to_px_x(v);
}
std::int32_t Win32FormPeer::from_px_x(int px) const {
    return in_pixels() ? MulDiv(px, 96, dpi_) : px * twips_per_pixel();
}
std::int32_t Win32FormPeer::from_px_y(int px) const {
    return from_px_x(px);
}

// Where a form is lies in the desktop's scale, which the logic measured the screens in; how
// big it is, in its monitor's, like its controls and fonts.
void Win32FormPeer::sync_geometry() {
    const int t = windows_.twips_per_pixel();
    updating_ = true;
    SetWindowPos(hwnd_.get(), nullptr, form_->left() / t, form_->top() / t,
                 form_->width() / twips_per_pixel(), form_->height() / twips_per_pixel(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    updating_ = false;
}

void Win32FormPeer::report_geometry() {
    RECT r{};
    GetWindowRect(hwnd_.get(), &r);
    const int t = windows_.twips_per_pixel();
    const int own = twips_per_pixel();
    // Keep the stored twips where they still round to the same pixels.
    auto keep = [](std::int32_t twips, int px, int per_pixel) {
        return twips / per_pixel == px ? twips : px * per_pixel;
    };
    form_->user_moved(keep(form_->left(), r.left, t), keep(form_->top(), r.top, t),
                      keep(form_->width(), r.right - r.left, own),
                      keep(form_->height(), r.bottom - r.top, own));
}

void Win32FormPeer::dpi_changed(int dpi, const RECT& suggested) {
    dpi_ = dpi;
    updating_ = true;
    SetWindowPos(hwnd_.get(), nullptr, suggested.left, suggested.top,
                 suggested.right - suggested.left, suggested.bottom - suggested.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    for (const auto& peer : controls_) {
        peer->rescale();
    }
    updating_ = false;
    if (form_ != nullptr && !IsIconic(hwnd_.get())) {
        report_geometry();
    }
    InvalidateRect(hwnd_.get(), nullptr, TRUE);
}

void Win32FormPeer::changed(FormProp prop) {
    if (form_ == nullptr || !hwnd_) {
        return;
    }
    HWND h = hwnd_.get();
    switch (prop) {
        case FormProp::caption:
            SetWindowTextA(h, form_->caption().c_str());
            break;
        case FormProp::geometry:
            sync_geometry();
            break;
        case FormProp::visible:
            if (form_->visible()) {
                ShowWindow(h, form_->window_state() == WindowState::minimized ? SW_SHOWMINIMIZED
                                                                              : SW_SHOW);
                SetForegroundWindow(h);
            } else {
                ShowWindow(h, SW_HIDE);
            }
            break;
        case FormProp::window_state:
            if (IsWindowVisible(h)) {
                updating_ = true;
                switch (form_->window_state()) {
                    case WindowState::minimized:
                        ShowWindow(h, SW_MINIMIZE);
                        break;
                    case WindowState::maximized:
                        ShowWindow(h, SW_MAXIMIZE);
                        break;
                    case WindowState::normal:
                        ShowWindow(h, SW_RESTORE);
                        break;
                }
                updating_ = false;
            }
            break;
        case FormProp::style: {
            const DWORD visible = IsWindowVisible(h) ? WS_VISIBLE : 0;
            SetWindowLongA(h, GWL_STYLE, static_cast<LONG>(style() | visible));
            const LONG topmost = GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_TOPMOST;
            SetWindowLongA(h, GWL_EXSTYLE, static_cast<LONG>(ex_style()) | topmost);
            SetWindowPos(
                h, nullptr, 0, 0, 0, 0,
                SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
            sync_geometry();
            break;
        }
        case FormProp::colors:
            InvalidateRect(h, nullptr, TRUE);
            break;
        case FormProp::topmost:
            SetWindowPos(h, HWND_TOPMOST, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | (IsWindowVisible(h) ? 0 : SWP_NOACTIVATE));
            break;
    }
}

void Win32FormPeer::detach() {
    controls_.clear();
    form_ = nullptr;
    if (hwnd_) {
        SetWindowLongPtrA(hwnd_.get(), GWLP_USERDATA, 0);
        hwnd_.reset();
    }
    windows_.forget(this);
}

Rect Win32FormPeer::window_rect() const {
    RECT r{};
    GetWindowRect(hwnd_.get(), &r);
    return Rect{r.left, r.top, r.right, r.bottom};
}

Size Win32FormPeer::inner_size() const {
    RECT r{};
    GetClientRect(hwnd_.get(), &r);
    return Size{from_px_x(r.right - r.left), from_px_y(r.bottom - r.top)};
}

void Win32FormPeer::set_focus() {
    if (form_ == nullptr || !form_->visible()) {
        return;
    }
    SetForegroundWindow(hwnd_.get());
    SetActiveWindow(hwnd_.get());
}

void Win32FormPeer::container_changed(Control& container, Prop prop) {
    for (const auto& peer : controls_) {
        for (Control* c = peer->control() != nullptr ? peer->control()->container() : nullptr;
             c != nullptr; c = c->container()) {
            if (c == &container) {
                peer->changed(prop);
                break;
            }
        }
    }
}

Win32ControlPeer* Win32FormPeer::control_by_id(int id) const {
    const std::size_t index = static_cast<std::size_t>(id - first_control_id);
    return id >= first_control_id && index < controls_.size() ? controls_[index].get() : nullptr;
}

Win32ControlPeer* Win32FormPeer::control_by_hwnd(HWND h) const {
    for (const auto& peer : controls_) {
        if (peer->hwnd() == h || (peer->hwnd() != nullptr && peer->edit_hwnd() == h)) {
            return peer.get();
        }
    }
    return nullptr;
}

Control* Win32FormPeer::frame_at(POINT client) const {
    Control* found = nullptr;
    for (const auto& peer : controls_) {
        Control* c = peer->control();
        if (c == nullptr || c->kind() != ControlKind::frame || !c->shown()) {
            continue;
        }
        const Point p = c->form_position();
        const RECT r{to_px_x(p.x), to_px_y(p.y), to_px_x(p.x + c->width()),
                     to_px_y(p.y + c->height())};
        if (PtInRect(&r, client)) {
            found = c;  // later frames lie inside earlier ones
        }
    }
    return found;
}

void Win32FormPeer::mouse(UINT msg, WPARAM wp, LPARAM lp) {
    const POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    Control* frame = frame_at(pt);
    const int button = message_button(msg, wp);
    MouseEvent e{button, shift_state(wp), static_cast<double>(from_px_x(pt.x)),
                 static_cast<double>(from_px_y(pt.y))};
    if (frame != nullptr) {
        const Point p = frame->form_position();
        e.x -= p.x;
        e.y -= p.y;
    }
    switch (msg) {
        case WM_MOUSEMOVE:
            frame != nullptr ? frame->raise_mouse_move(e) : form_->raise_mouse_move(e);
            break;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            frame != nullptr ? frame->raise_mouse_down(e) : form_->raise_mouse_down(e);
            break;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            if (frame != nullptr) {
                frame->raise_mouse_up(e);
                if (msg == WM_LBUTTONUP)
                    frame->raise_click();
            } else {
                form_->raise_mouse_up(e);
                if (msg == WM_LBUTTONUP)
                    form_->raise_click();
            }
            break;
        default:
            break;
    }
}

LRESULT CALLBACK Win32FormPeer::window_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lp);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
        static_cast<Win32FormPeer*>(cs->lpCreateParams)->hwnd_.reset(hwnd);
    }
    auto* self = reinterpret_cast<Win32FormPeer*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self == nullptr || self->form_ == nullptr || self->windows_.quitting()) {
        if (msg == WM_CLOSE) {
            return 0;
        }
        return DefWindowProcA(hwnd, msg, wp, lp);
    }
    return self->handle(msg, wp, lp);
}

LRESULT Win32FormPeer::handle(UINT msg, WPARAM wp, LPARAM lp) {
    HWND h = hwnd_.get();
    switch (msg) {
        case WM_COMMAND:
            if (lp != 0) {
                if (Win32ControlPeer* peer = control_by_id(LOWORD(wp))) {
                    peer->command(HIWORD(wp));
                }
            }
            return 0;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lp);
            if (Win32ControlPeer* peer = control_by_id(static_cast<int>(header->idFrom))) {
                peer->notify(*header);
            }
            return 0;
        }
        case WM_TIMER:
            if (Win32ControlPeer* peer = control_by_id(static_cast<int>(wp))) {
                peer->timer_tick();
            }
            return 0;
        case WM_CLOSE:
            form_->raise_close_request();
            return 0;
        case WM_SETCURSOR:
            // Children pass the message up first: the hourglass covers the whole form.
            if (windows_.busy_cursor()) {
                SetCursor(LoadCursorA(nullptr, IDC_WAIT));
                return TRUE;
            }
            break;
        case WM_ACTIVATE:
            if (LOWORD(wp) != WA_INACTIVE) {
                if (!IsWindowVisible(GetFocus()) || GetAncestor(GetFocus(), GA_ROOT) != h) {
                    HWND first = GetNextDlgTabItem(h, nullptr, FALSE);
                    if (first != nullptr) {
                        SetFocus(first);
                    }
                }
                form_->raise_activate();
                return 0;
            }
            if (windows_.on_lost_to_other_program) {
                DWORD process = 0;
                const HWND next = reinterpret_cast<HWND>(lp);
                if (next == nullptr || (GetWindowThreadProcessId(next, &process) != 0 &&
                                        process != GetCurrentProcessId())) {
                    windows_.on_lost_to_other_program();
                }
            }
            break;
        case WM_SIZE:
            if (!updating_) {
                if (wp == SIZE_MINIMIZED) {
                    form_->user_changed_state(WindowState::minimized);
                } else if (wp == SIZE_MAXIMIZED) {
                    form_->user_changed_state(WindowState::maximized);
                } else {
                    form_->user_changed_state(WindowState::normal);
                }
            }
            [[fallthrough]];
        case WM_MOVE:
            if (!updating_ && !IsIconic(h) && form_ != nullptr) {
                report_geometry();
            }
            return 0;
        case WM_DPICHANGED:
            // Moved to a monitor of another scaling: laid out and lettered anew for it.
            if (form_ != nullptr) {
                dpi_changed(LOWORD(wp), *reinterpret_cast<const RECT*>(lp));
            }
            return 0;
        case WM_ERASEBKGND:
        case WM_PRINTCLIENT: {
            // Themed controls ask their parent for the background behind them (WM_PRINTCLIENT).
            RECT r{};
            GetClientRect(h, &r);
            FillRect(reinterpret_cast<HDC>(wp), &r,
                     form_->back_color() != default_color ? windows_.brush(form_->back_color())
                                                          : GetSysColorBrush(COLOR_BTNFACE));
            return 1;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX: {
            Win32ControlPeer* peer = control_by_hwnd(reinterpret_cast<HWND>(lp));
            if (peer == nullptr || peer->control() == nullptr) {
                break;
            }
            HDC dc = reinterpret_cast<HDC>(wp);
            const Color fore = peer->text_color();
            Color back = peer->background();
            const bool plain_static = msg == WM_CTLCOLORSTATIC || msg == WM_CTLCOLORBTN;
            if (back == default_color && plain_static) {
                back = form_->back_color();
            }
            if (fore == default_color && back == default_color) {
                break;
            }
            if (fore != default_color) {
                SetTextColor(dc, static_cast<COLORREF>(fore));
            }
            if (back == default_color) {
                SetBkMode(dc, TRANSPARENT);
                return reinterpret_cast<LRESULT>(GetSysColorBrush(
                    msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX ? COLOR_WINDOW
                                                                        : COLOR_BTNFACE));
            }
            SetBkColor(dc, static_cast<COLORREF>(back));
            return reinterpret_cast<LRESULT>(windows_.brush(back));
        }
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
            mouse(msg, wp, lp);
            return 0;
        default:
            break;
    }
    return DefWindowProcA(h, msg, wp, lp);
}

}  // namespace vardex::win32
