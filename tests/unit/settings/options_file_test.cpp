#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "settings/options_file.h"
#include "settings/setting_table.h"

namespace vardex {
namespace {

// A record whose every carried setting has a value of its own.
SettingsRecord distinct_record() {
    SettingsRecord r;
    int n = 0;
    for (const Setting& s : setting_table()) {
        ++n;
        if (s.kind == SettingKind::number) {
            s.number.set(r, s.options_import == OptionImport::port ? 40000 + n : n % 2 + n);
        } else {
            s.text.set(r, "text " + std::to_string(n));
        }
    }
    r.forbidden_windows = {{"Game, the sequel", MatchMode::front},
                           {"a=b", MatchMode::back},
                           {"\"quoted\" title", MatchMode::front_or_back}};
    r.time_dist_ids = {{"Anna", 7200, 1, 46363, 1800}, {"Ben", 3600, 7, 46360, 0}};
    return r;
}

bool usable(const std::string&, bool) {
    return true;
}

// Every field the file carries, each with a value no other field has, set by its own name.
SettingsRecord record_by_name() {
    SettingsRecord r;
    r.forbidden_windows = {{"Game, the sequel", MatchMode::front},
                           {"a=b", MatchMode::back},
                           {"\"quoted\" title", MatchMode::front_or_back}};
    r.time_dist_ids = {{"Anna", 7200, 1, 46363, 1800}, {"Ben", 3600, 7, 46360, 0}};
    r.Log_Path = "d:\\logs\\vardex.log";
    r.Log_Start_Exit_Vado = 1;
    r.Log_Start_Stop_Timer = 0;
    r.Log_Pausing_Timer = 1;
    r.Log_Preventing_Program = 0;
    r.Pause_Option = 1;
    r.Shutoff_Option = 0;
    r.Start_Houres = 32767;
    r.Start_minutes = 45;
    r.Autostart = 1;
    r.Path_of_Logo = "d:\\logo.bmp";
    r.Log_for_Admin = 1;
    r.Path_for_Log_for_Admin = "d:\\admin.csv";
    r.Admin_IP_Address = "10.0.0.1";
    r.Own_IP_Address = "10.0.0.7";
    r.Admin_Port = 9100;
    r.Own_Port = 65535;
    r.Warning_at_10_minutes = 0;
    r.Warning_at_5_minutes = 1;
    r.Warning_at_3_minutes = 0;
    r.Warning_at_1_minutes = 1;
    r.Early_or_Standard_Autostart = 1;
    for (int i = 0; i < localised_text_count; ++i) {
        r.localised_texts[static_cast<std::size_t>(i)] = "text " + std::to_string(20 + i);
    }
    r.Password = "secret";
    r.Security_Formula = "MOS";
    r.Network_Key = "room key";
    return r;
}

// The file of that record, line by line, as the format pairs keys and settings.
constexpr char file_by_name[] =
    "Number_of_Forbidden_Windows=3\r\n"
    "Name(0)=Game, the sequel\r\nMatching(0)=1\r\n"
    "Name(1)=a=b\r\nMatching(1)=2\r\n"
    "Name(2)=\"quoted\" title\r\nMatching(2)=3\r\n"
    "Number_of_Time_Dist_IDs=2\r\n"
    "Time_Dist_ID(0)=Anna\r\nTime_Dist_Time(0)=7200\r\nTime_Dist_Period(0)=1\r\n"
    "Time_Dist_Date(0)=46363\r\nTime_Dist_Remain(0)=1800\r\n"
    "Time_Dist_ID(1)=Ben\r\nTime_Dist_Time(1)=3600\r\nTime_Dist_Period(1)=7\r\n"
    "Time_Dist_Date(1)=46360\r\nTime_Dist_Remain(1)=0\r\n"
    "Log_Path=d:\\logs\\vardex.log\r\n"
    "Log_Start_Exit_Vado=1\r\n"
    "Log_Start_Stop_Timer=0\r\n"
    "Log_Pausing_Timer=1\r\n"
    "Log_Preventing_Program=0\r\n"
    "Pause_Option=1\r\n"
    "Shutoff_Option=0\r\n"
    "Start_Houres=32767\r\n"
    "Start_minutes=45\r\n"
    "Autostart=1\r\n"
    "Path_of_Logo=d:\\logo.bmp\r\n"
    "Log_for_Admin=1\r\n"
    "Path_for_Log_for_Admin=d:\\admin.csv\r\n"
    "Admin_IP_Address=10.0.0.1\r\n"
    "Own_IP_Address=10.0.0.7\r\n"
    "Admin_Port=9100\r\n"
    "Own_Port=65535\r\n"
    "Warning_at_10_minutes=0\r\n"
    "Warning_at_5_minutes=1\r\n"
    "Warning_at_3_minutes=0\r\n"
    "Warning_at_1_minutes=1\r\n"
    "Early_or_Standard_Autostart=1\r\n"
    "Loacalization_DAC_Textfield_Label=text 20\r\n"
    "Loacalization_DAC_Button_Label=text 21\r\n"
    "Loacalization_DAC_Textfield_Help=text 22\r\n"
    "Loacalization_Blocker_Screen=text 23\r\n"
    "Loacalization_DAC_Button_Help=text 24\r\n"
    "Loacalization_Timer_Textfield=text 25\r\n"
    "Loacalization_Pause_Label_running=text 26\r\n"
    "Loacalization_Pause_Label_paused=text 27\r\n"
    "Loacalization_Shutdown_Label=text 28\r\n"
    "Password=secret\r\n"
    "Security_Formula=MOS\r\n"
    "Network_Key=room key\r\n";

TEST(OptionsFile, TheFileIsTheseLinesInThisOrder) {
    EXPECT_EQ(write_options_file(record_by_name()), file_by_name);
}

TEST(OptionsFile, TheFileReadsBackIntoTheFieldsItWasWrittenFrom) {
    SettingsRecord read;
    ASSERT_TRUE(take_over_options(OptionsFile(file_by_name), read, usable));
    const SettingsRecord want = record_by_name();
    ASSERT_EQ(read.forbidden_windows.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(read.forbidden_windows[i].title, want.forbidden_windows[i].title);
        EXPECT_EQ(read.forbidden_windows[i].matching, want.forbidden_windows[i].matching);
    }
    ASSERT_EQ(read.time_dist_ids.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        const TimeDistributerId& a = read.time_dist_ids[i];
        const TimeDistributerId& b = want.time_dist_ids[i];
        EXPECT_EQ(a.Time_Dist_ID, b.Time_Dist_ID);
        EXPECT_EQ(a.Time_Dist_Time, b.Time_Dist_Time);
        EXPECT_EQ(a.Time_Dist_Period, b.Time_Dist_Period);
        EXPECT_EQ(a.Time_Dist_Date, b.Time_Dist_Date);
        EXPECT_EQ(a.Time_Dist_Remain, b.Time_Dist_Remain);
    }
    EXPECT_EQ(read.Log_Path, want.Log_Path);
    EXPECT_EQ(read.Log_Start_Exit_Vado, want.Log_Start_Exit_Vado);
    EXPECT_EQ(read.Log_Start_Stop_Timer, want.Log_Start_Stop_Timer);
    EXPECT_EQ(read.Log_Pausing_Timer, want.Log_Pausing_Timer);
    EXPECT_EQ(read.Log_Preventing_Program, want.Log_Preventing_Program);
    EXPECT_EQ(read.Pause_Option, want.Pause_Option);
    EXPECT_EQ(read.Shutoff_Option, want.Shutoff_Option);
    EXPECT_EQ(read.Start_Houres, want.Start_Houres);
    EXPECT_EQ(read.Start_minutes, want.Start_minutes);
    EXPECT_EQ(read.Autostart, want.Autostart);
    EXPECT_EQ(read.Path_of_Logo, want.Path_of_Logo);
    EXPECT_EQ(read.Log_for_Admin, want.Log_for_Admin);
    EXPECT_EQ(read.Path_for_Log_for_Admin, want.Path_for_Log_for_Admin);
    EXPECT_EQ(read.Admin_IP_Address, want.Admin_IP_Address);
    EXPECT_EQ(read.Own_IP_Address, want.Own_IP_Address);
    EXPECT_EQ(read.Admin_Port, want.Admin_Port);
    EXPECT_EQ(read.Own_Port, want.Own_Port);
    EXPECT_EQ(read.Warning_at_10_minutes, want.Warning_at_10_minutes);
    EXPECT_EQ(read.Warning_at_5_minutes, want.Warning_at_5_minutes);
    EXPECT_EQ(read.Warning_at_3_minutes, want.Warning_at_3_minutes);
    EXPECT_EQ(read.Warning_at_1_minutes, want.Warning_at_1_minutes);
    EXPECT_EQ(read.Early_or_Standard_Autostart, want.Early_or_Standard_Autostart);
    EXPECT_EQ(read.localised_texts, want.localised_texts);
    EXPECT_EQ(read.Password, want.Password);
    EXPECT_EQ(read.Security_Formula, want.Security_Formula);
    EXPECT_EQ(read.Network_Key, want.Network_Key);
    // What the file does not carry stays as it was.
    EXPECT_EQ(read.Network_Role, NetworkRole::none);
    EXPECT_EQ(read.Computer_Name, "");
}

TEST(OptionsFile, AnIdThatCannotBeUsedIsNotTakenAndNumbersTheDialogCannotMakeRefuseTheFile) {
    SettingsRecord r;
    const std::string id = "Number_of_Time_Dist_IDs=2\r\n";
    auto entry = [](int i, const std::string& name, const std::string& time,
                    const std::string& period, const std::string& date, const std::string& left) {
        const std::string n = "(" + std::to_string(i) + ")=";
        return "Time_Dist_ID" + n + name + "\r\nTime_Dist_Time" + n + time +
               "\r\nTime_Dist_Period" + n + period + "\r\nTime_Dist_Date" + n + date +
               "\r\nTime_Dist_Remain" + n + left + "\r\n";
    };
    // A nameless ID would match an empty box: left out, as a blank title is.
    ASSERT_TRUE(take_over_options(OptionsFile(id + entry(0, " ", "3600", "1", "46363", "60") +
                                              entry(1, "Ben", "362340", "7", "2958465", "362340")),
                                  r, usable));
    ASSERT_EQ(r.time_dist_ids.size(), 1u);
    EXPECT_EQ(r.time_dist_ids[0].Time_Dist_ID, "Ben");
    r.time_dist_ids.clear();
    ASSERT_TRUE(take_over_options(
        OptionsFile("Number_of_Time_Dist_IDs=1\r\n" + entry(0, "", "3600", "1", "46363", "60")), r,
        usable));
    EXPECT_TRUE(r.time_dist_ids.empty());
    for (const auto& [time, period, date, left] :
         std::vector<std::array<std::string, 4>>{{"3600", "0", "46363", "60"},
                                                 {"3600", "-7", "46363", "60"},
                                                 {"3600", "3", "46363", "60"},
                                                 {"3600", "1", "2147483647", "60"},
                                                 {"3600", "1", "-1", "60"},
                                                 {"3600", "1", "46363", "-1"},
                                                 {"3600", "1", "46363", "3601"},
                                                 {"362341", "1", "46363", "60"},
                                                 {"-60", "1", "46363", "0"}}) {
        SettingsRecord kept;
        EXPECT_FALSE(take_over_options(OptionsFile("Number_of_Time_Dist_IDs=1\r\n" +
                                                   entry(0, "Anna", time, period, date, left)),
                                       kept, usable))
            << time << " " << period << " " << date << " " << left;
        EXPECT_TRUE(kept.time_dist_ids.empty());
    }
}

TEST(OptionsFile, KeysAndValuesAsTheFormatReadsThem) {
    const OptionsFile file(
        " Log _ Path =  d:\\log, with comma.txt\r\n"
        "pause_option=1\r\n"
        "Start_Houres= 7\r\n"
        "Admin_IP_Address=\r\n"
        "Password=a=b\r\n"
        "Password=second\r\n"
        "no equals sign\n");
    EXPECT_EQ(file.value("Log_Path"), "  d:\\log, with comma.txt");
    EXPECT_EQ(file.value("Password"), "a=b");  // the first entry of a key counts
    EXPECT_EQ(file.value("noequalssign"), "");
    SettingsRecord r;
    r.Pause_Option = 0;
    r.Start_Houres = 3;
    r.Admin_IP_Address = "10.0.0.1";
    r.Password = "zel";
    ASSERT_TRUE(take_over_options(file, r, usable));
    EXPECT_EQ(r.Pause_Option, 0);  // keys are case-sensitive
    EXPECT_EQ(r.Start_Houres, 7);  // a leading blank still converts
    EXPECT_EQ(r.Admin_IP_Address, "");
    EXPECT_EQ(r.Password, "a=b");
}

TEST(OptionsFile, AnyEntryThatCannotBeReadLeavesEverySettingAsItWas) {
    const SettingsRecord before = distinct_record();
    std::vector<std::string> checked;
    const FileUsable watch = [&checked](const std::string& path, bool) {
        checked.push_back(path);
        return true;
    };
    for (const char* text : {
             // two titles, but no match mode for the second
             "Log_Path=x.txt\r\nNumber_of_Forbidden_Windows=2\r\nName(0)=A\r\nMatching(0)=1\r\n"
             "Name(1)=B\r\n",
             "Start_Houres=abc\r\n",
             "Start_minutes=40000\r\n",  // above 16 bits
             "Own_Port=0\r\n",
             "Admin_Port=70000\r\n",
             "Number_of_Time_Dist_IDs=22\r\n",  // more than the 21 a store keeps
             "Number_of_Time_Dist_IDs=1\r\nTime_Dist_ID(0)=A\r\nTime_Dist_Time(0)=60\r\n",
             "Number_of_Forbidden_Windows=-1\r\n",
         }) {
        SettingsRecord r = before;
        EXPECT_FALSE(take_over_options(OptionsFile(text), r, watch)) << text;
        EXPECT_EQ(write_options_file(r), write_options_file(before)) << text;
    }
    EXPECT_TRUE(checked.empty());  // nothing was looked at before the file was read whole
}

TEST(OptionsFile, PathsAreTakenOnlyWhenUsableHere) {
    SettingsRecord r;
    r.Log_Path = "c:\\old.txt";
    r.Log_Start_Exit_Vado = 0;
    r.Path_of_Logo = "old.bmp";
    std::vector<std::pair<std::string, bool>> checked;
    const FileUsable nothing_is = [&checked](const std::string& path, bool reading) {
        checked.emplace_back(path, reading);
        return false;
    };
    const OptionsFile file(
        "Log_Path=q:\\no.txt\r\nLog_Start_Exit_Vado=1\r\nPath_of_Logo=no.bmp\r\n"
        "Own_Port=40000\r\n");
    ASSERT_TRUE(take_over_options(file, r, nothing_is));
    EXPECT_EQ(r.Log_Path, "c:\\old.txt");
    EXPECT_EQ(r.Log_Start_Exit_Vado, 0);  // the switches go with their file
    EXPECT_EQ(r.Path_of_Logo, "old.bmp");
    EXPECT_EQ(r.Own_Port, 40000);
    // The log file is checked for appending, then the logo for reading.
    ASSERT_EQ(checked.size(), 2u);
    EXPECT_EQ(checked[0], (std::pair<std::string, bool>{"q:\\no.txt", false}));
    EXPECT_EQ(checked[1], (std::pair<std::string, bool>{"no.bmp", true}));
    // The switches of a log file that is not taken are not read at all; those of one that is
    // taken are read as every number is.
    const OptionsFile bad_switch(
        "Log_Path=q:\\no.txt\r\nLog_Pausing_Timer=x\r\nStart_Houres=4\r\n");
    ASSERT_TRUE(take_over_options(bad_switch, r, nothing_is));
    EXPECT_EQ(r.Start_Houres, 4);
    EXPECT_FALSE(take_over_options(bad_switch, r, usable));
}

TEST(OptionsFile, AnEmptyFileChangesNothingAndBlankTitlesAreNotTaken) {
    SettingsRecord r = distinct_record();
    const std::string before = write_options_file(r);
    ASSERT_TRUE(take_over_options(OptionsFile(""), r, usable));
    EXPECT_EQ(write_options_file(r), before);
    ASSERT_TRUE(take_over_options(
        OptionsFile("Number_of_Forbidden_Windows=2\r\nMatching(0)=1\r\nName(1)=Game\r\n"
                    "Matching(1)=0\r\n"),
        r, usable));
    ASSERT_EQ(r.forbidden_windows.size(), 1u);
    EXPECT_EQ(r.forbidden_windows[0].title, "Game");
}

}  // namespace
}  // namespace vardex
