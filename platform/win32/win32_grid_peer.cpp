#include "platform/win32/win32_grid_peer.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/grid.h"
#include "platform/win32/mouse.h"
#include "platform/win32/win32_form_peer.h"

namespace vardex::win32 {

Win32ControlPeer::WindowSpec Win32GridPeer::window_spec() const {
    return {WC_LISTVIEWA, WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
            WS_EX_CLIENTEDGE};
}

void Win32GridPeer::window_made() {
    ListView_SetExtendedListViewStyle(hwnd_, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
}

void Win32GridPeer::cell_changed(int row, int col) {
    if (control_ == nullptr || hwnd_ == nullptr) {
        return;
    }
    auto* grid = static_cast<Grid*>(control_);
    const int item = row - grid->fixed_rows();
    if (item < 0 || static_cast<std::size_t>(item) >= shown_cells_.size()) {
        sync_cells();
    } else if (grid->redraw()) {
        show_cell(item, col, grid->cell(row, col));
    }
}

void Win32GridPeer::rescale() {
    shown_columns_.clear();  // their widths in pixels change with the scaling
    Win32ControlPeer::rescale();
}

void Win32GridPeer::sync_cells() {
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

void Win32GridPeer::sync_columns() {
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

void Win32GridPeer::show_cell(int item, int col, const std::string& text) {
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

void Win32GridPeer::sync_selection() {
    updating_ = true;
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
    updating_ = false;
}

void Win32GridPeer::notify(const NMHDR& header) {
    if (header.code != LVN_ITEMCHANGED) {
        return;
    }
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    if (change.iItem >= 0 && static_cast<std::size_t>(change.iItem) < shown_selected_.size() &&
        (change.uChanged & LVIF_STATE) != 0) {
        shown_selected_[static_cast<std::size_t>(change.iItem)] =
            (change.uNewState & LVIS_SELECTED) != 0;
    }
    if (control_ == nullptr || updating_) {
        return;
    }
    if ((change.uNewState & LVIS_SELECTED) != 0 && (change.uOldState & LVIS_SELECTED) == 0) {
        auto* grid = static_cast<Grid*>(control_);
        grid->user_selected_row(change.iItem + grid->fixed_rows());
    }
}

bool Win32GridPeer::own_mouse(UINT msg, WPARAM wp, POINT pt) {
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

}  // namespace vardex::win32
