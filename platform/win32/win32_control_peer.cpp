#include "platform/win32/win32_control_peer.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "platform/controls.h"
#include "platform/form.h"
#include "platform/list_controls.h"
#include "platform/tab_strip.h"
#include "platform/win32/mouse.h"
#include "platform/win32/win32_form_peer.h"
#include "platform/win32/win32_grid_peer.h"
#include "platform/win32/win32_windows.h"

namespace vardex::win32 {

namespace {

constexpr UINT_PTR subclass_id = 0x5644;  // "VD"

std::string window_text(HWND h) {
    const int n = GetWindowTextLengthA(h);
    std::vector<char> buffer(static_cast<std::size_t>(std::max(n, 0)) + 1, '\0');
    GetWindowTextA(h, buffer.data(), n + 1);
    return std::string(buffer.data());
}

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

}  // namespace

Win32ControlPeer::Win32ControlPeer(Win32FormPeer& form, Control& control, int id)
    : form_(form), control_(&control), id_(id) {}

std::unique_ptr<Win32ControlPeer> Win32ControlPeer::make(Win32FormPeer& form, Control& control,
                                                         int id) {
    std::unique_ptr<Win32ControlPeer> peer;
    if (control.kind() == ControlKind::grid) {
        peer = std::make_unique<Win32GridPeer>(form, control, id);
    } else {
        peer.reset(new Win32ControlPeer(form, control, id));
    }
    peer->create();
    return peer;
}

Win32ControlPeer::~Win32ControlPeer() {
    if (hwnd_ != nullptr) {
        RemoveWindowSubclass(hwnd_, subclass_proc, subclass_id);
        if (HWND edit = edit_hwnd(); edit != nullptr && edit != hwnd_) {
            RemoveWindowSubclass(edit, subclass_proc, subclass_id);
        }
    }
}

Win32ControlPeer::WindowSpec Win32ControlPeer::window_spec() const {
    const Control& c = *control_;
    WindowSpec w;
    switch (c.kind()) {
        case ControlKind::label: {
            const auto& label = static_cast<const Label&>(c);
            w.style |= SS_NOTIFY;
            w.style |= label.alignment() == Alignment::center  ? SS_CENTER
                       : label.alignment() == Alignment::right ? SS_RIGHT
                                                               : SS_LEFT;
            if (!label.word_wrap() && label.auto_size())
                w.style |= SS_LEFTNOWORDWRAP;
            if (label.border())
                w.style |= WS_BORDER;
            break;
        }
        case ControlKind::text_box: {
            const auto& box = static_cast<const TextBox&>(c);
            w.window_class = "EDIT";
            w.style |= WS_TABSTOP;
            // A box of several lines wraps its words; a one-line box scrolls sideways.
            w.style |=
                box.multi_line() ? ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL : ES_AUTOHSCROLL;
            w.ex_style = WS_EX_CLIENTEDGE;
            break;
        }
        case ControlKind::command_button:
            w.window_class = "BUTTON";
            w.style |= WS_TABSTOP | BS_PUSHBUTTON | BS_NOTIFY;
            break;
        case ControlKind::check_box:
            w.window_class = "BUTTON";
            w.style |= WS_TABSTOP | BS_AUTOCHECKBOX | BS_NOTIFY;
            break;
        case ControlKind::option_button:
            w.window_class = "BUTTON";
            w.style |= WS_TABSTOP | BS_RADIOBUTTON | BS_NOTIFY;
            break;
        case ControlKind::frame:
            if (static_cast<const Frame&>(c).border()) {
                w.window_class = "BUTTON";
                w.style |= BS_GROUPBOX;
            }
            break;
        case ControlKind::combo_box:
            w.window_class = "COMBOBOX";
            w.style |= WS_TABSTOP | WS_VSCROLL | CBS_AUTOHSCROLL |
                       (static_cast<const ComboBox&>(c).style() == ComboBox::Style::dropdown_list
                            ? CBS_DROPDOWNLIST
                            : CBS_DROPDOWN);
            break;
        case ControlKind::list_box: {
            w.window_class = "LISTBOX";
            w.style |= WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
            const auto multi = static_cast<const ListBox&>(c).multi_select();
            if (multi == ListBox::MultiSelect::extended)
                w.style |= LBS_EXTENDEDSEL;
            if (multi == ListBox::MultiSelect::simple)
                w.style |= LBS_MULTIPLESEL;
            w.ex_style = WS_EX_CLIENTEDGE;
            break;
        }
        case ControlKind::image:
            w.style |= SS_BITMAP | SS_NOTIFY | SS_REALSIZECONTROL;
            break;
        case ControlKind::tab_strip:
            w.window_class = WC_TABCONTROLA;
            w.style |= WS_TABSTOP | WS_CLIPSIBLINGS;
            break;
        default:
            break;
    }
    return w;
}

void Win32ControlPeer::create() {
    if (control_->kind() == ControlKind::timer) {
        sync_timer();
        return;
    }
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
        SetWindowSubclass(edit, subclass_proc, subclass_id, reinterpret_cast<DWORD_PTR>(this));
    }
    window_made();
    sync_all();
}

HWND Win32ControlPeer::edit_hwnd() const {
    if (hwnd_ == nullptr || control_ == nullptr) {
        return nullptr;
    }
    if (control_->kind() == ControlKind::text_box) {
        return hwnd_;
    }
    if (control_->kind() == ControlKind::combo_box) {
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        if (GetComboBoxInfo(hwnd_, &info) && info.hwndItem != hwnd_) {
            return info.hwndItem;
        }
    }
    return nullptr;
}

void Win32ControlPeer::sync_all() {
    SendMessageA(hwnd_, WM_SETFONT,
                 reinterpret_cast<WPARAM>(form_.windows().font(control_->font())), FALSE);
    changed(Prop::text_options);
    sync_items();
    sync_tabs();
    sync_cells();
    sync_text();
    changed(Prop::value);
    sync_selection();
    sync_geometry();
    sync_enabled();
    sync_visible();
}

void Win32ControlPeer::changed(Prop prop) {
    if (control_ == nullptr) {
        return;
    }
    if (control_->kind() == ControlKind::timer) {
        if (prop == Prop::enabled || prop == Prop::timer) {
            sync_timer();
        }
        return;
    }
    if (hwnd_ == nullptr) {
        return;
    }
    switch (prop) {
        case Prop::text:
            sync_text();
            break;
        case Prop::geometry:
            sync_geometry();
            if (control_->kind() == ControlKind::frame)
                form_.container_changed(*control_, prop);
            sync_cells();
            break;
        case Prop::visible:
            sync_visible();
            if (control_->kind() == ControlKind::frame)
                form_.container_changed(*control_, prop);
            break;
        case Prop::enabled:
            sync_enabled();
            if (control_->kind() == ControlKind::frame)
                form_.container_changed(*control_, prop);
            break;
        case Prop::font:
            SendMessageA(hwnd_, WM_SETFONT,
                         reinterpret_cast<WPARAM>(form_.windows().font(control_->font())), TRUE);
            break;
        case Prop::colors:
            InvalidateRect(hwnd_, nullptr, TRUE);
            break;
        case Prop::value:
            if (control_->kind() == ControlKind::check_box) {
                Button_SetCheck(hwnd_, static_cast<CheckBox*>(control_)->value() != 0
                                           ? BST_CHECKED
                                           : BST_UNCHECKED);
            } else if (control_->kind() == ControlKind::option_button) {
                Button_SetCheck(hwnd_, static_cast<OptionButton*>(control_)->value()
                                           ? BST_CHECKED
                                           : BST_UNCHECKED);
            }
            break;
        case Prop::items:
            sync_items();
            break;
        case Prop::selection:
            sync_selection();
            break;
        case Prop::text_options:
            if (control_->kind() == ControlKind::text_box) {
                const auto* box = static_cast<TextBox*>(control_);
                SendMessageA(hwnd_, EM_LIMITTEXT, static_cast<WPARAM>(box->max_length()), 0);
                SendMessageA(hwnd_, EM_SETPASSWORDCHAR,
                             static_cast<WPARAM>(static_cast<unsigned char>(box->password_char())),
                             0);
                SendMessageA(hwnd_, EM_SETREADONLY, box->locked() ? TRUE : FALSE, 0);
                InvalidateRect(hwnd_, nullptr, TRUE);
            }
            break;
        case Prop::picture:
            if (control_->kind() == ControlKind::image &&
                static_cast<Image*>(control_)->picture().empty()) {
                SendMessageA(hwnd_, STM_SETIMAGE, IMAGE_BITMAP, 0);
                picture_.reset();
                sync_visible();
            }
            break;
        case Prop::timer:
            break;
        case Prop::tabs:
            sync_tabs();
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
    if (timer_set_) {
        KillTimer(form_.hwnd(), static_cast<UINT_PTR>(id_));
        timer_set_ = false;
    }
    if (hwnd_ != nullptr) {
        RemoveWindowSubclass(hwnd_, subclass_proc, subclass_id);
        DestroyWindow(hwnd_);
        hwnd_ = nullptr;
    }
}

void Win32ControlPeer::sync_text() {
    updating_ = true;
    switch (control_->kind()) {
        case ControlKind::combo_box: {
            auto* combo = static_cast<ComboBox*>(control_);
            if (combo->style() == ComboBox::Style::dropdown_list) {
                SendMessageA(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(combo->list_index()), 0);
            } else if (window_text(hwnd_) != combo->text()) {
                SetWindowTextA(hwnd_, combo->text().c_str());
            }
            break;
        }
        case ControlKind::tab_strip:
        case ControlKind::image:
            break;
        default:
            if (window_text(hwnd_) != control_->text()) {
                SetWindowTextA(hwnd_, control_->text().c_str());
            }
    }
    updating_ = false;
}

void Win32ControlPeer::sync_geometry() {
    const Point p = control_->form_position();
    int height = form_.to_px_y(control_->height());
    if (control_->kind() == ControlKind::combo_box) {
        height += 160;  // room for the drop-down list
    }
    SetWindowPos(hwnd_, nullptr, form_.to_px_x(p.x), form_.to_px_y(p.y),
                 form_.to_px_x(control_->width()), height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32ControlPeer::sync_visible() {
    // An image without a picture is see-through, so it shows nothing at all.
    const bool empty_image = control_->kind() == ControlKind::image && !picture_;
    ShowWindow(hwnd_, chain_visible(*control_) && !empty_image ? SW_SHOWNA : SW_HIDE);
}

void Win32ControlPeer::sync_enabled() {
    EnableWindow(hwnd_, chain_enabled(*control_) ? TRUE : FALSE);
}

void Win32ControlPeer::sync_items() {
    updating_ = true;
    if (control_->kind() == ControlKind::combo_box) {
        auto* combo = static_cast<ComboBox*>(control_);
        SendMessageA(hwnd_, CB_RESETCONTENT, 0, 0);
        for (const auto& item : combo->items()) {
            SendMessageA(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        }
        SendMessageA(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(combo->list_index()), 0);
        if (combo->style() == ComboBox::Style::dropdown_combo) {
            SetWindowTextA(hwnd_, combo->text().c_str());
        }
    } else if (control_->kind() == ControlKind::list_box) {
        auto* list = static_cast<ListBox*>(control_);
        SendMessageA(hwnd_, LB_RESETCONTENT, 0, 0);
        for (const auto& item : list->items()) {
            SendMessageA(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        }
        updating_ = false;
        sync_selection();
        return;
    }
    updating_ = false;
}

void Win32ControlPeer::sync_selection() {
    updating_ = true;
    switch (control_->kind()) {
        case ControlKind::combo_box:
            SendMessageA(hwnd_, CB_SETCURSEL,
                         static_cast<WPARAM>(static_cast<ComboBox*>(control_)->list_index()), 0);
            break;
        case ControlKind::list_box: {
            auto* list = static_cast<ListBox*>(control_);
            if (list->multi_select() == ListBox::MultiSelect::none) {
                SendMessageA(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(list->list_index()), 0);
            } else {
                for (int i = 0; i < list->list_count(); ++i) {
                    SendMessageA(hwnd_, LB_SETSEL, list->selected(i) ? TRUE : FALSE, i);
                }
            }
            break;
        }
        case ControlKind::tab_strip:
            TabCtrl_SetCurSel(hwnd_, static_cast<TabStrip*>(control_)->selected());
            break;
        default:
            break;
    }
    updating_ = false;
}

void Win32ControlPeer::sync_timer() {
    auto* timer = static_cast<Timer*>(control_);
    if (timer_set_) {
        KillTimer(form_.hwnd(), static_cast<UINT_PTR>(id_));
        timer_set_ = false;
    }
    if (timer->running()) {
        timer_set_ = SetTimer(form_.hwnd(), static_cast<UINT_PTR>(id_),
                              static_cast<UINT>(timer->interval()), nullptr) != 0;
    }
}

void Win32ControlPeer::sync_tabs() {
    if (control_->kind() != ControlKind::tab_strip) {
        return;
    }
    auto* tabs = static_cast<TabStrip*>(control_);
    updating_ = true;
    TabCtrl_DeleteAllItems(hwnd_);
    int i = 0;
    for (const auto& caption : tabs->tabs()) {
        std::string text = caption;
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = text.data();
        SendMessageA(hwnd_, TCM_INSERTITEMA, static_cast<WPARAM>(i++),
                     reinterpret_cast<LPARAM>(&item));
    }
    TabCtrl_SetCurSel(hwnd_, tabs->selected());
    updating_ = false;
}

Size Win32ControlPeer::measure_text(const std::string& text, std::int32_t wrap_width) {
    ScreenDc dc;
    HGDIOBJ old = SelectObject(
        dc.get(), form_.windows().font(control_ != nullptr ? control_->font() : Font{}));
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

bool Win32ControlPeer::load_picture(const std::string& path) {
    if (hwnd_ == nullptr) {
        return false;
    }
    HANDLE bitmap = LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
    if (bitmap == nullptr) {
        return false;
    }
    SendMessageA(hwnd_, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    picture_.reset(bitmap);
    sync_geometry();
    sync_visible();
    return true;
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

void Win32ControlPeer::timer_tick() {
    if (control_ != nullptr && control_->kind() == ControlKind::timer) {
        static_cast<Timer*>(control_)->raise_tick();
    }
}

void Win32ControlPeer::command(int code) {
    if (control_ == nullptr || updating_) {
        return;
    }
    Control& c = *control_;
    switch (c.kind()) {
        case ControlKind::command_button:
            if (code == BN_CLICKED)
                c.raise_click();
            if (code == BN_KILLFOCUS)
                c.raise_lost_focus();
            break;
        case ControlKind::check_box:
            if (code == BN_CLICKED) {
                static_cast<CheckBox&>(c).user_set_value(Button_GetCheck(hwnd_) == BST_CHECKED ? 1
                                                                                               : 0);
            }
            if (code == BN_KILLFOCUS)
                c.raise_lost_focus();
            break;
        case ControlKind::option_button:
            if (code == BN_CLICKED)
                c.raise_click();
            if (code == BN_KILLFOCUS)
                c.raise_lost_focus();
            break;
        case ControlKind::text_box:
            if (code == EN_CHANGE)
                c.user_edited_text(window_text(hwnd_));
            if (code == EN_KILLFOCUS)
                c.raise_lost_focus();
            break;
        case ControlKind::combo_box:
            if (code == CBN_SELCHANGE) {
                const auto index = static_cast<int>(SendMessageA(hwnd_, CB_GETCURSEL, 0, 0));
                static_cast<ComboBox&>(c).user_selected(index);
            }
            if (code == CBN_EDITCHANGE)
                c.user_edited_text(window_text(hwnd_));
            if (code == CBN_KILLFOCUS)
                c.raise_lost_focus();
            break;
        case ControlKind::list_box:
            if (code == LBN_SELCHANGE) {
                auto& list = static_cast<ListBox&>(c);
                std::vector<bool> selected(static_cast<std::size_t>(list.list_count()), false);
                for (int i = 0; i < list.list_count(); ++i) {
                    selected[static_cast<std::size_t>(i)] =
                        SendMessageA(hwnd_, LB_GETSEL, i, 0) > 0;
                }
                const auto caret = static_cast<int>(SendMessageA(hwnd_, LB_GETCARETINDEX, 0, 0));
                list.user_selection(selected, caret);
            }
            if (code == LBN_KILLFOCUS)
                c.raise_lost_focus();
            break;
        case ControlKind::label:
        case ControlKind::image:
            if (code == STN_CLICKED)
                c.raise_click();
            break;
        default:
            break;
    }
}

void Win32ControlPeer::notify(const NMHDR& header) {
    if (control_ == nullptr || updating_) {
        return;
    }
    if (control_->kind() == ControlKind::tab_strip && header.code == TCN_SELCHANGE) {
        static_cast<TabStrip*>(control_)->user_selected(TabCtrl_GetCurSel(hwnd_));
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
    Control& c = *control_;
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
                const int key = c.raise_key_press(static_cast<int>(wp));
                if (control_ == nullptr || key == 0) {
                    return 0;
                }
                const bool multi =
                    c.kind() == ControlKind::text_box && static_cast<TextBox&>(c).multi_line();
                if (key == 13 && !multi) {
                    return 0;  // a single-line box only beeps at Enter
                }
                return DefSubclassProc(hwnd, msg, static_cast<WPARAM>(key), lp);
            }
            break;
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP: {
            POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
            if (hwnd != hwnd_) {
                MapWindowPoints(hwnd, hwnd_, &pt, 1);
            }
            if (own_mouse(msg, wp, pt)) {
                return 0;
            }
            const int button = message_button(msg, wp);
            const MouseEvent e{button, (wp & MK_SHIFT) ? 1 : 0,
                               static_cast<double>(form_.from_px_x(pt.x)),
                               static_cast<double>(form_.from_px_y(pt.y))};
            const LRESULT r = DefSubclassProc(hwnd, msg, wp, lp);
            if (control_ == nullptr) {
                return r;
            }
            if (msg == WM_MOUSEMOVE) {
                c.raise_mouse_move(e);
            } else if (msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN) {
                // Like any form control, the pressed control keeps the pointer until release.
                if (c.kind() == ControlKind::label || c.kind() == ControlKind::image) {
                    SetCapture(hwnd);
                }
                c.raise_mouse_down(e);
            } else {
                if (GetCapture() == hwnd &&
                    (c.kind() == ControlKind::label || c.kind() == ControlKind::image)) {
                    ReleaseCapture();
                }
                c.raise_mouse_up(e);
            }
            return r;
        }
        default:
            break;
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

}  // namespace vardex::win32
