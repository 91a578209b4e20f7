#include <gtest/gtest.h>

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

TEST(OptionsFile, AnExportReadsBackIntoTheSameSettings) {
    const SettingsRecord written = distinct_record();
    const std::string text = write_options_file(written);
    SettingsRecord read;
    ASSERT_TRUE(take_over_options(OptionsFile(text), read, usable));
    for (const Setting& s : setting_table()) {
        if (s.options_key.empty()) {
            continue;
        }
        if (s.kind == SettingKind::number) {
            EXPECT_EQ(s.number.get(read), s.number.get(written)) << s.options_key;
        } else {
            EXPECT_EQ(s.text.get(read), s.text.get(written)) << s.options_key;
        }
    }
    ASSERT_EQ(read.forbidden_windows.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(read.forbidden_windows[i].title, written.forbidden_windows[i].title);
        EXPECT_EQ(read.forbidden_windows[i].matching, written.forbidden_windows[i].matching);
    }
    ASSERT_EQ(read.time_dist_ids.size(), 2u);
    EXPECT_EQ(read.time_dist_ids[1].Time_Dist_ID, "Ben");
    EXPECT_EQ(read.time_dist_ids[1].Time_Dist_Period, 7);
    EXPECT_EQ(read.time_dist_ids[0].Time_Dist_Date, 46363);
    EXPECT_EQ(read.time_dist_ids[0].Time_Dist_Remain, 1800);
    // What the file does not carry stays as it was.
    EXPECT_EQ(read.Network_Role, NetworkRole::none);
    EXPECT_EQ(read.Computer_Name, "");
}

TEST(OptionsFile, TheLinesComeInTheirOrder) {
    SettingsRecord r;
    for (const Setting& s : setting_table()) {
        set_first_run_value(s, r);
    }
    r.forbidden_windows = {{"Game", MatchMode::back}};
    r.Password = "zel";
    const std::string text = write_options_file(r);
    const std::string expected_start =
        "Number_of_Forbidden_Windows=1\r\nName(0)=Game\r\nMatching(0)=2\r\n"
        "Number_of_Time_Dist_IDs=0\r\nLog_Path=c:\\vadolog.txt\r\nLog_Start_Exit_Vado=0\r\n"
        "Log_Start_Stop_Timer=0\r\nLog_Pausing_Timer=0\r\nLog_Preventing_Program=0\r\n"
        "Pause_Option=0\r\nShutoff_Option=0\r\nStart_Houres=0\r\nStart_minutes=30\r\n"
        "Autostart=0\r\nPath_of_Logo=\r\nLog_for_Admin=0\r\nPath_for_Log_for_Admin=\r\n"
        "Admin_IP_Address=\r\nOwn_IP_Address=\r\nAdmin_Port=9023\r\nOwn_Port=9023\r\n"
        "Warning_at_10_minutes=1\r\nWarning_at_5_minutes=1\r\nWarning_at_3_minutes=1\r\n"
        "Warning_at_1_minutes=1\r\nEarly_or_Standard_Autostart=0\r\n"
        "Loacalization_DAC_Textfield_Label=System blocked!\r\n"
        "Loacalization_DAC_Button_Label=Enter Code here:\r\n";
    EXPECT_EQ(text.substr(0, expected_start.size()), expected_start);
    const std::string expected_end =
        "Loacalization_Shutdown_Label=S&hutdown\r\nPassword=zel\r\nSecurity_Formula=KOS\r\n"
        "Network_Key=\r\n";
    EXPECT_EQ(text.substr(text.size() - expected_end.size()), expected_end);
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
