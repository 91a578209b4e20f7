#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/registry.h"
#include "settings/setting_table.h"
#include "settings/settings_record.h"

namespace vardex {

// What the reads give for a value that cannot be read.
inline constexpr std::int32_t missing_number = -11111;
inline constexpr char missing_text[] = "!error!";

// The primitives of the store, on any open key: numbers, texts and scrambled texts, and one
// row of the setting table. Writes return the system's result code (0 = success).
class StoredValues {
  public:
    explicit StoredValues(Registry& registry) : registry_(registry) {}

    Registry& registry() { return registry_; }

    long write_number(RegKey key, std::string_view name, std::int32_t number);
    long write_text(RegKey key, std::string_view name, std::string_view text);
    std::int32_t read_number(RegKey key, std::string_view name);
    std::string read_text(RegKey key, std::string_view name);
    // Unscrambled; missing_text when it cannot be read.
    std::string read_scrambled(RegKey key, std::string_view name);
    long write_scrambled(RegKey key, std::string_view name, std::string_view text);
    // A value that is gone already is no failure: nothing is returned.
    void erase(RegKey key, std::string_view name) { registry_.delete_value(key, name); }

    // The value of one setting, stored as its row says: as the record holds it, or a value
    // that the record takes only once it is stored.
    long write_setting(RegKey key, const Setting& s, const SettingsRecord& record);
    long write_setting(RegKey key, const Setting& s, std::int32_t number);
    long write_setting(RegKey key, const Setting& s, std::string_view text);

  private:
    Registry& registry_;
};

}  // namespace vardex
