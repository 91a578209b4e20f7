#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "settings/localised_texts.h"

namespace vardex {

// How a forbidden title is compared with a window title; stored as a 16-bit number.
enum class MatchMode : std::int16_t {
    whole = 0,          // the whole title
    front = 1,          // its beginning
    back = 2,           // its end
    front_or_back = 3,  // either
};

// One forbidden window title and how it is matched.
struct ForbiddenWindow {
    std::string title;
    MatchMode matching = MatchMode::whole;
};

// The machine's place in a Vardex network; stored as a number.
enum class NetworkRole : std::int32_t {
    none = 0,
    client = 1,
    administrator = 2,
    checking_in = 3,  // in memory only, while a client's check-in runs
};

// What the options dialog can make of an ID: two digits of hours and of minutes, a day or a
// week, a day of the calendar.
inline constexpr std::int32_t longest_allowance = 99 * 3600 + 99 * 60;
inline constexpr std::int16_t daily_period = 1;
inline constexpr std::int16_t weekly_period = 7;
inline constexpr std::int32_t last_serial_day = 2'958'465;  // 31 December 9999

// One Time Distributer ID: an allowance per period that recharges itself.
struct TimeDistributerId {
    std::string Time_Dist_ID;
    std::int32_t Time_Dist_Time = 0;    // seconds per period
    std::int16_t Time_Dist_Period = 1;  // days: 1 daily, otherwise weekly
    std::int32_t Time_Dist_Date = 0;    // serial day of the last recharge
    std::int32_t Time_Dist_Remain = 0;  // seconds left in this period
};

// The UDP port of a Vardex network unless the options say otherwise.
inline constexpr std::int32_t default_port = 9023;

inline constexpr int codes_per_page = 60;
inline constexpr std::size_t code_field_length = 16;

// One Code Page: 60 codes of 15 digits and a state character ("1" valid, "0" used).
struct CodePage {
    std::array<std::string, codes_per_page> codes;
    std::int32_t canz = 0;   // codes still valid
    std::int32_t cpnr = 0;   // renewals + 1
    std::int16_t cpstd = 0;  // hours a code grants
    std::int32_t cpmin = 0;  // minutes a code grants
    std::string cpcom;       // comment
};

// The in-memory mirror of every stored setting. Field names are the settings' own; their
// defaults are in the setting table (setting_table.cpp), not here.
struct SettingsRecord {
    std::string Help_Dir;
    std::string Help_File;

    std::int32_t Pause_Option{};                 // Value1
    std::int32_t Start_Houres{};                 // Value3
    std::int32_t Start_minutes{};                // Value4
    std::int32_t Recovery_Minutes{};             // Value5
    std::int32_t Autostart{};                    // Value6
    std::int32_t Log_Start_Exit_Vado{};          // Value7
    std::int32_t Log_Start_Stop_Timer{};         // Value8
    std::int32_t Log_Pausing_Timer{};            // Value9
    std::int32_t Log_Preventing_Program{};       // Value10
    NetworkRole Network_Role{};                  // Value11
    std::int32_t Admin_Port{};                   // Value12
    std::int32_t Own_Port{};                     // Value13
    std::int32_t Shutoff_Option{};               // Value14
    std::int32_t Warning_at_10_minutes{};        // Value15
    std::int32_t Warning_at_5_minutes{};         // Value16
    std::int32_t Warning_at_3_minutes{};         // Value17
    std::int32_t Warning_at_1_minutes{};         // Value18
    std::int32_t Early_or_Standard_Autostart{};  // Value19
    std::int32_t Start_Network_Dialog{};         // Value20
    std::int32_t Log_for_Admin{};                // Value30

    std::string Security_Formula;  // String1
    std::string Password;          // String2
    std::string Log_Path;          // String3
    std::string Path_of_Logo;      // String6
    std::string Computer_Name;     // String9
    std::string Own_IP_Address;    // String10
    std::string Admin_IP_Address;  // String11
    std::array<std::string, localised_text_count> localised_texts;
    std::string Path_for_Log_for_Admin;  // String30
    // Signs and checks every datagram of the network when not empty; the same on every
    // machine of a network.
    std::string Network_Key;  // NetKey

    std::int32_t Active_Time_Dist_ID{};  // l2_0

    std::vector<ForbiddenWindow> forbidden_windows;  // List_Anz
    std::vector<TimeDistributerId> time_dist_ids;    // l2_1
    std::vector<CodePage> code_pages;                // cpanz
};

}  // namespace vardex
