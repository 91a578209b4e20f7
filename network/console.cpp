#include "network/console.h"

#include <cmath>

#include "network/admin_log.h"
#include "network/network.h"
#include "network/network_dialog.h"
#include "platform/platform.h"
#include "settings/settings_store.h"
#include "settings/time_boxes.h"
#include "settings/user_messages.h"

namespace vardex {

namespace {
constexpr char select_first[] = "Select an computer out of the list on the left first!";

}  // namespace

NetworkConsole::NetworkConsole(NetworkDialog& dialog, Network& network, SettingsStore& settings,
                               Platform& platform, UserMessages& messages, ConsoleFlow flow)
    : dialog_(dialog),
      protocol_(network.protocol),
      settings_(settings),
      platform_(platform),
      messages_(messages),
      flow_(std::move(flow)) {
    NetworkDialog& d = dialog_;
    d.on_activate = [this] { activate(); };
    d.on_query_unload = [this] {
        // Closing is leaving to the main dialog; the dialog starts afresh next time.
        back_to_main_dialog();
        NetworkDialog& dialog = dialog_;
        dialog.sort_box.set_list_index(0);
        dialog.reset_time_and_text();
        ping_time_ = -1;
        for (int r = 1; r < dialog.computer_grid.rows(); ++r) {
            for (int c = 0; c < dialog.computer_grid.cols(); ++c) {
                dialog.computer_grid.set_cell(r, c, "");
            }
        }
        return true;  // back_to_main_dialog hid it already
    };
    d.repaint_timer.on_tick = [this] { repaint_list(); };
    d.sort_box.on_click = [this] { sort_list(); };
    d.countdown_button.on_click = [this] { start_countdown(); };
    d.open_ended_button.on_click = [this] { start_open_ended(); };
    d.lock_button.on_click = [this] { lock(); };
    d.send_button.on_click = [this] { send_text(); };
    d.ping_button.on_click = [this] { ping_all(); };
    d.remove_button.on_click = [this] { remove_computer(); };
    d.options_button.on_click = [this] { goto_options(); };
    d.main_dialog_button.on_click = [this] { back_to_main_dialog(); };
    d.help_button.on_click = [this] { flow_.show_help(HelpTopic::network); };
    d.exit_button.on_click = [this] { exit(); };
    d.computer_grid.on_select_change = [this] {
        // One whole row at a time; not while the rows are being sorted.
        if (!sorting_) {
            Grid& grid = dialog_.computer_grid;
            grid.select_rows(grid.row(), grid.row());
        }
    };
    network.on_table_changed = [this] { repaint_list(); };
}

double NetworkConsole::now() {
    return platform_.clock().monotonic_seconds();
}

void NetworkConsole::message(const std::string& text) {
    messages_.message(text);
}

void NetworkConsole::open_after_check() {
    dropped_at_open_ = protocol_.dropped_datagrams;
    dialog_.show();
    flow_.leave_blocked_machine();
}

void NetworkConsole::open_from_options() {
    dropped_at_open_ = protocol_.dropped_datagrams;
    flow_.hide_options();
    dialog_.show();
}

void NetworkConsole::activate() {
    repaint_list();
    sort_list();
    dialog_.repaint_timer.set_enabled(true);
    clear_selection();
}

void NetworkConsole::clear_selection() {
    dialog_.computer_grid.select_rows(0, 0);
}

void NetworkConsole::set_ping_time(bool pinged) {
    ping_time_ = pinged ? now() : -1;
}

void NetworkConsole::show_notes() {
    Label& full = dialog_.full_label;
    const bool is_full = protocol_.computer_table.size() >= max_computers;
    full.set_visible(is_full);
    if (is_full) {
        full.set_caption("The list is full (" + std::to_string(max_computers) +
                         " computers)! Remove unused ones so new ones can join.");
    }
    Label& label = dialog_.dropped_label;
    const bool keyed = !settings_.record().Network_Key.empty();
    label.set_visible(keyed);
    if (keyed) {
        label.set_caption("Messages refused since opened (wrong or missing network key): " +
                          std::to_string(protocol_.dropped_datagrams - dropped_at_open_));
    }
}

void NetworkConsole::repaint_list() {
    NetworkDialog& d = dialog_;
    std::vector<NetworkComputer>& table = protocol_.computer_table;
    show_notes();
    if (d.visible() && !startup_checked_) {
        startup_checked_ = true;
        for (const NetworkComputer& c : table) {
            if (time_runs(c.status)) {
                message(
                    "Warning: Some computers where running on startup, sychronisation of timers "
                    "will take at most 60 sec.");
                break;
            }
        }
    }
    const double t = now();
    double elapsed = t - last_repaint_;
    last_repaint_ = t;
    // A stall (a modal message, a sleeping machine) counts as one second, not as its length:
    // the next report of the client sets the time right.
    if (elapsed > 5 || elapsed < 0) {
        elapsed = 1;
    }
    if (ping_time_ != -1 && t - ping_time_ > 2) {
        ping_time_ = -1;
    }
    const bool ping_display = ping_time_ != -1 && std::abs(ping_time_ - t) < 2;
    for (const StoppedRun& run : repaint_rows(d.computer_grid, table, elapsed, ping_display)) {
        if (settings_.record().Log_for_Admin == 1) {
            log_record(run.name, "Countup stopped", run.running);
        }
        message("Timing mode was stopped on computer " + run.name + " after: " + run.running);
    }
}

void NetworkConsole::sort_list() {
    NetworkDialog& d = dialog_;
    const std::size_t count = protocol_.computer_table.size();
    if (count < 2) {
        return;
    }
    d.computer_grid.set_redraw(false);
    sorting_ = true;
    const int col = std::max(d.sort_box.list_index(), 0);
    d.computer_grid.sort_rows(col, 1, static_cast<int>(count));
    d.computer_grid.set_redraw(true);
    sorting_ = false;
    clear_selection();
}

int NetworkConsole::commanded_computer(ConsoleCommand command) {
    const Grid& grid = dialog_.computer_grid;
    const int row = grid.row();
    if (row == 0 || grid.cell(row, static_cast<int>(ConsoleColumn::name)).empty()) {
        message(select_first);
        return -1;
    }
    const int index =
        protocol_.find_computer(grid.cell(row, static_cast<int>(ConsoleColumn::name)));
    if (index < 0) {
        message(select_first);  // the row's client left since the last repaint
        return -1;
    }
    const NetworkComputer& c = protocol_.computer_table[static_cast<std::size_t>(index)];
    if (c.busy) {
        message(
            "The computer is still working on an old command. Please wait, until the old command "
            "id done!");
        return -1;
    }
    if (c.status == ClientStatus::no_feedback) {
        message(
            "This computer gives no feedback, so it can't take commands. Try to 'Ping all "
            "computers' to get some Feedback or check Vardex on that computer.");
        return -1;
    }
    if (const std::string_view refusal = command_refusal(command, c.status); !refusal.empty()) {
        message(std::string(refusal));
        return -1;
    }
    return index;
}

void NetworkConsole::send_command(int index, MessageCode code, const std::string& param) {
    NetworkProtocol& protocol = protocol_;
    NetworkComputer& c = protocol.computer_table[static_cast<std::size_t>(index)];
    const NetworkComputer to = c;
    std::int16_t id = new_queued_id;
    c.busy = true;
    protocol.send_message(code, param, to.name, to.address, to.port, id);
    repaint_list();
    clear_selection();
}

void NetworkConsole::start_countdown() {
    NetworkDialog& d = dialog_;
    const int index = commanded_computer(ConsoleCommand::countdown);
    if (index < 0) {
        return;
    }
    const std::string hours = d.hours_box.text();
    const std::string minutes = d.minutes_box.text();
    if (const auto refusal = time_digits_refusal(hours, minutes)) {
        message(*refusal);
        return;
    }
    if (hours.size() >= 3) {
        message("Number in houres box is to large!");
        return;
    }
    if (minutes.size() > 2) {
        message("Number in minutes box is to large!");
        return;
    }
    // Two digits at most each, by the checks above; an empty box is 0.
    const auto h = static_cast<int>(whole_number(hours).value_or(0));
    const auto m = static_cast<int>(whole_number(minutes).value_or(0));
    const std::string name = protocol_.computer_table[static_cast<std::size_t>(index)].name;
    send_command(index, MessageCode::start_countdown, std::to_string(h * 3600 + m * 60));
    if (settings_.record().Log_for_Admin == 1) {
        log_record(name, "Countdown start", admin_log_duration(h, m));
    }
}

void NetworkConsole::start_open_ended() {
    if (const int index = commanded_computer(ConsoleCommand::open_ended); index >= 0) {
        send_command(index, MessageCode::start_open_ended, "0");
    }
}

void NetworkConsole::lock() {
    if (const int index = commanded_computer(ConsoleCommand::lock); index >= 0) {
        send_command(index, MessageCode::end_timer, "0");
    }
}

void NetworkConsole::send_text() {
    const int index = commanded_computer(ConsoleCommand::message);
    if (index < 0) {
        return;
    }
    TextBox& box = dialog_.text_box;
    if (box.text().empty()) {
        message("You have to enter a message above before you can sent anything!");
        return;
    }
    const std::string text = box.text();
    send_command(index, MessageCode::text, text);
    box.set_text("");
}

void NetworkConsole::remove_computer() {
    const Grid& grid = dialog_.computer_grid;
    const int row = grid.row();
    const std::string name =
        row == 0 ? std::string{} : grid.cell(row, static_cast<int>(ConsoleColumn::name));
    if (name.empty()) {
        message(select_first);
        return;
    }
    if (!platform_.desktop().yes_no_box(
            "This will delete the computer from the Vardex network!\r\nTo reconnect the "
            "computer, you have to goto\r\nthe options dialog of that computer and select "
            "'Client'!\r\n\nDo you want to remove computer from this list?",
            "Vardex - Question")) {
        return;
    }
    if (const int index = protocol_.find_computer(name); index >= 0) {
        protocol_.delete_computer(static_cast<std::size_t>(index));
    }
    repaint_list();
    clear_selection();
}

void NetworkConsole::ping_all() {
    NetworkProtocol& protocol = protocol_;
    for (std::size_t i = 0; i < protocol.computer_table.size(); ++i) {
        protocol.ping_computer(i);
    }
    repaint_list();
    ping_time_ = now();
}

void NetworkConsole::goto_options() {
    NetworkDialog& d = dialog_;
    flow_.show_options();
    d.repaint_timer.set_enabled(false);
    d.hide();
    clear_selection();
    startup_checked_ = false;
}

void NetworkConsole::back_to_main_dialog() {
    NetworkDialog& d = dialog_;
    d.hide();
    d.repaint_timer.set_enabled(false);
    flow_.show_blocked_machine();
    clear_selection();
    startup_checked_ = false;
}

void NetworkConsole::exit() {
    dialog_.repaint_timer.set_enabled(false);
    flow_.exit_program();
}

void NetworkConsole::log_record(const std::string& computer, const std::string& event,
                                const std::string& value) {
    Clock& clock = platform_.clock();
    const LocalTime t = clock.now();
    const std::string record = admin_log_record(clock.short_date_text(t.day),
                                                clock.time_text(t.seconds), computer, event, value);
    if (!append_admin_log(platform_.person_files(), settings_.record().Path_for_Log_for_Admin,
                          record)) {
        message("Error! Could not write to Admin-Log-File! Check the path in the options dialog!");
    }
}

}  // namespace vardex
