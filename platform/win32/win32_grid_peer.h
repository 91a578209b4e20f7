#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win32/win32_control_peer.h"

namespace vardex::win32 {

// A grid as a list view in report mode: whole rows are selected, and with the button held the
// selection follows the pointer. Only what differs from what the list view shows is sent.
class Win32GridPeer final : public Win32ControlPeer {
  public:
    using Win32ControlPeer::Win32ControlPeer;

    void cell_changed(int row, int col) override;
    void notify(const NMHDR& header) override;
    void rescale() override;

  private:
    WindowSpec window_spec() const override;
    void window_made() override;
    void sync_text() override {}
    void sync_selection() override;
    void sync_cells() override;
    bool own_mouse(UINT msg, WPARAM wp, POINT pt) override;
    void sync_columns();
    void show_cell(int item, int col, const std::string& text);

    // What the list view shows: its columns and its cells.
    struct ShownColumn {
        std::string title;
        std::int32_t width = 0;  // twips, as the grid asked
    };
    std::vector<ShownColumn> shown_columns_;
    std::vector<std::vector<std::string>> shown_cells_;
    std::vector<bool> shown_selected_;
};

}  // namespace vardex::win32
