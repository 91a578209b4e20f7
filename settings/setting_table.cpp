#include "settings/setting_table.h"

#include <algorithm>
#include <array>

namespace vardex {

namespace {

using R = SettingsRecord;

constexpr Setting number(std::string_view value_name, std::string_view field_name,
                         NumberAccess access, std::int32_t default_value,
                         std::string_view options_key = {}, int options_line = 0) {
    Setting s;
    s.value_name = value_name;
    s.field_name = field_name;
    s.kind = SettingKind::number;
    s.number = access;
    s.load_number = default_value;
    s.first_run_number = default_value;
    s.options_key = options_key;
    s.options_line = options_line;
    s.options_import = OptionImport::number;
    return s;
}

constexpr Setting text(std::string_view value_name, std::string_view field_name, TextAccess access,
                       std::string_view default_value, std::string_view options_key = {},
                       int options_line = 0) {
    Setting s;
    s.value_name = value_name;
    s.field_name = field_name;
    s.kind = SettingKind::text;
    s.text = access;
    s.scrambled = true;
    s.load_text = default_value;
    s.first_run_text = default_value;
    s.options_key = options_key;
    s.options_line = options_line;
    s.options_import = OptionImport::text;
    return s;
}

constexpr Setting imported_as(Setting s, OptionImport rule) {
    s.options_import = rule;
    return s;
}

constexpr Setting told_when_missing(Setting s, std::string_view message) {
    s.when_missing = WhenMissing::write_default_and_tell;
    s.missing_message = message;
    return s;
}

constexpr Setting not_saved(Setting s) {
    s.saved = false;
    return s;
}

constexpr Setting with(Setting s, WhenMissing rule) {
    s.when_missing = rule;
    return s;
}

template <int I>
constexpr Setting localised(std::string_view value_name, std::string_view options_key,
                            int options_line) {
    return text(value_name, "localised_texts", localised_field<I>(), localised_defaults[I],
                options_key, options_line);
}

// In load order. The options-file lines 1 to 4 are the forbidden titles and the Time
// Distributer IDs, which are lists.
constexpr std::array table{
    imported_as(
        told_when_missing(text("String1", "Security_Formula", text_field<&R::Security_Formula>(),
                               "KOS", "Security_Formula", 37),
                          "Couldn't find security formula! Security formula is set to "
                          "'KOS'!"),
        OptionImport::text_not_empty),
    // The password is written only by its change and by an options import.
    imported_as(not_saved(told_when_missing(
                    text("String2", "Password", text_field<&R::Password>(), "zel", "Password", 36),
                    "Couldn't find password! Password is set to 'zel'!")),
                OptionImport::text_not_empty),
    imported_as(told_when_missing(text("String3", "Log_Path", text_field<&R::Log_Path>(),
                                       "c:\\vadolog.txt", "Log_Path", 5),
                                  "Couldn't find Log Filename! Filename is set to "
                                  "'C:\\VADOLOG.TXT'!"),
                OptionImport::log_path),

    number("l2_0", "Active_Time_Dist_ID", number_field<&R::Active_Time_Dist_ID>(), 0),
    number("Value1", "Pause_Option", number_field<&R::Pause_Option>(), 0, "Pause_Option", 10),
    number("Value14", "Shutoff_Option", number_field<&R::Shutoff_Option>(), 0, "Shutoff_Option",
           11),
    number("Value15", "Warning_at_10_minutes", number_field<&R::Warning_at_10_minutes>(), 1,
           "Warning_at_10_minutes", 22),
    number("Value16", "Warning_at_5_minutes", number_field<&R::Warning_at_5_minutes>(), 1,
           "Warning_at_5_minutes", 23),
    number("Value17", "Warning_at_3_minutes", number_field<&R::Warning_at_3_minutes>(), 1,
           "Warning_at_3_minutes", 24),
    number("Value18", "Warning_at_1_minutes", number_field<&R::Warning_at_1_minutes>(), 1,
           "Warning_at_1_minutes", 25),
    number("Value19", "Early_or_Standard_Autostart",
           number_field<&R::Early_or_Standard_Autostart>(), 0, "Early_or_Standard_Autostart", 26),
    number("Value20", "Start_Network_Dialog", number_field<&R::Start_Network_Dialog>(), 0),
    number("Value30", "Log_for_Admin", number_field<&R::Log_for_Admin>(), 0, "Log_for_Admin", 16),
    number("Value3", "Start_Houres", number_field<&R::Start_Houres>(), 0, "Start_Houres", 12),
    number("Value4", "Start_minutes", number_field<&R::Start_minutes>(), 30, "Start_minutes", 13),
    number("Value6", "Autostart", number_field<&R::Autostart>(), 0, "Autostart", 14),
    imported_as(number("Value7", "Log_Start_Exit_Vado", number_field<&R::Log_Start_Exit_Vado>(), 0,
                       "Log_Start_Exit_Vado", 6),
                OptionImport::log_switch),
    imported_as(number("Value8", "Log_Start_Stop_Timer", number_field<&R::Log_Start_Stop_Timer>(),
                       0, "Log_Start_Stop_Timer", 7),
                OptionImport::log_switch),
    imported_as(number("Value9", "Log_Pausing_Timer", number_field<&R::Log_Pausing_Timer>(), 0,
                       "Log_Pausing_Timer", 8),
                OptionImport::log_switch),
    imported_as(number("Value10", "Log_Preventing_Program",
                       number_field<&R::Log_Preventing_Program>(), 0, "Log_Preventing_Program", 9),
                OptionImport::log_switch),
    // The crash-recovery checkpoint, written alone by the countdown.
    not_saved(number("Value5", "Recovery_Minutes", number_field<&R::Recovery_Minutes>(), 0)),

    // The key names of the first four localisable texts do not describe them; the pairing is
    // the file format.
    localised<0>("String20", "Loacalization_DAC_Textfield_Label", 27),
    localised<1>("String21", "Loacalization_DAC_Button_Label", 28),
    localised<2>("String22", "Loacalization_DAC_Textfield_Help", 29),
    localised<3>("String23", "Loacalization_Blocker_Screen", 30),
    localised<4>("String24", "Loacalization_DAC_Button_Help", 31),
    localised<5>("String25", "Loacalization_Timer_Textfield", 32),
    localised<6>("String26", "Loacalization_Pause_Label_running", 33),
    localised<7>("String27", "Loacalization_Pause_Label_paused", 34),
    localised<8>("String28", "Loacalization_Shutdown_Label", 35),
    text("String30", "Path_for_Log_for_Admin", text_field<&R::Path_for_Log_for_Admin>(), "",
         "Path_for_Log_for_Admin", 17),
    text("String11", "Admin_IP_Address", text_field<&R::Admin_IP_Address>(), "", "Admin_IP_Address",
         18),
    text("String10", "Own_IP_Address", text_field<&R::Own_IP_Address>(), "", "Own_IP_Address", 19),
    with(text("String9", "Computer_Name", text_field<&R::Computer_Name>(), ""),
         WhenMissing::draw_computer_name),

    with(number("Value11", "Network_Role", number_field<&R::Network_Role>(), 0),
         WhenMissing::leave_network),
    imported_as(number("Value12", "Admin_Port", number_field<&R::Admin_Port>(), default_port,
                       "Admin_Port", 20),
                OptionImport::port),
    imported_as(
        number("Value13", "Own_Port", number_field<&R::Own_Port>(), default_port, "Own_Port", 21),
        OptionImport::port),
    imported_as(
        text("String6", "Path_of_Logo", text_field<&R::Path_of_Logo>(), "", "Path_of_Logo", 15),
        OptionImport::logo_path),
    // Came after the file's other lines; a file without it leaves the key as it is.
    text("NetKey", "Network_Key", text_field<&R::Network_Key>(), "", "Network_Key", 38),
};

}  // namespace

std::span<const Setting> setting_table() {
    return table;
}

const Setting* find_setting(std::string_view value_name) {
    const auto it = std::find_if(table.begin(), table.end(),
                                 [&](const Setting& s) { return s.value_name == value_name; });
    return it == table.end() ? nullptr : &*it;
}

const Setting& setting_of_field(std::string_view field_name) {
    const auto it = std::find_if(table.begin(), table.end(),
                                 [&](const Setting& s) { return s.field_name == field_name; });
    return *it;
}

std::string_view default_log_path() {
    return find_setting("String3")->load_text;
}

void set_first_run_value(const Setting& s, SettingsRecord& record) {
    if (s.kind == SettingKind::number) {
        s.number.set(record, s.first_run_number);
    } else {
        s.text.set(record, std::string(s.first_run_text));
    }
}

}  // namespace vardex
