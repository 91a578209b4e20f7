#include "network/console_rows.h"

#include <cmath>
#include <unordered_map>
#include <unordered_set>

#include "network/protocol.h"
#include "platform/ansi.h"
#include "platform/grid.h"

namespace vardex {

namespace {

constexpr int name_col = static_cast<int>(ConsoleColumn::name);
constexpr int status_col = static_cast<int>(ConsoleColumn::status);
constexpr int running_col = static_cast<int>(ConsoleColumn::running);
constexpr int remaining_col = static_cast<int>(ConsoleColumn::remaining);
constexpr int busy_col = static_cast<int>(ConsoleColumn::busy);

std::string two_digits(std::int64_t v) {
    std::string text = std::to_string(v);
    if (v < 10) {
        text.insert(text.begin(), '0');
    }
    return text;
}

// Moves the rows after `row` up one place, up to and including the first row without a name.
void delete_row(Grid& grid, int row) {
    int r = row;
    for (; r + 1 < grid.rows(); ++r) {
        const bool moved_empty = grid.cell(r + 1, name_col).empty();
        for (int c = 0; c < grid.cols(); ++c) {
            grid.set_cell(r, c, grid.cell(r + 1, c));
        }
        if (moved_empty) {
            return;
        }
    }
    for (int c = 0; c < grid.cols(); ++c) {
        grid.set_cell(r, c, "");  // the last row moved up: nothing follows it
    }
}

}  // namespace

std::string format_hms(double seconds) {
    const auto t = static_cast<std::int64_t>(seconds);
    return two_digits(t / 3600) + ":" + two_digits(t % 3600 / 60) + ":" + two_digits(t % 3600 % 60);
}

std::string_view status_text(ClientStatus status) {
    switch (status) {
        case ClientStatus::locked:
            return "Lock mode";
        case ClientStatus::timing:
        case ClientStatus::open_ended:
            return "Timing mode";
        case ClientStatus::not_running:
            return "Vado not running";
        case ClientStatus::options:
            return "Options mode";
        case ClientStatus::paused:
            return "Timer paused";
        case ClientStatus::no_feedback:
            return "NO FEEDBACK";
        default:
            return "";
    }
}

std::vector<StoppedRun> repaint_rows(Grid& grid, std::vector<NetworkComputer>& table,
                                     double elapsed, bool ping_display) {
    std::vector<StoppedRun> stopped;
    // Shown once, when every row is in line: a room of clients changes hundreds of cells.
    grid.set_redraw(false);
    std::unordered_set<std::string> names;
    for (const NetworkComputer& c : table) {
        names.insert(upper_ansi(c.name));
    }
    // Rows of clients that are no longer in the table go.
    for (int r = 1; r < grid.rows() && !grid.cell(r, name_col).empty();) {
        if (names.count(upper_ansi(grid.cell(r, name_col))) == 0) {
            delete_row(grid, r);
        } else {
            ++r;
        }
    }
    std::unordered_map<std::string, int> rows;
    int first_empty = grid.rows();
    for (int r = 1; r < grid.rows(); ++r) {
        const std::string& name = grid.cell(r, name_col);
        if (!name.empty()) {
            rows.emplace(upper_ansi(name), r);
        } else if (first_empty == grid.rows()) {
            first_empty = r;
        }
    }
    for (NetworkComputer& c : table) {
        int row = 0;
        if (const auto it = rows.find(upper_ansi(c.name)); it != rows.end()) {
            row = it->second;
        } else {
            while (first_empty < grid.rows() && !grid.cell(first_empty, name_col).empty()) {
                ++first_empty;
            }
            if (first_empty >= grid.rows()) {
                // More clients than rows: the grid grows, keeping empty rows at its end.
                grid.set_size(grid.rows() + std::max(grid.rows() / 2, 1), grid.cols(),
                              grid.fixed_rows());
            }
            row = first_empty++;
            grid.set_cell(row, name_col, c.name);
            rows.emplace(upper_ansi(c.name), row);
        }
        grid.set_cell(row, busy_col, c.busy ? "***" : "");
        if (c.status != ClientStatus::no_feedback && ping_display) {
            grid.set_cell(row, status_col, "Ping answered");
        } else if (c.status != ClientStatus::unheard) {
            if (c.status == ClientStatus::locked) {
                // An open-ended run was shown, and the client is locked now: the run ended.
                if (grid.cell(row, status_col) == "Timing mode" &&
                    grid.cell(row, remaining_col) == "-") {
                    stopped.push_back({c.name, grid.cell(row, running_col)});
                }
                c.remaining_seconds_seen = -1;
            }
            grid.set_cell(row, status_col, std::string(status_text(c.status)));
        }
        if (!time_runs(c.status)) {
            grid.set_cell(row, running_col, "-");
            grid.set_cell(row, remaining_col, "-");
            continue;
        }
        double running = 0;
        if (c.status == ClientStatus::timing) {
            c.remaining_seconds_seen -= elapsed;
            running = c.countdown_total - c.remaining_seconds_seen;
        } else {
            c.running_seconds += elapsed;
            running = c.running_seconds;
        }
        const double running_whole = std::nearbyint(running);
        grid.set_cell(row, running_col, running_whole < 0 ? "???" : format_hms(running_whole));
        if (c.status == ClientStatus::timing) {
            const double left = std::nearbyint(c.remaining_seconds_seen);
            grid.set_cell(row, remaining_col, left < 0 ? "reading..." : format_hms(left));
        } else {
            grid.set_cell(row, remaining_col, "-");
        }
    }
    grid.set_redraw(true);
    return stopped;
}

std::string_view command_refusal(ConsoleCommand command, ClientStatus status) {
    constexpr std::string_view admin_selected =
        "You selected the administration computer, which can't take commands!";
    constexpr std::string_view not_running =
        "Vardex is not running on that Computer, so it can't be put into timing mode!";
    constexpr std::string_view cannot_block =
        "The selected computer can't be changed to blocking mode!";
    const bool start =
        command == ConsoleCommand::countdown || command == ConsoleCommand::open_ended;
    switch (status) {
        case ClientStatus::unheard:
            return command == ConsoleCommand::countdown || command == ConsoleCommand::message
                       ? admin_selected
                       : std::string_view{};
        case ClientStatus::locked:
            return command == ConsoleCommand::lock ? "Computer is already in blocking mode!"
                                                   : std::string_view{};
        case ClientStatus::timing:
        case ClientStatus::open_ended:
            return start ? "Computer has to be in block mode before you can put it into timing mode"
                         : std::string_view{};
        case ClientStatus::not_running:
            return command == ConsoleCommand::lock ? cannot_block : not_running;
        case ClientStatus::options:
            if (start) {
                return "Computer can't go from options mode to Timing mode. Exit options dialog "
                       "first!";
            }
            return command == ConsoleCommand::lock ? cannot_block : std::string_view{};
        default:
            return {};
    }
}

}  // namespace vardex
