#include "settings/stored_values.h"

#include "settings/scrambler.h"

namespace vardex {

long StoredValues::write_number(RegKey key, std::string_view name, std::int32_t number) {
    return registry_.set_number(key, name, number);
}

long StoredValues::write_text(RegKey key, std::string_view name, std::string_view text) {
    return registry_.set_text(key, name, text);
}

std::int32_t StoredValues::read_number(RegKey key, std::string_view name) {
    std::int32_t value = 0;
    return registry_.query_number(key, name, value) == 0 ? value : missing_number;
}

std::string StoredValues::read_text(RegKey key, std::string_view name) {
    // The whole stored text, whatever its length: the platform asks for the size first.
    std::string text;
    return registry_.query_text(key, name, text) == 0 ? text : std::string(missing_text);
}

std::string StoredValues::read_scrambled(RegKey key, std::string_view name) {
    std::string text = read_text(key, name);
    return text == missing_text ? text : unscramble_text(text);
}

long StoredValues::write_scrambled(RegKey key, std::string_view name, std::string_view text) {
    return write_text(key, name, scramble_text(text));
}

long StoredValues::write_setting(RegKey key, const Setting& s, const SettingsRecord& record) {
    return s.kind == SettingKind::number ? write_setting(key, s, s.number.get(record))
                                         : write_setting(key, s, s.text.get(record));
}

long StoredValues::write_setting(RegKey key, const Setting& s, std::int32_t number) {
    return write_number(key, s.value_name, number);
}

long StoredValues::write_setting(RegKey key, const Setting& s, std::string_view text) {
    return s.scrambled ? write_scrambled(key, s.value_name, text)
                       : write_text(key, s.value_name, text);
}

}  // namespace vardex
