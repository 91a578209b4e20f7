#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"
#include "platform/startup.h"
#include "settings/autostart_store.h"
#include "settings/installation.h"
#include "settings/network_store.h"
#include "settings/settings_record.h"
#include "settings/store_problem.h"
#include "settings/stored_lists.h"
#include "settings/stored_values.h"

namespace vardex {

class Random;

inline constexpr char settings_key_path[] = "SOFTWARE\\Morvandel4";

// The registry store of every setting: the record, the open settings key, the bulk load and
// save with their defaults and repairs, and the few values that their owners write alone.
// The values, the lists, the autostart and the network's table are stored by units of their
// own; this one holds the record and the key and runs them in order. Problems are reported
// through show_start_error.
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
    std::vector<StoredComputer> load_computer_table() {
        return vardex::load_computer_table(values_, settings_key_.get());
    }
    // The records from index `first` on that changed, the count when it changed from
    // `old_count`, and no values left of records past the end.
    long save_computer_records(std::size_t first, const std::vector<StoredComputer>& changed,
                               std::size_t count, std::size_t old_count) {
        return vardex::save_computer_records(values_, settings_key_.get(), first, changed, count,
                                             old_count);
    }
    // The network key's newest time taken per sender, kept across a restart ("NAME;time;...").
    SenderStamps load_newest_stamps() {
        return vardex::load_newest_stamps(values_, settings_key_.get());
    }
    long store_newest_stamps(const SenderStamps& stamps) {
        return vardex::store_newest_stamps(values_, settings_key_.get(), stamps);
    }

  private:
    void report(const std::string& text, StoreProblem kind) {
        if (show_start_error) {
            show_start_error(text, kind);
        }
    }
    void run_leave_network();
    void create_first_run();
    void load_scalars();
    long save_scalars();
    bool settings_key_is_empty();
    ReportProblem reporter() {
        return [this](const std::string& text, StoreProblem kind) { report(text, kind); };
    }

    Registry& registry_;
    Random& random_;
    StoredValues values_;
    AutostartStore autostart_;
    SettingsRecord record_;
    RegKeyHandle settings_key_;
};

}  // namespace vardex
