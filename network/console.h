#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "network/console_rows.h"
#include "network/message.h"
#include "settings/help_topic.h"

namespace vardex {

class Network;
class NetworkDialog;
class NetworkProtocol;
class Platform;
class SettingsStore;
class UserMessages;

// The other windows as the console's ways in and out see them.
struct ConsoleFlow {
    // In from a passed check: the blocking screen, the main dialog and the check go.
    std::function<void()> leave_blocked_machine;
    std::function<void()> hide_options;
    // Out to the options, filled from the store and in Options mode.
    std::function<void()> show_options;
    // Back to the blocked main dialog (from Options mode too).
    std::function<void()> show_blocked_machine;
    std::function<void()> exit_program;
    std::function<void(HelpTopic)> show_help;
};

// The administrator's console: the network dialog's grid of clients kept up to date every
// second, its commands to the selected client, and the ways in and out of it.
class NetworkConsole {
  public:
    NetworkConsole(NetworkDialog& dialog, Network& network, SettingsStore& settings,
                   Platform& platform, UserMessages& messages, ConsoleFlow flow);

    // In from the security check at start, and from the options dialog.
    void open_after_check();
    void open_from_options();

    void repaint_list();
    // true: a "Ping all computers" happened now; false: none is shown.
    void set_ping_time(bool pinged);
    void sort_list();

    void start_countdown();
    void start_open_ended();
    void lock();
    void send_text();
    void remove_computer();
    void ping_all();
    void goto_options();
    void back_to_main_dialog();
    void exit();

  private:
    void activate();
    // With a network key, how many datagrams were refused since the console was opened; and
    // whether the table is full.
    void show_notes();
    void clear_selection();
    // The client of the selected row after the common checks and the per-status table, or
    // -1 (the refusal shown).
    int commanded_computer(ConsoleCommand command);
    void send_command(int index, MessageCode code, const std::string& param);
    void log_record(const std::string& computer, const std::string& event,
                    const std::string& value);
    void message(const std::string& text);
    double now();

    NetworkDialog& dialog_;
    NetworkProtocol& protocol_;
    SettingsStore& settings_;
    Platform& platform_;
    UserMessages& messages_;
    ConsoleFlow flow_;
    double ping_time_ = -1;
    double last_repaint_ = 0;
    bool startup_checked_ = false;
    bool sorting_ = false;
    std::uint64_t dropped_at_open_ = 0;
};

}  // namespace vardex
