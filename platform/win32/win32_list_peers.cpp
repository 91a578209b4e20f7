#include "platform/win32/win32_list_peers.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "platform/list_controls.h"
#include "platform/tab_strip.h"
#include "platform/win32/win32_form_peer.h"

namespace vardex::win32 {

// Combo box.

Win32ControlPeer::WindowSpec Win32ComboBoxPeer::window_spec() const {
    const bool list_only =
        static_cast<const ComboBox*>(control_)->style() == ComboBox::Style::dropdown_list;
    return {"COMBOBOX",
            WS_TABSTOP | WS_VSCROLL | CBS_AUTOHSCROLL |
                static_cast<DWORD>(list_only ? CBS_DROPDOWNLIST : CBS_DROPDOWN),
            0};
}

HWND Win32ComboBoxPeer::edit_hwnd() const {
    if (hwnd_ == nullptr) {
        return nullptr;
    }
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (GetComboBoxInfo(hwnd_, &info) && info.hwndItem != hwnd_) {
        return info.hwndItem;
    }
    return nullptr;
}

int Win32ComboBoxPeer::drop_down_height() const {
    return MulDiv(160, form_.dpi(), 96);  // about eight items
}

void Win32ComboBoxPeer::sync_text() {
    const auto* combo = static_cast<ComboBox*>(control_);
    if (combo->style() == ComboBox::Style::dropdown_list) {
        sync_selection();  // a drop-down list shows the text of its chosen item
    } else {
        show_text(combo->text());
    }
}

void Win32ComboBoxPeer::sync_items() {
    const auto* combo = static_cast<ComboBox*>(control_);
    updating_ = true;
    SendMessageA(hwnd_, CB_RESETCONTENT, 0, 0);
    for (const auto& item : combo->items()) {
        SendMessageA(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
    SendMessageA(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(combo->list_index()), 0);
    if (combo->style() == ComboBox::Style::dropdown_combo) {
        SetWindowTextA(hwnd_, combo->text().c_str());
    }
    updating_ = false;
}

void Win32ComboBoxPeer::sync_selection() {
    updating_ = true;
    SendMessageA(hwnd_, CB_SETCURSEL,
                 static_cast<WPARAM>(static_cast<ComboBox*>(control_)->list_index()), 0);
    updating_ = false;
}

void Win32ComboBoxPeer::on_command(int code) {
    if (code == CBN_SELCHANGE) {
        const auto index = static_cast<int>(SendMessageA(hwnd_, CB_GETCURSEL, 0, 0));
        static_cast<ComboBox*>(control_)->user_selected(index);
    } else if (code == CBN_EDITCHANGE) {
        control_->user_edited_text(window_text());
    } else if (code == CBN_KILLFOCUS) {
        control_->raise_lost_focus();
    }
}

// List box.

Win32ControlPeer::WindowSpec Win32ListBoxPeer::window_spec() const {
    WindowSpec w{"LISTBOX", WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                 WS_EX_CLIENTEDGE};
    const auto multi = static_cast<const ListBox*>(control_)->multi_select();
    if (multi == ListBox::MultiSelect::extended)
        w.style |= LBS_EXTENDEDSEL;
    if (multi == ListBox::MultiSelect::simple)
        w.style |= LBS_MULTIPLESEL;
    return w;
}

void Win32ListBoxPeer::sync_items() {
    const auto* list = static_cast<ListBox*>(control_);
    updating_ = true;
    SendMessageA(hwnd_, LB_RESETCONTENT, 0, 0);
    for (const auto& item : list->items()) {
        SendMessageA(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
    updating_ = false;
    sync_selection();
}

void Win32ListBoxPeer::sync_selection() {
    const auto* list = static_cast<ListBox*>(control_);
    updating_ = true;
    if (list->multi_select() == ListBox::MultiSelect::none) {
        SendMessageA(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(list->list_index()), 0);
    } else {
        for (int i = 0; i < list->list_count(); ++i) {
            SendMessageA(hwnd_, LB_SETSEL, list->selected(i) ? TRUE : FALSE, i);
        }
    }
    updating_ = false;
}

void Win32ListBoxPeer::on_command(int code) {
    if (code == LBN_SELCHANGE) {
        auto* list = static_cast<ListBox*>(control_);
        std::vector<bool> selected(static_cast<std::size_t>(list->list_count()), false);
        for (int i = 0; i < list->list_count(); ++i) {
            selected[static_cast<std::size_t>(i)] = SendMessageA(hwnd_, LB_GETSEL, i, 0) > 0;
        }
        const auto caret = static_cast<int>(SendMessageA(hwnd_, LB_GETCARETINDEX, 0, 0));
        list->user_selection(selected, caret);
    } else if (code == LBN_KILLFOCUS) {
        control_->raise_lost_focus();
    }
}

// Tab strip.

Win32ControlPeer::WindowSpec Win32TabStripPeer::window_spec() const {
    return {WC_TABCONTROLA, WS_TABSTOP | WS_CLIPSIBLINGS, 0};
}

void Win32TabStripPeer::sync_items() {
    const auto* tabs = static_cast<TabStrip*>(control_);
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

void Win32TabStripPeer::sync_selection() {
    updating_ = true;
    TabCtrl_SetCurSel(hwnd_, static_cast<TabStrip*>(control_)->selected());
    updating_ = false;
}

void Win32TabStripPeer::notify(const NMHDR& header) {
    if (control_ != nullptr && !updating_ && header.code == TCN_SELCHANGE) {
        static_cast<TabStrip*>(control_)->user_selected(TabCtrl_GetCurSel(hwnd_));
    }
}

}  // namespace vardex::win32
