#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/registry.h"
#include "settings/settings_record.h"

namespace vardex {

class Random;

inline constexpr char installation_key_path[] = "SOFTWARE\\Quorvane\\Vardex\\4.0";
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

// The registry store of every setting: the record, the open settings key, and the bulk load
// and save with their defaults and repairs. Problems are reported through show_start_error
// with their kind (1 and 3 are fatal at start-up, 0 and 2 only inform).
class SettingsStore {
  public:
    SettingsStore(Registry& registry, Random& random);

    std::function<void(const std::string& text, int kind)> show_start_error;
    // The network's leave operation, run when the stored role is missing.
    std::function<void()> leave_network;

    SettingsRecord& record() { return record_; }
    const SettingsRecord& record() const { return record_; }
    RegKey settings_key() const { return settings_key_.get(); }

    void load_settings();
    void save_settings();
    void close_settings_key() { settings_key_.close(); }

    // The primitives, on any open key.
    long write_number_value(RegKey key, std::string_view name, std::int32_t number);
    long write_text_value(RegKey key, std::string_view name, std::string_view text);
    std::int32_t read_number_value(RegKey key, std::string_view name);
    std::string read_text_value(RegKey key, std::string_view name);
    // A scrambled text of the settings key, unscrambled; missing_text when it cannot be read.
    std::string read_scrambled(RegKey key, std::string_view name);
    long write_scrambled(RegKey key, std::string_view name, std::string_view text);

  private:
    void report(const std::string& text, int kind) {
        if (show_start_error) {
            show_start_error(text, kind);
        }
    }
    void run_leave_network();
    void create_first_run();
    void load_forbidden_windows();
    void load_time_dist_ids();
    void load_code_pages();
    void load_required_text(std::string_view name, std::string& field, const std::string& fallback,
                            const std::string& message);
    void save_autostart();
    void save_code_pages();

    Registry& registry_;
    Random& random_;
    SettingsRecord record_;
    RegKeyHandle settings_key_;
};

}  // namespace vardex
