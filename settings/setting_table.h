#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

#include "settings/settings_record.h"

namespace vardex {

// Every scalar setting of the settings key, described once. Load, first run, save and the
// options file are all driven by this table; nothing outside settings/ names a stored value.
//
// The table is in load order: the order in which a load reads the values and reports the
// ones that are missing.

enum class SettingKind { number, text };

// What a load does when the value cannot be read.
enum class WhenMissing {
    use_default,             // the load default, in memory only
    write_default_and_tell,  // store the load default and say so (a failed write is fatal)
    leave_network,           // the network is left, which leaves the role at "none"
    draw_computer_name,      // "error" and a random number, in memory only
};

// How an import takes a setting over from the options file.
enum class OptionImport {
    number,          // a 16-bit number
    port,            // a whole number from 1 to 65535
    text,            // the text as it stands, an empty one too
    text_not_empty,  // an empty value leaves the setting as it is
    log_path,        // taken, with the log switches, when the file can be opened here
    log_switch,      // taken only together with a usable log path
    logo_path,       // taken when the picture file can be read here
};

// Reads and writes one field of the record as the registry stores it.
struct NumberAccess {
    std::int32_t (*get)(const SettingsRecord&) = nullptr;
    void (*set)(SettingsRecord&, std::int32_t) = nullptr;
};
struct TextAccess {
    const std::string& (*get)(const SettingsRecord&) = nullptr;
    void (*set)(SettingsRecord&, std::string) = nullptr;
};

struct Setting {
    std::string_view value_name;  // in the settings key
    std::string_view field_name;  // in the record
    SettingKind kind = SettingKind::number;
    NumberAccess number;
    TextAccess text;
    bool scrambled = false;        // texts only; every text of the settings key is
    std::int32_t load_number = 0;  // the default a load takes for a missing value
    std::string_view load_text;
    std::int32_t first_run_number = 0;  // the value a first run stores
    std::string_view first_run_text;
    WhenMissing when_missing = WhenMissing::use_default;
    std::string_view missing_message;  // for write_default_and_tell
    bool saved = true;                 // written by the save of all settings
    std::string_view options_key;      // key in the options file; empty when not carried
    int options_line = 0;              // its place among the file's lines (1-based)
    OptionImport options_import = OptionImport::number;
};

std::span<const Setting> setting_table();
// The entry of a value name, or nullptr.
const Setting* find_setting(std::string_view value_name);
// The entry of a field of the record, which must have one.
const Setting& setting_of_field(std::string_view field_name);
// Where the event log goes until someone names another file.
std::string_view default_log_path();

// Field accessors for the table, made from a member of the record.
template <auto Member>
constexpr NumberAccess number_field() {
    return {[](const SettingsRecord& r) { return static_cast<std::int32_t>(r.*Member); },
            [](SettingsRecord& r, std::int32_t v) {
                r.*Member = static_cast<std::remove_cvref_t<decltype(r.*Member)>>(v);
            }};
}
template <auto Member>
constexpr TextAccess text_field() {
    return {[](const SettingsRecord& r) -> const std::string& { return r.*Member; },
            [](SettingsRecord& r, std::string v) { r.*Member = std::move(v); }};
}
template <int I>
constexpr TextAccess localised_field() {
    return {[](const SettingsRecord& r) -> const std::string& { return r.localised_texts[I]; },
            [](SettingsRecord& r, std::string v) { r.localised_texts[I] = std::move(v); }};
}

// The value a first run stores, put into the record.
void set_first_run_value(const Setting& s, SettingsRecord& record);

}  // namespace vardex
