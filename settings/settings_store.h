#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"
#include "platform/startup.h"
#include "settings/installation.h"
#include "settings/settings_record.h"

namespace vardex {

class Random;

inline constexpr char settings_key_path[] = "SOFTWARE\\Morvandel4";
inline constexpr char run_key_path[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char run_services_key_path[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunServices";
inline constexpr char autostart_value_name[] = "Vardex";

// What the read primitives give for a value that cannot be read.
inline constexpr std::int32_t missing_number = -11111;
inline constexpr char missing_text[] = "!error!";

// The list limits: more than this many entries means a damaged list.
inline constexpr std::int32_t max_forbidden_windows = 32767;
inline constexpr std::int32_t max_time_dist_ids = 21;
inline constexpr std::int32_t max_code_pages = 7;

// How serious a problem of the store is: fatal ones stop the start-up.
enum class StoreProblem {
    info = 0,             // told, the program goes on
    no_installation = 1,  // the installation key or Help_Dir is missing: fatal
    first_run = 2,        // the settings key was missing and is made anew
    repair_failed = 3,    // a repair could not be written: fatal
};
inline bool is_fatal(StoreProblem kind) {
    return kind == StoreProblem::no_installation || kind == StoreProblem::repair_failed;
}

// A client of the administrator's computer table as the store keeps it.
struct StoredComputer {
    std::string name;
    std::string address;
    std::int32_t port = 0;
};

template <class Entry>
struct ListLayout;

// The registry store of every setting: the record, the open settings key, the bulk load and
// save with their defaults and repairs, and the few values that their owners write alone.
// Problems are reported through show_start_error.
class SettingsStore {
  public:
    SettingsStore(Registry& registry, Random& random, Startup& startup);

    std::function<void(const std::string& text, StoreProblem kind)> show_start_error;
    // The network's leave operation, run when the stored role is missing.
    std::function<void()> leave_network;

    SettingsRecord& record() { return record_; }
    const SettingsRecord& record() const { return record_; }

    void load_settings();
    void save_settings();
    void close_settings_key() { settings_key_.close(); }

    // Values written alone, at once, outside the save of all settings. Each returns the
    // system's result code (0 = success).
    long store_recovery_minutes(std::int32_t minutes);
    long store_security_formula(std::string_view formula);
    long store_password(std::string_view password);
    // The network role alone, when the administrator takes this machine out of its network.
    long store_network_role();
    // Every Code Page, as soon as one is printed or taken away: customers hold its codes.
    void store_code_pages();
    // The page's count of valid codes and the one code, after a redeem.
    long store_redeemed_code(std::size_t page, std::size_t code);
    // The administrator's clients: a missing count or value loads as no client, "??????",
    // an empty address, port 9023.
    std::vector<StoredComputer> load_computer_table();
    // The records from index `first` on that changed, the count when it changed from
    // `old_count`, and no values left of records past the end.
    long save_computer_records(std::size_t first, const std::vector<StoredComputer>& changed,
                               std::size_t count, std::size_t old_count);
    // The network key's newest time taken per sender, kept across a restart ("NAME;time;...").
    std::vector<std::pair<std::string, std::int64_t>> load_newest_stamps();
    long store_newest_stamps(const std::vector<std::pair<std::string, std::int64_t>>& stamps);

    // The primitives, on any open key.
    long write_number_value(RegKey key, std::string_view name, std::int32_t number);
    long write_text_value(RegKey key, std::string_view name, std::string_view text);
    std::int32_t read_number_value(RegKey key, std::string_view name);
    std::string read_text_value(RegKey key, std::string_view name);
    // A scrambled text of the settings key, unscrambled; missing_text when it cannot be read.
    std::string read_scrambled(RegKey key, std::string_view name);
    long write_scrambled(RegKey key, std::string_view name, std::string_view text);

  private:
    void report(const std::string& text, StoreProblem kind) {
        if (show_start_error) {
            show_start_error(text, kind);
        }
    }
    void run_leave_network();
    void create_first_run();
    template <class Entry>
    void load_list(const ListLayout<Entry>& layout, std::vector<Entry>& list);
    void load_scalars();
    long save_scalars();
    long save_forbidden_windows();
    long save_time_dist_ids();
    void save_autostart();
    // A reinstall (or a move to another folder) takes the autostart away while the settings
    // still want it: the load puts it back where it can, and says nothing where it cannot (a
    // standard user's start, at every logon).
    void restore_autostart();
    std::string autostart_command() const;
    // Early start is the guard's service starting with Windows; the standard start is the
    // command under the program's autostart name in Run. What is registered now: the command
    // (early: when the service starts with Windows), missing_text when nothing is.
    std::string registered_autostart(bool early);
    // The guard's start and the key's rights that go with the autostart the record asks for;
    // false when they could not be set.
    bool apply_start_mode();
    bool settings_key_is_empty();

    Registry& registry_;
    Random& random_;
    Startup& startup_;
    SettingsRecord record_;
    RegKeyHandle settings_key_;
};

}  // namespace vardex
