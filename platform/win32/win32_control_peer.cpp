#include "platform/win32/win32_control_peer.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "platform/form.h"
#include "platform/win32/mouse.h"
#include "platform/win32/win32_button_peers.h"
#include "platform/win32/win32_form_peer.h"
#include "platform/win32/win32_grid_peer.h"
#include "platform/win32/win32_list_peers.h"
#include "platform/win32/win32_static_peers.h"
#include "platform/win32/win32_text_box_peer.h"
#include "platform/win32/win32_timer_peer.h"
#include "platform/win32/win32_windows.h"

namespace vardex::win32 {

namespace {

constexpr UINT_PTR subclass_id = 0x5644;  // "VD"

bool chain_visible(const Control& c) {
    for (const Control* p = &c; p != nullptr; p = p->container()) {
        if (!p->visible())
            return false;
    }
    return true;
}

bool chain_enabled(const Control& c) {
    for (const Control* p = &c; p != nullptr; p = p->container()) {
        if (!p->enabled())
            return false;
    }
    return true;
}

template <typename Peer>
std::unique_ptr<Win32ControlPeer> peer_of(Win32FormPeer& form, Control& control, int id) {
    return std::make_unique<Peer>(form, control, id);
}

// The one place where a control's kind is looked at: it picks the peer's class.
std::unique_ptr<Win32ControlPeer> peer_for_kind(Win32FormPeer& form, Control& control, int id) {
    switch (control.kind()) {
        case ControlKind::label:
            return peer_of<Win32LabelPeer>(form, control, id);
        case ControlKind::text_box:
            return peer_of<Win32TextBoxPeer>(form, control, id);
        case ControlKind::command_button:
            return peer_of<Win32CommandButtonPeer>(form, control, id);
        case ControlKind::check_box:
            return peer_of<Win32CheckBoxPeer>(form, control, id);
        case ControlKind::option_button:
            return peer_of<Win32OptionButtonPeer>(form, control, id);
        case ControlKind::frame:
            return peer_of<Win32FramePeer>(form, control, id);
        case ControlKind::combo_box:
            return peer_of<Win32ComboBoxPeer>(form, control, id);
        case ControlKind::list_box:
            return peer_of<Win32ListBoxPeer>(form, control, id);
        case ControlKind::image:
            return peer_of<Win32ImagePeer>(form, control, id);
        case ControlKind::timer:
            return peer_of<Win32TimerPeer>(form, control, id);
        case ControlKind::tab_strip:
            return peer_of<Win32TabStripPeer>(form, control, id);
        case ControlKind::grid:
            return peer_of<Win32GridPeer>(form, control, id);
    }
    return peer_of<Win32LabelPeer>(form, control, id);
}

}  // namespace

Win32ControlPeer::Win32ControlPeer(Win32FormPeer& form, Control& control, int id)
    : form_(form), control_(&control), id_(id) {}

std::unique_ptr<Win32ControlPeer> Win32ControlPeer::make(Win32FormPeer& form, Control& control,
                                                         int id) {
    std::unique_ptr<Win32ControlPeer> peer = peer_for_kind(form, control, id);
    peer->create();
    return peer;
}

Win32ControlPeer::~Win32ControlPeer() {
    if (hwnd_ != nullptr) {
        RemoveWindowSubclass(hwnd_, subclass_proc, subclass_id);
        // The kind's own edit_hwnd cannot be asked here: the kind is gone already.
        if (inner_edit_ != nullptr) {
            RemoveWindowSubclass(inner_edit_, subclass_proc, subclass_id);
        }
    }
}

void Win32ControlPeer::create() {
    const WindowSpec w = window_spec();
    // Overlapping controls paint in z-order: a lower one never draws over a higher one.
    hwnd_ =
        CreateWindowExA(w.ex_style, w.window_class, "", WS_CHILD | WS_CLIPSIBLINGS | w.style, 0, 0,
                        10, 10, form_.hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)),
                        GetModuleHandleA(nullptr), nullptr);
    if (hwnd_ == nullptr) {
        return;
    }
    SetWindowSubclass(hwnd_, subclass_proc, subclass_id, reinterpret_cast<DWORD_PTR>(this));
    if (HWND edit = edit_hwnd(); edit != nullptr && edit != hwnd_) {
        inner_edit_ = edit;
        SetWindowSubclass(edit, subclass_proc, subclass_id, reinterpret_cast<DWORD_PTR>(this));
    }
    window_made();
    sync_all();
}

void Win32ControlPeer::sync_all() {
    sync_font(false);
    sync_text_options();
    sync_items();
    sync_cells();
    sync_text();
    sync_value();
    sync_selection();
    sync_geometry();
    sync_enabled();
    sync_visible();
}

void Win32ControlPeer::changed(Prop prop) {
    if (control_ == nullptr || hwnd_ == nullptr) {
        return;
    }
    switch (prop) {
        case Prop::text:
            sync_text();
            break;
        case Prop::geometry:
            sync_geometry();
            sync_cells();
            break;
        case Prop::visible:
            sync_visible();
            break;
        case Prop::enabled:
            sync_enabled();
            break;
        case Prop::font:
            sync_font(true);
            break;
        case Prop::colors:
            InvalidateRect(hwnd_, nullptr, TRUE);
            break;
        case Prop::value:
            sync_value();
            break;
        case Prop::items:
        case Prop::tabs:
            sync_items();
            break;
        case Prop::selection:
            sync_selection();
            break;
        case Prop::text_options:
            sync_text_options();
            break;
        case Prop::picture:
            sync_picture();
            break;
        case Prop::timer:
            break;
        case Prop::cells:
            sync_cells();
            break;
        case Prop::focus:
            set_focus();
            break;
    }
}

void Win32ControlPeer::detach() {
    control_ = nullptr;
    if (hwnd_ != nullptr) {
        RemoveWindowSubclass(hwnd_, subclass_proc, subclass_id);
        if (inner_edit_ != nullptr) {
            RemoveWindowSubclass(inner_edit_, subclass_proc, subclass_id);
            inner_edit_ = nullptr;
        }
        DestroyWindow(hwnd_);
        hwnd_ = nullptr;
    }
}

void Win32ControlPeer::rescale() {
    if (control_ != nullptr && hwnd_ != nullptr) {
        sync_font(true);
        sync_geometry();
        sync_cells();
    }
}

std::string Win32ControlPeer::window_text() const {
    const int n = GetWindowTextLengthA(hwnd_);
    std::vector<char> buffer(static_cast<std::size_t>(std::max(n, 0)) + 1, '\0');
    GetWindowTextA(hwnd_, buffer.data(), n + 1);
    return std::string(buffer.data());
}

void Win32ControlPeer::show_text(const std::string& text) {
    if (window_text() != text) {
        updating_ = true;
        SetWindowTextA(hwnd_, text.c_str());
        updating_ = false;
    }
}

void Win32ControlPeer::sync_text() {
    show_text(control_->text());
}

void Win32ControlPeer::sync_font(bool redraw) {
    SendMessageA(hwnd_, WM_SETFONT,
                 reinterpret_cast<WPARAM>(form_.windows().font(control_->font(), form_.dpi())),
                 redraw ? TRUE : FALSE);
}

void Win32ControlPeer::sync_geometry() {
    const Point p = control_->form_position();
    SetWindowPos(
        hwnd_, nullptr, form_.to_px_x(p.x), form_.to_px_y(p.y), form_.to_px_x(control_->width()),
        form_.to_px_y(control_->height()) + drop_down_height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32ControlPeer::sync_visible() {
    ShowWindow(hwnd_, chain_visible(*control_) && shows_anything() ? SW_SHOWNA : SW_HIDE);
}

void Win32ControlPeer::sync_enabled() {
    EnableWindow(hwnd_, chain_enabled(*control_) ? TRUE : FALSE);
}

Size Win32ControlPeer::measure_text(const std::string& text, std::int32_t wrap_width) {
    ScreenDc dc;
    HGDIOBJ old = SelectObject(
        dc.get(),
        form_.windows().font(control_ != nullptr ? control_->font() : Font{}, form_.dpi()));
    RECT r{0, 0, wrap_width > 0 ? form_.to_px_x(wrap_width) : 0, 0};
    UINT flags = DT_CALCRECT | DT_NOCLIP;
    if (wrap_width > 0)
        flags |= DT_WORDBREAK;
    const std::string t = text.empty() ? std::string(" ") : text;
    DrawTextA(dc.get(), t.c_str(), static_cast<int>(t.size()), &r, flags);
    SelectObject(dc.get(), old);
    return Size{form_.from_px_x(text.empty() ? 0 : r.right - r.left),
                form_.from_px_y(r.bottom - r.top)};
}

void Win32ControlPeer::set_focus() {
    if (hwnd_ != nullptr && IsWindowVisible(hwnd_) && IsWindowEnabled(hwnd_)) {
        SetFocus(hwnd_);
    }
}

Color Win32ControlPeer::text_color() const {
    return control_ != nullptr ? control_->fore_color() : default_color;
}
Color Win32ControlPeer::background() const {
    return control_ != nullptr ? control_->back_color() : default_color;
}

void Win32ControlPeer::command(int code) {
    if (control_ != nullptr && !updating_) {
        on_command(code);
    }
}

LRESULT CALLBACK Win32ControlPeer::subclass_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp,
                                                 UINT_PTR, DWORD_PTR self) {
    return reinterpret_cast<Win32ControlPeer*>(self)->subclassed(hwnd, msg, wp, lp);
}

LRESULT Win32ControlPeer::subclassed(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (control_ == nullptr || form_.windows().quitting()) {
        return DefSubclassProc(hwnd, msg, wp, lp);
    }
    const bool typing = hwnd == edit_hwnd();
    switch (msg) {
        case WM_GETDLGCODE:
            if (typing && lp != 0) {
                const auto* m = reinterpret_cast<const MSG*>(lp);
                if (m->message == WM_KEYDOWN && m->wParam == VK_RETURN) {
                    return DefSubclassProc(hwnd, msg, wp, lp) | DLGC_WANTMESSAGE;
                }
            }
            break;
        case WM_CHAR:
            if (typing) {
                return typed(hwnd, wp, lp);
            }
            break;
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
            return pointer(hwnd, msg, wp, lp);
        default:
            break;
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

LRESULT Win32ControlPeer::typed(HWND hwnd, WPARAM wp, LPARAM lp) {
    const int key = control_->raise_key_press(static_cast<int>(wp));
    if (control_ == nullptr || key == 0) {
        return 0;
    }
    if (key == 13 && !types_enter()) {
        return 0;  // a single-line box only beeps at Enter
    }
    return DefSubclassProc(hwnd, WM_CHAR, static_cast<WPARAM>(key), lp);
}

LRESULT Win32ControlPeer::pointer(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    if (hwnd != hwnd_) {
        MapWindowPoints(hwnd, hwnd_, &pt, 1);
    }
    if (own_mouse(msg, wp, pt)) {
        return 0;
    }
    const MouseEvent e{message_button(msg, wp), (wp & MK_SHIFT) ? 1 : 0,
                       static_cast<double>(form_.from_px_x(pt.x)),
                       static_cast<double>(form_.from_px_y(pt.y))};
    const LRESULT r = DefSubclassProc(hwnd, msg, wp, lp);
    if (control_ == nullptr) {
        return r;
    }
    Control& c = *control_;
    if (msg == WM_MOUSEMOVE) {
        c.raise_mouse_move(e);
    } else if (msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN) {
        if (captures_on_press()) {
            SetCapture(hwnd);
        }
        c.raise_mouse_down(e);
    } else {
        if (captures_on_press() && GetCapture() == hwnd) {
            ReleaseCapture();
        }
        c.raise_mouse_up(e);
    }
    return r;
}

}  // namespace vardex::win32
