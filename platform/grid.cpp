#include "platform/grid.h"

#include <algorithm>

#include "platform/ansi.h"

namespace vardex {

namespace {
const std::string empty_cell;
}

void Grid::set_size(int rows, int cols, int fixed_rows) {
    rows_ = std::max(rows, 0);
    cols_ = std::max(cols, 0);
    fixed_rows_ = std::clamp(fixed_rows, 0, rows_);
    cells_.resize(static_cast<std::size_t>(rows_));
    for (auto& row : cells_) {
        row.resize(static_cast<std::size_t>(cols_));
    }
    col_widths_.resize(static_cast<std::size_t>(cols_), 1000);
    notify(Prop::cells);
}

const std::string& Grid::cell(int row, int col) const {
    if (row < 0 || row >= rows_ || col < 0 || col >= cols_) {
        return empty_cell;
    }
    return cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
}

void Grid::set_cell(int row, int col, std::string text) {
    if (row < 0 || row >= rows_ || col < 0 || col >= cols_) {
        return;
    }
    auto& cell = cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
    if (cell != text) {
        cell = std::move(text);
        if (peer() != nullptr) {
            peer()->cell_changed(row, col);
        }
    }
}

void Grid::set_col_width(int col, std::int32_t width) {
    if (col < 0 || col >= cols_) {
        return;
    }
    col_widths_[static_cast<std::size_t>(col)] = width;
    notify(Prop::geometry);
}

void Grid::select_rows(int row, int row_sel) {
    row_ = std::clamp(row, 0, std::max(rows_ - 1, 0));
    row_sel_ = std::clamp(row_sel, 0, std::max(rows_ - 1, 0));
    notify(Prop::selection);
}

void Grid::user_selected_row(int row) {
    if (row < fixed_rows_ || row >= rows_) {
        return;
    }
    row_ = row;
    row_sel_ = row;
    if (on_select_change) {
        on_select_change();
    }
    raise_click();
}

void Grid::user_dragged_to_row(int row) {
    if (row != row_ || row != row_sel_) {
        user_selected_row(row);
    }
}

int Grid::row_at(double y) const {
    return y < 0 ? -1 : static_cast<int>(y / row_height);
}

void Grid::set_redraw(bool on) {
    redraw_ = on;
    if (on) {
        notify(Prop::cells);
    }
}

void Grid::sort_rows(int col, int first, int last) {
    first = std::max(first, fixed_rows_);
    last = std::min(last, rows_ - 1);
    if (col < 0 || col >= cols_ || first >= last) {
        return;
    }
    std::stable_sort(cells_.begin() + first, cells_.begin() + last + 1,
                     [col](const std::vector<std::string>& a, const std::vector<std::string>& b) {
                         return less_ignoring_case(a[static_cast<std::size_t>(col)],
                                                   b[static_cast<std::size_t>(col)]);
                     });
    notify(Prop::cells);
}

}  // namespace vardex
