#include <gtest/gtest.h>

#include "platform/sim/sim_startup.h"

#include <set>
#include <string>

#include "platform/random.h"
#include "platform/sim/sim_registry.h"
#include "settings/scrambler.h"
#include "settings/setting_table.h"
#include "settings/settings_store.h"

namespace vardex {
namespace {

const std::string S = "SOFTWARE\\Morvandel4";

TEST(SettingTable, NamesKeysAndFileLinesAreEachUsedOnce) {
    std::set<std::string_view> names;
    std::set<std::string_view> keys;
    std::set<int> lines;
    for (const Setting& s : setting_table()) {
        EXPECT_TRUE(names.insert(s.value_name).second) << s.value_name;
        EXPECT_EQ(s.kind == SettingKind::number, s.number.get != nullptr) << s.value_name;
        EXPECT_EQ(s.kind == SettingKind::text, s.text.get != nullptr) << s.value_name;
        if (!s.options_key.empty()) {
            EXPECT_TRUE(keys.insert(s.options_key).second) << s.options_key;
            EXPECT_TRUE(lines.insert(s.options_line).second) << s.options_key;
        }
    }
    // The file's lines 5 to 38 are the scalar settings, the network key last; 1 to 4 are the
    // two lists.
    ASSERT_EQ(lines.size(), 34u);
    EXPECT_EQ(*lines.begin(), 5);
    EXPECT_EQ(*lines.rbegin(), 38);
    EXPECT_EQ(find_setting("Value5")->saved, false);
    EXPECT_EQ(find_setting("String2")->saved, false);
    EXPECT_EQ(find_setting("nothing"), nullptr);
}

struct StoreRoundTrip : ::testing::Test {
    sim::SimRegistry reg;
    StandardRandom random;
    sim::SimStartup startup;
    SettingsStore store{reg, random, startup};
    StoreRoundTrip() {
        reg.put_key("SOFTWARE");
        reg.put_text("SOFTWARE\\Quorvane\\Vardex\\4.0", "Help_Dir", "C:\\Vardex\\");
    }
};

TEST_F(StoreRoundTrip, AFirstRunStoresEveryTableValueAndLoadsItBack) {
    store.load_settings();  // no settings key: first run
    for (const Setting& s : setting_table()) {
        if (s.kind == SettingKind::number) {
            EXPECT_EQ(reg.number(S, std::string(s.value_name)), s.first_run_number) << s.value_name;
        } else {
            const auto stored = reg.text(S, std::string(s.value_name));
            ASSERT_TRUE(stored.has_value()) << s.value_name;
            EXPECT_EQ(unscramble_text(*stored), s.first_run_text) << s.value_name;
        }
    }
    const SettingsRecord first = store.record();
    store.load_settings();
    for (const Setting& s : setting_table()) {
        if (s.kind == SettingKind::number) {
            EXPECT_EQ(s.number.get(store.record()), s.number.get(first)) << s.value_name;
        } else {
            EXPECT_EQ(s.text.get(store.record()), s.text.get(first)) << s.value_name;
        }
    }
}

TEST_F(StoreRoundTrip, ASaveStoresEverySavedSettingUnderItsOwnName) {
    store.load_settings();
    int n = 0;
    for (const Setting& s : setting_table()) {
        ++n;
        if (s.kind == SettingKind::number) {
            s.number.set(store.record(), s.value_name == "Value11" ? 2 : 1000 + n);
        } else {
            s.text.set(store.record(), "text " + std::to_string(n));
        }
    }
    reg.put_number(S, "Value5", 7);
    reg.put_text(S, "String2", scramble_text("secret"));
    store.save_settings();
    store.load_settings();
    n = 0;
    for (const Setting& s : setting_table()) {
        ++n;
        if (!s.saved) {
            continue;
        }
        if (s.kind == SettingKind::number) {
            EXPECT_EQ(s.number.get(store.record()), s.value_name == "Value11" ? 2 : 1000 + n)
                << s.value_name;
        } else {
            EXPECT_EQ(s.text.get(store.record()), "text " + std::to_string(n)) << s.value_name;
        }
    }
    // The checkpoint and the password are written by their owners only.
    EXPECT_EQ(store.record().Recovery_Minutes, 7);
    EXPECT_EQ(store.record().Password, "secret");
}

}  // namespace
}  // namespace vardex
