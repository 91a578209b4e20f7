#pragma once

#include <string>

#include "platform/registry.h"
#include "platform/startup.h"
#include "settings/settings_record.h"
#include "settings/store_problem.h"
#include "settings/stored_lists.h"
#include "settings/stored_values.h"

namespace vardex {

inline constexpr char run_key_path[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char run_services_key_path[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunServices";
inline constexpr char autostart_value_name[] = "Vardex";

// The program's start with Windows as the record asks for it. Early start is the guard's
// service starting with Windows; the standard start is the command under the program's
// autostart name in Run. The settings key's rights go with it: only the guard's program may
// keep the key to SYSTEM and administrators.
class AutostartStore {
  public:
    AutostartStore(StoredValues& values, Startup& startup, std::string_view settings_key_path)
        : values_(values), startup_(startup), settings_key_path_(settings_key_path) {}

    // What is registered now: the command (early: when the service starts with Windows),
    // missing_text when nothing is.
    std::string registered(const SettingsRecord& record, bool early);
    // A reinstall (or a move to another folder) takes the autostart away while the settings
    // still want it: the load puts it back where it can, and says nothing where it cannot (a
    // standard user's start, at every logon).
    void restore(const SettingsRecord& record);
    // What the save of all settings registers; a Run key that cannot be made turns the record's
    // autostart to 33.
    void save(SettingsRecord& record, const ReportProblem& report);

  private:
    static std::string command(const SettingsRecord& record);
    // The guard's start and the key's rights; false when they could not be set.
    bool apply_start_mode(const SettingsRecord& record);

    StoredValues& values_;
    Startup& startup_;
    std::string_view settings_key_path_;
};

}  // namespace vardex
