#include <gtest/gtest.h>

#include "platform/sim/sim_startup.h"

#include <string>
#include <vector>

#include "platform/random.h"
#include "platform/sim/sim_registry.h"
#include "settings/scrambler.h"
#include "settings/settings_store.h"
#include "settings/start_mode.h"

namespace vardex {
namespace {

const std::string S = "SOFTWARE\\Morvandel4";
const std::string I = "SOFTWARE\\Quorvane\\Vardex\\4.0";
// What a first run tells, with its kind.
const std::vector<std::string> first_run_messages = {
    "2 Error in the registry!\rPassword is set to 'zel' and Security Formula to 'KOS'!",
    "0 Error in registry! Vardex had to cancel all Direct Access Code Pages.",
};

struct Store : ::testing::Test {
    sim::SimRegistry reg;
    StandardRandom random;
    sim::SimStartup startup;
    SettingsStore store{reg, random, startup};
    std::vector<std::pair<std::string, int>> messages;
    int left_network = 0;

    Store() {
        reg.put_key("SOFTWARE");
        reg.put_text(I, "Help_Dir", "C:\\Program Files\\Vardex");
        store.show_start_error = [this](const std::string& t, StoreProblem kind) {
            messages.emplace_back(t, static_cast<int>(kind));
        };
        store.leave_network = [this] { ++left_network; };
    }
    void put_scrambled(const std::string& path, const std::string& name, const std::string& text) {
        reg.put_text(path, name, scramble_text(text));
    }
    std::string stored_text(const std::string& path, const std::string& name) {
        auto t = reg.text(path, name);
        return t ? unscramble_text(*t) : "<missing>";
    }
    // A complete, healthy store as a previous run would leave it.
    void put_healthy() {
        reg.put_number(S, "List_Anz", 1);
        put_scrambled(S, "List_Anz_0", "Editor");
        reg.put_number(S, "List_Check_0", 2);
        reg.put_number(S, "l2_1", 1);
        put_scrambled(S, "l2_2_0", "Kid1");
        reg.put_number(S, "l2_3_0", 3600);
        reg.put_number(S, "l2_4_0", 7);
        reg.put_number(S, "l2_5_0", 46363);
        reg.put_number(S, "l2_6_0", 1200);
        reg.put_number(S, "cpanz", 1);
        reg.put_number(S + "\\cp0", "canz", 60);
        reg.put_number(S + "\\cp0", "cpnr", 2);
        reg.put_number(S + "\\cp0", "cpstd", 1);
        reg.put_number(S + "\\cp0", "cpmin", 30);
        put_scrambled(S + "\\cp0", "cpcom", "Room A");
        for (int j = 0; j < 60; ++j) {
            put_scrambled(S + "\\cp0", "0_" + std::to_string(j), "1234567890123451");
        }
        put_scrambled(S, "String1", "ABC");
        put_scrambled(S, "String2", "secret");
        put_scrambled(S, "String3", "d:\\log.txt");
        reg.put_number(S, "Value11", 1);
        reg.put_number(S, "Value5", 7);
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const auto& [t, kind] : messages) {
            out.push_back(std::to_string(kind) + " " + t);
        }
        return out;
    }
};

TEST_F(Store, MissingInstallationKeyOrHelpDirIsFatal) {
    sim::SimRegistry empty;
    SettingsStore bare(empty, random, startup);
    bare.show_start_error = [this](const std::string& t, StoreProblem kind) {
        messages.emplace_back(t, static_cast<int>(kind));
    };
    bare.load_settings();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].second, 1);
    EXPECT_EQ(
        messages[0].first,
        "Vardex couldn't find necessary keys in the registry!\rInstall Vardex again to make sure "
        "your registry works!");

    messages.clear();
    reg.remove_value(I, "Help_Dir");
    store.load_settings();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].second, 1);
    EXPECT_NE(messages[0].first.find("resgestry keys are right!"), std::string::npos);
    EXPECT_FALSE(reg.has_key(S));  // the load stopped before anything else
}

TEST_F(Store, HelpDirGetsItsBackslashOnce) {
    put_healthy();
    store.load_settings();
    EXPECT_EQ(store.record().Help_File, "C:\\Program Files\\Vardex\\vado.hlp");
    reg.put_text(I, "Help_Dir", "C:\\Program Files\\Vardex\\");
    store.load_settings();
    EXPECT_EQ(store.record().Help_Dir, "C:\\Program Files\\Vardex\\");
    EXPECT_EQ(store.record().Help_File, "C:\\Program Files\\Vardex\\vado.hlp");
}

TEST_F(Store, HealthyStoreLoadsWithoutMessages) {
    put_healthy();
    store.load_settings();
    EXPECT_TRUE(messages.empty()) << texts()[0];
    const SettingsRecord& r = store.record();
    ASSERT_EQ(r.forbidden_windows.size(), 1u);
    EXPECT_EQ(r.forbidden_windows[0].title, "Editor");
    EXPECT_EQ(r.forbidden_windows[0].matching, MatchMode::back);
    ASSERT_EQ(r.time_dist_ids.size(), 1u);
    EXPECT_EQ(r.time_dist_ids[0].Time_Dist_ID, "Kid1");
    EXPECT_EQ(r.time_dist_ids[0].Time_Dist_Period, 7);
    ASSERT_EQ(r.code_pages.size(), 1u);
    EXPECT_EQ(r.code_pages[0].cpcom, "Room A");
    EXPECT_EQ(r.code_pages[0].codes[59], "1234567890123451");
    EXPECT_EQ(r.Security_Formula, "ABC");
    EXPECT_EQ(r.Password, "secret");
    EXPECT_EQ(r.Log_Path, "d:\\log.txt");
    EXPECT_EQ(r.Network_Role, NetworkRole::client);
    EXPECT_EQ(left_network, 0);
    EXPECT_EQ(r.Recovery_Minutes, 7);
    // Defaults for what is missing, in memory only.
    EXPECT_EQ(r.Start_minutes, 30);
    EXPECT_EQ(r.Warning_at_1_minutes, 1);
    EXPECT_EQ(r.Admin_Port, 9023);
    EXPECT_EQ(r.localised_texts[0], "System blocked!");
    EXPECT_EQ(r.Computer_Name.rfind("error", 0), 0u);
    EXPECT_FALSE(reg.number(S, "Value4").has_value());
}

TEST_F(Store, AKeyWithoutItsListsAndTextsShowsTheSixMessagesAndWritesOnlyTheirValues) {
    reg.put_number(S, "Value4", 30);
    store.load_settings();
    EXPECT_EQ(texts(),
              (std::vector<std::string>{
                  "0 Error in registry! Had to cancel all Forbidden Windows entries.",
                  "0 Error in registry! Had to cancel all Time Distributer entries!",
                  "0 Error in registry! Vardex had to cancel all Direct Access Code Pages.",
                  "0 Couldn't find security formula! Security formula is set to 'KOS'!",
                  "0 Couldn't find password! Password is set to 'zel'!",
                  "0 Couldn't find Log Filename! Filename is set to 'C:\\VADOLOG.TXT'!",
              }));
    std::vector<std::string> names = reg.value_names(S);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"CPANZ", "L2_1", "LIST_ANZ", "STRING1", "STRING2",
                                               "STRING3", "VALUE4"}));
    EXPECT_EQ(stored_text(S, "String1"), "KOS");
    EXPECT_EQ(stored_text(S, "String3"), "c:\\vadolog.txt");
    EXPECT_EQ(left_network, 1);  // Value11 is missing too
    EXPECT_EQ(store.record().Network_Role, NetworkRole::none);
}

TEST_F(Store, RepairWriteFailuresAreFatalKindThree) {
    reg.put_number(S, "Value4", 30);
    reg.fail_writes(S);
    store.load_settings();
    const auto t = texts();
    ASSERT_EQ(t.size(), 8u);
    EXPECT_EQ(t[0], "3 Couldn't create key in registry!\rCheck your registry!");
    EXPECT_EQ(t[1], "0 Error in registry! Had to cancel all Forbidden Windows entries.");
    EXPECT_EQ(t[4], "3 Couldn't create key in registry!\rCheck your registry!");  // cpanz
    EXPECT_EQ(t[5], "3 Couldn't create key in registry!\rCheck your registry!");  // String1
    EXPECT_EQ(store.record().Security_Formula, "KOS");
}

TEST_F(Store, FirstRunCreatesTheKeyWithItsDefaults) {
    store.load_settings();
    EXPECT_EQ(texts(), first_run_messages);
    EXPECT_EQ(stored_text(S, "String1"), "KOS");
    EXPECT_EQ(stored_text(S, "String2"), "zel");
    EXPECT_EQ(stored_text(S, "String6"), "");
    EXPECT_EQ(stored_text(S, "String20"), "System blocked!");
    EXPECT_EQ(stored_text(S, "String9"), "");
    EXPECT_EQ(reg.number(S, "Value4"), 30);
    EXPECT_EQ(reg.number(S, "Value15"), 1);
    EXPECT_EQ(reg.number(S, "Value11"), 0);
    EXPECT_EQ(reg.number(S, "Value13"), 9023);
    EXPECT_EQ(reg.number(S, "cpanz"), 0);
    EXPECT_EQ(reg.number(S, "Value6"), 0);  // no autostart registered, none taken
    EXPECT_EQ(store.record().Computer_Name, "");
    EXPECT_EQ(left_network, 1);

    // The next start finds a complete store.
    messages.clear();
    store.load_settings();
    EXPECT_TRUE(messages.empty());
}

// What the installer leaves for a standard start and what a standard user may do: the settings
// key exists, empty and open to users; SOFTWARE, the Run key and the guard's service may only be
// read.
TEST_F(Store, TheInstallersEmptyKeyIsAFirstRunThatKeepsTheRegisteredAutostart) {
    const std::string run = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
    reg.put_key(S);
    reg.put_text(run, "Vardex", "\"C:\\Program Files\\Vardex\\Vado41.exe\"");
    startup.set_settings_key_open(S, true);
    startup.set_refused(true);
    for (const std::string& path : {std::string("SOFTWARE"), run}) {
        reg.read_only(path);
    }
    store.load_settings();
    EXPECT_EQ(texts(), first_run_messages);
    EXPECT_EQ(stored_text(S, "String2"), "zel");
    EXPECT_EQ(reg.number(S, "Value6"), 1);
    EXPECT_EQ(reg.number(S, "Value19"), 0);
    EXPECT_EQ(store.record().Autostart, 1);

    // Saving settings that leave the autostart as it is needs no write to the Run key.
    messages.clear();
    store.record().Start_Houres = 3;
    store.save_settings();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(reg.number(S, "Value3"), 3);
    EXPECT_EQ(reg.text(run, "Vardex"), "\"C:\\Program Files\\Vardex\\Vado41.exe\"");
    // Changing it does, and a standard user is told that it failed.
    store.record().Autostart = 0;
    store.save_settings();
    EXPECT_EQ(texts(), std::vector<std::string>(
                           1, "0 Couldn't create key in registry!\rCheck your registry!"));
    EXPECT_TRUE(reg.text(run, "Vardex"));
}

// Early start is the guard: its service starts with Windows and keeps the settings key to
// SYSTEM and administrators.
TEST_F(Store, ALoadPutsBackTheAutostartTheSettingsAskForWhereItMay) {
    const std::string run = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
    put_healthy();
    reg.put_number(S, "Value6", 1);
    reg.put_number(S, "Value19", 1);
    // A standard user's start: nothing can be changed, and nothing is said.
    startup.set_refused(true);
    store.load_settings();
    EXPECT_TRUE(messages.empty());
    EXPECT_FALSE(startup.guard_automatic());
    // An administrator's start after a reinstall: the guard starts with Windows again, and
    // users may no longer use the key.
    startup.set_refused(false);
    startup.set_settings_key_open(S, true);
    store.load_settings();
    EXPECT_TRUE(startup.guard_automatic());
    EXPECT_FALSE(startup.settings_key_open(S));
    EXPECT_FALSE(reg.text(run, "Vardex"));
    EXPECT_TRUE(messages.empty());
}

TEST_F(Store, FirstRunThatCannotCreateTheKeyReportsEachStep) {
    reg.fail_open("SOFTWARE");
    reg.fail_create("SOFTWARE\\Morvandel4");
    store.load_settings();
    const auto t = texts();
    ASSERT_EQ(t.size(), 5u);
    EXPECT_EQ(t[0][0], '2');
    EXPECT_EQ(t[1].substr(0, 56), "1 Vardex couldn't create necessary keys in the registry!");
    EXPECT_EQ(t[2], "3 Couldn't create key in registry!\rCheck your registry!");
    EXPECT_EQ(t[3], "3 Couldn't create key in registry!\rCheck your registry!");  // cpanz
    EXPECT_EQ(t[4], "0 Couldn't create key in registry!\rCheck your registry!");  // the sum
}

TEST_F(Store, DamagedListsAreCancelledWholeAndTheRestStillLoads) {
    put_healthy();
    reg.put_number(S, "List_Anz", 3);  // entries 1 and 2 are missing
    reg.remove_value(S, "l2_6_0");
    reg.put_number(S, "cpanz", 2);  // no subkey cp1
    store.load_settings();
    EXPECT_EQ(texts(),
              (std::vector<std::string>{
                  "0 Error in registry! Had to cancel all Forbidden Windows entries.",
                  "0 Error in registry! Had to cancel all Time Distributer entries.",
                  "0 Error in registry! Vardex had to cancel all Direct Access Code Pages.",
              }));
    EXPECT_TRUE(store.record().forbidden_windows.empty());
    EXPECT_TRUE(store.record().time_dist_ids.empty());
    EXPECT_TRUE(store.record().code_pages.empty());
    EXPECT_EQ(reg.number(S, "List_Anz"), 0);
    EXPECT_EQ(reg.number(S, "l2_1"), 0);
    EXPECT_EQ(reg.number(S, "cpanz"), 0);
    EXPECT_EQ(store.record().Password, "secret");
    // The cancelled entries stay in the store and are ignored; the next load is quiet.
    EXPECT_TRUE(reg.text(S, "List_Anz_0").has_value());
    messages.clear();
    store.load_settings();
    EXPECT_TRUE(messages.empty());
}

TEST_F(Store, AMissingMatchModeOrCodeCancelsItsList) {
    put_healthy();
    reg.remove_value(S, "List_Check_0");
    reg.remove_value(S + "\\cp0", "0_17");
    store.load_settings();
    EXPECT_EQ(texts(),
              (std::vector<std::string>{
                  "0 Error in registry! Had to cancel all Forbidden Windows entries.",
                  "0 Error in registry! Vardex had to cancel all Direct Access Code Pages.",
              }));
    EXPECT_EQ(store.record().time_dist_ids.size(), 1u);
}

TEST_F(Store, NegativeOrAbsurdCountsAreDamagedLists) {
    for (std::int32_t bad : {-1, -11110, 32768, 2000000000}) {
        put_healthy();
        reg.put_number(S, "List_Anz", bad);
        reg.put_number(S, "l2_1", bad < 0 ? bad : 22);
        reg.put_number(S, "cpanz", bad < 0 ? bad : 8);
        messages.clear();
        store.load_settings();
        ASSERT_EQ(messages.size(), 3u) << bad;
        EXPECT_EQ(messages[0].first,
                  "Error in registry! Had to cancel all Forbidden Windows entries.");
        EXPECT_EQ(messages[1].first,
                  "Error in registry! Had to cancel all Time Distributer entries.");
        EXPECT_EQ(reg.number(S, "List_Anz"), 0);
        EXPECT_EQ(reg.number(S, "cpanz"), 0);
    }
}

TEST_F(Store, LongTextsAndEveryCharacterCodeRoundTrip) {
    put_healthy();
    store.load_settings();
    std::string every;
    for (int c = 1; c < 256; ++c) {
        every += static_cast<char>(c);
    }
    const std::string long_title(1000, 'x');
    store.record().forbidden_windows = {{long_title, MatchMode::front},
                                        {every.substr(31), MatchMode::front_or_back}};
    store.record().Log_Path = std::string(600, 'p');
    store.save_settings();
    store.load_settings();
    EXPECT_TRUE(messages.empty());
    ASSERT_EQ(store.record().forbidden_windows.size(), 2u);
    EXPECT_EQ(store.record().forbidden_windows[0].title, long_title);
    EXPECT_EQ(store.record().forbidden_windows[1].title, every.substr(31));
    EXPECT_EQ(store.record().Log_Path, std::string(600, 'p'));
}

TEST_F(Store, SaveWritesEverythingAndTheQuotedAutostart) {
    put_healthy();
    store.load_settings();
    SettingsRecord& r = store.record();
    r.Autostart = 1;
    r.Start_Houres = 2;
    r.localised_texts[6] = "&Pausa";
    store.save_settings();
    EXPECT_TRUE(messages.empty());
    const std::string run = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
    EXPECT_EQ(reg.text(run, "Vardex"), "\"C:\\Program Files\\Vardex\\Vado41.exe\"");
    EXPECT_FALSE(startup.guard_automatic());
    EXPECT_TRUE(startup.settings_key_open(S));
    EXPECT_EQ(reg.number(S, "Value3"), 2);
    EXPECT_EQ(stored_text(S, "String26"), "&Pausa");
    EXPECT_EQ(stored_text(S, "String2"), "secret");  // the password is never written by a save
    EXPECT_EQ(reg.number(S, "Value5"), 7);           // nor the checkpoint

    // Early: the guard's service instead of the Run value, and the key closed to users; an
    // old RunServices value goes.
    reg.put_text("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunServices", "Vardex", "old");
    r.Early_or_Standard_Autostart = 1;
    store.save_settings();
    EXPECT_FALSE(reg.text(run, "Vardex"));
    EXPECT_FALSE(reg.text("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunServices", "Vardex"));
    EXPECT_TRUE(startup.guard_automatic());
    EXPECT_FALSE(startup.settings_key_open(S));
    // Off: neither.
    r.Autostart = 0;
    store.save_settings();
    EXPECT_FALSE(reg.text(run, "Vardex"));
    EXPECT_FALSE(startup.guard_automatic());
    EXPECT_TRUE(startup.settings_key_open(S));
    EXPECT_TRUE(messages.empty());
}

TEST_F(Store, SaveReportsEachFailingPartOnce) {
    put_healthy();
    store.load_settings();
    reg.fail_create("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run");
    store.record().Autostart = 1;
    store.save_settings();
    EXPECT_EQ(
        texts(),
        (std::vector<std::string>{"0 Couldn't create key in registry!\rCheck your registry!"}));
    EXPECT_EQ(store.record().Autostart, 33);
    EXPECT_FALSE(reg.text("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "Vardex"));

    messages.clear();
    reg.clear_faults();
    reg.fail_write(S, "Value9");
    reg.fail_writes(S + "\\cp0");
    store.save_settings();
    EXPECT_EQ(texts(), (std::vector<std::string>{
                           "0 Couldn't write to registry! Some changes haven't been saved!",
                           "0 Couldn't write to registry! Some changes haven't been saved!",
                       }));
    EXPECT_EQ(reg.number(S, "Value10"), 0);  // the save went on after the failure
}

TEST_F(Store, SavedCodePagesAndForbiddenListsReplaceTheStoredOnes) {
    put_healthy();
    store.load_settings();
    store.record().forbidden_windows.push_back({"Game", MatchMode::whole});
    CodePage page;
    page.canz = 59;
    page.cpnr = 1;
    page.cpstd = 2;
    page.cpmin = 0;
    page.cpcom = "Room B";
    page.codes.fill("9999999999999990");
    store.record().code_pages.push_back(page);
    store.save_settings();
    EXPECT_EQ(reg.number(S, "List_Anz"), 2);
    EXPECT_EQ(stored_text(S, "List_Anz_1"), "Game");
    EXPECT_EQ(reg.number(S, "cpanz"), 2);
    EXPECT_EQ(stored_text(S + "\\cp1", "1_59"), "9999999999999990");
    EXPECT_EQ(stored_text(S + "\\cp1", "cpcom"), "Room B");
    store.load_settings();
    EXPECT_EQ(store.record().code_pages.size(), 2u);
    EXPECT_EQ(store.record().code_pages[1].canz, 59);
}

TEST_F(Store, TheStartModeKeptSettingsAskForAndNoneOnAFirstInstallation) {
    EXPECT_EQ(kept_start_mode(reg), std::nullopt);  // no key
    reg.put_key(S);
    EXPECT_EQ(kept_start_mode(reg), std::nullopt);  // the installer's empty key
    reg.put_number(S, "Value3", 0);
    EXPECT_EQ(kept_start_mode(reg), StartMode::off);  // a value missing reads as 0
    reg.put_number(S, "Value6", 1);
    EXPECT_EQ(kept_start_mode(reg), StartMode::standard);
    reg.put_number(S, "Value19", 1);
    EXPECT_EQ(kept_start_mode(reg), StartMode::early);
    reg.put_number(S, "Value6", 0);
    EXPECT_EQ(kept_start_mode(reg), StartMode::off);
}

}  // namespace
}  // namespace vardex
