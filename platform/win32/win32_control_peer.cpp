#include "platform/win32/win32_control_peer.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "platform/controls.h"
#include "platform/form.h"
#include "platform/grid.h"
#include "platform/list_controls.h"
#include "platform/tab_strip.h"
#include "platform/win32/mouse.h"
#include "platform/win32/win32_form_peer.h"
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
    : form_(form), control_(&control), id_(id) {
    create();
}

Win32ControlPeer::~Win32ControlPeer() {
    if (hwnd_ != nullptr) {
        RemoveWindowSubclass(hwnd_, subclass_proc, subclass_id);
        if (HWND edit = edit_hwnd(); edit != nullptr && edit != hwnd_) {
            RemoveWindowSubclass(edit, subclass_proc, subclass_id);
        }
    }
}

void Win32ControlPeer::create() {
    Control& c = *control_;
    const char* window_class = "STATIC";
    // Overlapping controls paint in z-order: a lower one never draws over a higher one.
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    DWORD ex_style = 0;
    switch (c.kind()) {
        case ControlKind::label: {
            const auto& label = static_cast<const Label&>(c);
            style |= SS_NOTIFY;
            style |= label.alignment() == Alignment::center  ? SS_CENTER
                     : label.alignment() == Alignment::right ? SS_RIGHT
                                                             : SS_LEFT;
            if (!label.word_wrap() && label.auto_size())
                style |= SS_LEFTNOWORDWRAP;
            if (label.border())
                style |= WS_BORDER;
            break;
        }
        case ControlKind::text_box: {
            const auto& box = static_cast<const TextBox&>(c);
            window_class = "EDIT";
            style |= WS_TABSTOP;
            // A box of several lines wraps its words; a one-line box scrolls sideways.
            style |= box.multi_line() ? ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL : ES_AUTOHSCROLL;
            ex_style = WS_EX_CLIENTEDGE;
            break;
        }
        case ControlKind::command_button:
            window_class = "BUTTON";
            style |= WS_TABSTOP | BS_PUSHBUTTON | BS_NOTIFY;
            break;
        case ControlKind::check_box:
            window_class = "BUTTON";
            style |= WS_TABSTOP | BS_AUTOCHECKBOX | BS_NOTIFY;
            break;
        case ControlKind::option_button:
            window_class = "BUTTON";
            style |= WS_TABSTOP | BS_RADIOBUTTON | BS_NOTIFY;
            break;
        case ControlKind::frame:
            if (static_cast<const Frame&>(c).border()) {
                window_class = "BUTTON";
                style |= BS_GROUPBOX;
            }
            break;
        case ControlKind::combo_box:
            window_class = "COMBOBOX";
            style |= WS_TABSTOP | WS_VSCROLL | CBS_AUTOHSCROLL |
                     (static_cast<const ComboBox&>(c).style() == ComboBox::Style::dropdown_list
                          ? CBS_DROPDOWNLIST
                          : CBS_DROPDOWN);
            break;
        case ControlKind::list_box: {
            window_class = "LISTBOX";
            style |= WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
            const auto multi = static_cast<const ListBox&>(c).multi_select();
            if (multi == ListBox::MultiSelect::extended)
                style |= LBS_EXTENDEDSEL;
            if (multi == ListBox::MultiSelect::simple)
                style |= LBS_MULTIPLESEL;
            ex_style = WS_EX_CLIENTEDGE;
            break;
        }
        case ControlKind::image:
            style |= SS_BITMAP | SS_NOTIFY | SS_REALSIZECONTROL;
            break;
        case ControlKind::tab_strip:
            window_class = WC_TABCONTROLA;
            style |= WS_TABSTOP | WS_CLIPSIBLINGS;
            break;
        case ControlKind::grid:
            window_class = WC_LISTVIEWA;
            style |= WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS;
            ex_style = WS_EX_CLIENTEDGE;
            break;
        case ControlKind::timer:
            sync_timer();
            return;
    }
    hwnd_ = CreateWindowExA(ex_style, window_class, "", style, 0, 0, 10, 10, form_.hwnd(),
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)),
                            GetModuleHandleA(nullptr), nullptr);
    if (hwnd_ == nullptr) {
        return;
    }
    SetWindowSubclass(hwnd_, subclass_proc, subclass_id, reinterpret_cast<DWORD_PTR>(this));
    if (HWND edit = edit_hwnd(); edit != nullptr && edit != hwnd_) {
        SetWindowSubclass(edit, subclass_proc, subclass_id, reinterpret_cast<DWORD_PTR>(this));
    }
    if (c.kind() == ControlKind::grid) {
        ListView_SetExtendedListViewStyle(hwnd_, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    }
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
    sync_grid();
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
            if (control_->kind() == ControlKind::grid)
                sync_grid();
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
            sync_grid();
            break;
        case Prop::focus:
            set_focus();
            break;
    }
}

void Win32ControlPeer::cell_changed(int row, int col) {
    if (control_ == nullptr || hwnd_ == nullptr) {
        return;
    }
    auto* grid = static_cast<Grid*>(control_);
    const int item = row - grid->fixed_rows();
    if (item < 0 || static_cast<std::size_t>(item) >= shown_cells_.size()) {
        sync_grid();
    } else if (grid->redraw()) {
        show_cell(item, col, grid->cell(row, col));
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
        case ControlKind::grid:
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
        case ControlKind::grid: {
            // Against the selection the list view reported (LVN_ITEMCHANGED), not by asking
            // each item: every question to the list view costs a round trip under load.
            auto* grid = static_cast<Grid*>(control_);
            const int first = std::min(grid->row(), grid->row_sel());
            const int last = std::max(grid->row(), grid->row_sel());
            shown_selected_.resize(shown_cells_.size(), false);
            for (std::size_t i = 0; i < shown_selected_.size(); ++i) {
                const int row = static_cast<int>(i) + grid->fixed_rows();
                const bool on = first >= grid->fixed_rows() && row >= first && row <= last;
                if (on != shown_selected_[i]) {
                    ListView_SetItemState(hwnd_, static_cast<int>(i), on ? LVIS_SELECTED : 0,
                                          LVIS_SELECTED);
                    shown_selected_[i] = on;
                }
            }
            break;
        }
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

void Win32ControlPeer::sync_grid() {
    if (control_->kind() != ControlKind::grid) {
        return;
    }
    auto* grid = static_cast<Grid*>(control_);
    if (!grid->redraw()) {
        return;
    }
    // Only what differs from what the list view shows is sent, counted against our own record
    // of it: every message to a list view costs a round trip under Wine, and a room of
    // clients reporting repaints the grid with each report. Many changes at once are drawn
    // once at the end.
    const int cols = grid->cols();
    const int wanted = grid->rows() - grid->fixed_rows();
    bool columns_differ = static_cast<int>(shown_columns_.size()) != cols;
    for (int c = 0; c < cols && !columns_differ; ++c) {
        const ShownColumn& shown = shown_columns_[static_cast<std::size_t>(c)];
        columns_differ = shown.title != (grid->fixed_rows() > 0 ? grid->cell(0, c) : "") ||
                         shown.width != grid->col_width(c);
    }
    const bool rows_differ = static_cast<int>(shown_cells_.size()) != wanted;
    int cells_differ = 0;
    for (int i = 0; i < std::min(wanted, static_cast<int>(shown_cells_.size())); ++i) {
        const auto& shown_row = shown_cells_[static_cast<std::size_t>(i)];
        for (int c = 0; c < cols; ++c) {
            const std::size_t sc = static_cast<std::size_t>(c);
            if (sc >= shown_row.size() || shown_row[sc] != grid->cell(i + grid->fixed_rows(), c)) {
                ++cells_differ;
            }
        }
    }
    if (!columns_differ && !rows_differ && cells_differ == 0) {
        sync_selection();
        return;
    }
    updating_ = true;
    const bool hold = columns_differ || rows_differ || cells_differ > 16;
    if (hold) {
        SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
    }
    if (columns_differ) {
        sync_columns();
    }
    while (static_cast<int>(shown_cells_.size()) > wanted) {
        ListView_DeleteItem(hwnd_, static_cast<int>(shown_cells_.size()) - 1);
        shown_cells_.pop_back();
    }
    for (int i = static_cast<int>(shown_cells_.size()); i < wanted; ++i) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = const_cast<char*>("");
        SendMessageA(hwnd_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        shown_cells_.emplace_back();
    }
    for (int i = 0; i < wanted; ++i) {
        shown_cells_[static_cast<std::size_t>(i)].resize(static_cast<std::size_t>(cols));
        for (int c = 0; c < cols; ++c) {
            show_cell(i, c, grid->cell(i + grid->fixed_rows(), c));
        }
    }
    if (hold) {
        SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(hwnd_, nullptr, TRUE);
    }
    updating_ = false;
    sync_selection();
}

void Win32ControlPeer::sync_columns() {
    auto* grid = static_cast<Grid*>(control_);
    while (static_cast<int>(shown_columns_.size()) > grid->cols()) {
        ListView_DeleteColumn(hwnd_, static_cast<int>(shown_columns_.size()) - 1);
        shown_columns_.pop_back();
    }
    for (int c = 0; c < grid->cols(); ++c) {
        std::string title = grid->fixed_rows() > 0 ? grid->cell(0, c) : std::string{};
        const bool exists = c < static_cast<int>(shown_columns_.size());
        if (exists && shown_columns_[static_cast<std::size_t>(c)].title == title &&
            shown_columns_[static_cast<std::size_t>(c)].width == grid->col_width(c)) {
            continue;
        }
        // A header caption is never cut: the column widens to it where the font needs more.
        const int caption_px =
            title.empty() ? 0 : ListView_GetStringWidth(hwnd_, title.c_str()) + 14;
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = title.data();
        column.cx = std::max(form_.to_px_x(grid->col_width(c)), caption_px);
        column.iSubItem = c;
        SendMessageA(hwnd_, exists ? LVM_SETCOLUMNA : LVM_INSERTCOLUMNA, static_cast<WPARAM>(c),
                     reinterpret_cast<LPARAM>(&column));
        const ShownColumn shown{title, grid->col_width(c)};
        if (exists) {
            shown_columns_[static_cast<std::size_t>(c)] = shown;
        } else {
            shown_columns_.push_back(shown);
        }
    }
}

void Win32ControlPeer::show_cell(int item, int col, const std::string& text) {
    auto& shown_row = shown_cells_[static_cast<std::size_t>(item)];
    if (shown_row.size() <= static_cast<std::size_t>(col)) {
        shown_row.resize(static_cast<std::size_t>(col) + 1);
    }
    std::string& shown = shown_row[static_cast<std::size_t>(col)];
    if (shown != text) {
        shown = text;
        ListView_SetItemText(hwnd_, item, col, shown.data());
    }
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
    if (control_ != nullptr && control_->kind() == ControlKind::grid &&
        header.code == LVN_ITEMCHANGED) {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if (change.iItem >= 0 && static_cast<std::size_t>(change.iItem) < shown_selected_.size() &&
            (change.uChanged & LVIF_STATE) != 0) {
            shown_selected_[static_cast<std::size_t>(change.iItem)] =
                (change.uNewState & LVIS_SELECTED) != 0;
        }
    }
    if (control_ == nullptr || updating_) {
        return;
    }
    if (control_->kind() == ControlKind::tab_strip && header.code == TCN_SELCHANGE) {
        static_cast<TabStrip*>(control_)->user_selected(TabCtrl_GetCurSel(hwnd_));
    } else if (control_->kind() == ControlKind::grid && header.code == LVN_ITEMCHANGED) {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if ((change.uNewState & LVIS_SELECTED) != 0 && (change.uOldState & LVIS_SELECTED) == 0) {
            auto* grid = static_cast<Grid*>(control_);
            grid->user_selected_row(change.iItem + grid->fixed_rows());
        }
    }
}

bool Win32ControlPeer::grid_mouse(UINT msg, WPARAM wp, POINT pt) {
    // A grid selects whole rows, and with the button held the selection follows the pointer
    // from row to row (the list view would start a drag instead).
    const bool dragging = msg == WM_MOUSEMOVE && (wp & MK_LBUTTON) != 0 && GetCapture() == hwnd_;
    if (msg != WM_LBUTTONDOWN && msg != WM_LBUTTONUP && !dragging) {
        return false;
    }
    if (msg == WM_LBUTTONDOWN) {
        SetFocus(hwnd_);
        SetCapture(hwnd_);
    }
    LVHITTESTINFO hit{};
    hit.pt = pt;
    const int item = ListView_SubItemHitTest(hwnd_, &hit);
    if (item >= 0 && msg != WM_LBUTTONUP &&
        (ListView_GetItemState(hwnd_, item, LVIS_SELECTED) & LVIS_SELECTED) == 0) {
        ListView_SetItemState(hwnd_, item, LVIS_SELECTED | LVIS_FOCUSED,
                              LVIS_SELECTED | LVIS_FOCUSED);
    }
    if (msg == WM_LBUTTONUP && GetCapture() == hwnd_) {
        ReleaseCapture();
    }
    if (control_ != nullptr) {
        const MouseEvent e{msg == WM_MOUSEMOVE ? 1 : message_button(msg, wp), 0,
                           static_cast<double>(form_.from_px_x(pt.x)),
                           static_cast<double>(form_.from_px_y(pt.y))};
        if (msg == WM_LBUTTONDOWN) {
            control_->raise_mouse_down(e);
        } else if (msg == WM_LBUTTONUP) {
            control_->raise_mouse_up(e);
        } else {
            control_->raise_mouse_move(e);
        }
    }
    return true;
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
            if (c.kind() == ControlKind::grid && grid_mouse(msg, wp, pt)) {
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
