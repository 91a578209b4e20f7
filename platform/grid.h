#pragma once

#include <string>
#include <vector>

#include "platform/control.h"

namespace vardex {

// Rows and columns of text cells with fixed header rows and a selected row range.
class Grid : public Control {
  public:
    Grid(Form& form, std::string name, Control* container = nullptr)
        : Control(form, ControlKind::grid, std::move(name), container) {}

    int rows() const { return rows_; }
    int cols() const { return cols_; }
    int fixed_rows() const { return fixed_rows_; }
    void set_size(int rows, int cols, int fixed_rows);
    const std::string& cell(int row, int col) const;
    void set_cell(int row, int col, std::string text);
    std::int32_t col_width(int col) const { return col_widths_.at(static_cast<std::size_t>(col)); }
    void set_col_width(int col, std::int32_t width);

    // Selected rows row()..row_sel() (either order); 0 with no selection below the header.
    int row() const { return row_; }
    int row_sel() const { return row_sel_; }
    void select_rows(int row, int row_sel);
    std::function<void()> on_select_change;
    void user_selected_row(int row);
    // The pointer moved with a button held over this row: the selection follows it.
    void user_dragged_to_row(int row);
    // The row at a height in the grid (twips from its top), for backends without their own hit
    // test; rows are row_height high.
    static constexpr std::int32_t row_height = 255;
    int row_at(double y) const;

    bool redraw() const { return redraw_; }
    void set_redraw(bool on);
    // Sorts the rows first..last by the text of one column, ascending, ignoring case.
    void sort_rows(int col, int first, int last);

  private:
    int rows_ = 2;
    int cols_ = 2;
    int fixed_rows_ = 1;
    std::vector<std::vector<std::string>> cells_ = {{"", ""}, {"", ""}};
    std::vector<std::int32_t> col_widths_ = {1000, 1000};
    int row_ = 0;
    int row_sel_ = 0;
    bool redraw_ = true;
};

}  // namespace vardex
