#include "settings/start_mode.h"

#include <algorithm>

#include "settings/setting_table.h"
#include "settings/settings_store.h"

namespace vardex {

StartMode start_mode_of(const SettingsRecord& record) {
    if (record.Autostart != 1) {
        return StartMode::off;
    }
    return record.Early_or_Standard_Autostart != 0 ? StartMode::early : StartMode::standard;
}

std::optional<StartMode> kept_start_mode(Registry& registry) {
    RegKeyHandle key(registry);
    if (key.open(local_machine, settings_key_path, RegAccess::query) != 0) {
        return std::nullopt;
    }
    std::uint32_t values = 0;
    std::uint32_t subkeys = 0;
    if (registry.count_entries(key.get(), values, subkeys) != 0 || values == 0) {
        return std::nullopt;
    }
    // The two values as their rows store them; a missing one reads as 0.
    SettingsRecord record;
    for (const Setting& s : setting_table()) {
        if (s.number.set != nullptr &&
            (s.field_name == "Autostart" || s.field_name == "Early_or_Standard_Autostart")) {
            std::int32_t value = 0;
            if (registry.query_number(key.get(), s.value_name, value) != 0) {
                value = 0;
            }
            s.number.set(record, value);
        }
    }
    return start_mode_of(record);
}

}  // namespace vardex
