#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vardex {

class Grid;
struct NetworkComputer;
enum class ClientStatus : std::int16_t;

// The columns of the administrator's grid.
enum class ConsoleColumn { name = 0, status = 1, running = 2, remaining = 3, busy = 4 };

// Whole seconds as hours, minutes and seconds, each at least two digits: 3725 → "01:02:05".
std::string format_hms(double seconds);
// The status column's text of a record's status; empty for an unheard client.
std::string_view status_text(ClientStatus status);

// An open-ended run that ended since the last repaint: its client and the time it ran, as
// the grid showed it.
struct StoppedRun {
    std::string name;
    std::string running;
};

// Brings the grid in line with the table: stale rows go, each client has its row (the grid
// grows when the table outgrows it), and its state and times are shown. Counts the times on by
// `elapsed` seconds. A cell is written only when its text changes.
std::vector<StoppedRun> repaint_rows(Grid& grid, std::vector<NetworkComputer>& table,
                                     double elapsed, bool ping_display);

// The four commands of the console and, for a client's status, why one is refused (empty
// when it is allowed).
enum class ConsoleCommand { countdown, open_ended, lock, message };
std::string_view command_refusal(ConsoleCommand command, ClientStatus status);

}  // namespace vardex
