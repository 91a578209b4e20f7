#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "settings/localised_texts.h"

namespace vardex {

// One forbidden window title and how it is matched (0 whole, 1 front, 2 back, 3 either).
struct ForbiddenWindow {
    std::string title;
    std::int16_t matching = 0;
};

// One Time Distributer ID: an allowance per period that recharges itself.
struct TimeDistributerId {
    std::string Time_Dist_ID;
    std::int32_t Time_Dist_Time = 0;    // seconds per period
    std::int16_t Time_Dist_Period = 1;  // days: 1 daily, otherwise weekly
    std::int32_t Time_Dist_Date = 0;    // serial day of the last recharge
    std::int32_t Time_Dist_Remain = 0;  // seconds left in this period
};

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

// The in-memory mirror of every stored setting. Field names are the settings' own.
struct SettingsRecord {
    std::string Help_Dir;
    std::string Help_File;

    std::int32_t Pause_Option = 0;                 // Value1
    std::int32_t Start_Houres = 0;                 // Value3
    std::int32_t Start_minutes = 30;               // Value4
    std::int32_t Recovery_Minutes = 0;             // Value5
    std::int32_t Autostart = 0;                    // Value6
    std::int32_t Log_Start_Exit_Vado = 0;          // Value7
    std::int32_t Log_Start_Stop_Timer = 0;         // Value8
    std::int32_t Log_Pausing_Timer = 0;            // Value9
    std::int32_t Log_Preventing_Program = 0;       // Value10
    std::int32_t Network_Role = 0;                 // Value11
    std::int32_t Admin_Port = 9023;                // Value12
    std::int32_t Own_Port = 9023;                  // Value13
    std::int32_t Shutoff_Option = 0;               // Value14
    std::int32_t Warning_at_10_minutes = 1;        // Value15
    std::int32_t Warning_at_5_minutes = 1;         // Value16
    std::int32_t Warning_at_3_minutes = 1;         // Value17
    std::int32_t Warning_at_1_minutes = 1;         // Value18
    std::int32_t Early_or_Standard_Autostart = 0;  // Value19
    std::int32_t Start_Network_Dialog = 0;         // Value20
    std::int32_t Log_for_Admin = 0;                // Value30

    std::string Security_Formula = "KOS";      // String1
    std::string Password = "zel";              // String2
    std::string Log_Path = "c:\\vadolog.txt";  // String3
    std::string Path_of_Logo;                  // String6
    std::string Computer_Name;                 // String9
    std::string Own_IP_Address;                // String10
    std::string Admin_IP_Address;              // String11
    std::array<std::string, localised_text_count> localised_texts = default_localised_texts();
    std::string Path_for_Log_for_Admin;  // String30

    std::int32_t Active_Time_Dist_ID = 0;  // l2_0

    std::vector<ForbiddenWindow> forbidden_windows;  // List_Anz
    std::vector<TimeDistributerId> time_dist_ids;    // l2_1
    std::vector<CodePage> code_pages;                // cpanz
};

}  // namespace vardex
