#include <gtest/gtest.h>

#include "platform/ansi.h"
#include "platform/date.h"

namespace vardex {
namespace {

TEST(SerialDate, KnownDaysAndRoundTrip) {
    EXPECT_EQ(serial_from_civil({1899, 12, 30}), 0);
    EXPECT_EQ(serial_from_civil({1900, 1, 1}), 2);
    EXPECT_EQ(serial_from_civil({1970, 1, 1}), 25569);
    EXPECT_EQ(serial_from_civil({2026, 12, 7}), 46363);
    EXPECT_EQ(serial_from_civil({2024, 2, 29}) + 1, serial_from_civil({2024, 3, 1}));
    for (std::int32_t day = -1000; day < 80000; day += 37) {
        EXPECT_EQ(serial_from_civil(civil_from_serial(day)), day);
    }
}

TEST(AnsiText, UpperCasesLikeTheWindowsCodePage) {
    EXPECT_EQ(upper_ansi("Untitled - Editor"), "UNTITLED - EDITOR");
    EXPECT_EQ(upper_ansi("\xe4\xf6\xfc\xdf"), "\xc4\xd6\xdc\xdf");  // äöüß: ß has no capital
    EXPECT_EQ(upper_ansi(std::string("\xf7")), "\xf7");             // ÷ is no letter
    EXPECT_TRUE(equal_ignoring_case("zel", "ZEL"));
    EXPECT_FALSE(equal_ignoring_case("zel", "zel "));
    EXPECT_TRUE(less_ignoring_case("apple", "Banana"));
    EXPECT_FALSE(less_ignoring_case("b", "A"));
}

}  // namespace
}  // namespace vardex
