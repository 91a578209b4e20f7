#include <gtest/gtest.h>

#include <random>
#include <string>

#include "settings/scrambler.h"

namespace vardex {
namespace {

// The historical formula, as stored values and peers know it.
std::string historical_scramble(const std::string& text) {
    std::string t = text;
    const std::size_t length = t.size();
    for (std::size_t p = 1; p <= length / 2; p += 2) {
        std::swap(t[p - 1], t[length - p - 1]);
    }
    for (std::size_t p = 1; p <= length; ++p) {
        int code = static_cast<unsigned char>(t[p - 1]) - static_cast<int>(29 + p);
        if (code < 32) {
            code += 224;
        }
        t[p - 1] = static_cast<char>(code);
    }
    return t;
}

TEST(Scrambler, KnownValuesAndShortTexts) {
    EXPECT_EQ(scramble_text("abc"), "DBC");
    EXPECT_EQ(scramble_text(""), "");
    EXPECT_EQ(unscramble_text(""), "");
    // One or two characters are only shifted: the swap touches nothing.
    EXPECT_EQ(scramble_text("a"), std::string(1, static_cast<char>('a' - 30)));
    EXPECT_EQ(scramble_text("ab"),
              std::string({static_cast<char>('a' - 30), static_cast<char>('b' - 31)}));
    EXPECT_EQ(unscramble_text(scramble_text("zel")), "zel");
}

TEST(Scrambler, RandomTextsRoundTripAndKeepTheHistoricalFormUpTo226) {
    std::mt19937 rng(20261209);
    std::uniform_int_distribution<int> code(32, 255);
    std::uniform_int_distribution<int> length(0, 1000);
    for (int n = 0; n < 3000; ++n) {
        std::string text(static_cast<std::size_t>(n < 1000 ? n : length(rng)), ' ');
        for (char& c : text) {
            c = static_cast<char>(code(rng));
        }
        const std::string scrambled = scramble_text(text);
        ASSERT_EQ(scrambled.find('\0'), std::string::npos) << "length " << text.size();
        ASSERT_EQ(unscramble_text(scrambled), text) << "length " << text.size();
        if (text.size() <= 226) {
            ASSERT_EQ(scrambled, historical_scramble(text)) << "length " << text.size();
        }
    }
}

TEST(Scrambler, BlanksAtBothEndsAndControlCharacters) {
    EXPECT_EQ(unscramble_text(scramble_text(" padded code     ")), " padded code     ");
    // Characters below 32 are stored as blanks.
    EXPECT_EQ(unscramble_text(scramble_text(std::string("a\tb\x01", 4))), "a b ");
    // The unscrambler cuts at the first NUL, as a registry text ends there.
    const std::string s = scramble_text("hello");
    EXPECT_EQ(unscramble_text(s + std::string("\0garbage", 8)), "hello");
}

}  // namespace
}  // namespace vardex
