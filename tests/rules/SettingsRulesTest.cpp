#include "settings/KeyFilter.h"
#include "settings/StoredSettings.h"

#include <gtest/gtest.h>

// Catches a stored check value misread: only "0" and "1" (blanks around) count, all else is the default.
TEST(StoredSettings, CheckValueTable) {
    const std::vector<std::tuple<const char *, int, int>> rows{
        {"0", 1, 0}, {"1", 0, 1}, {" 1 ", 0, 1}, {"0 ", 1, 0}, {"2", 1, 1}, {"-1", 0, 0}, {"yes", 0, 0}, {"", 1, 1},
    };
    for (const auto &[stored, fallback, value] : rows) {
        EXPECT_EQ(StoredSettings::checkValue(stored, fallback), value) << stored;
    }
}

// Catches a key not ignored or a bound moved: in an "N" box only digits among codes 32 to 126.
TEST(KeyFilter, KeyTable) {
    const std::vector<std::tuple<int, const char *, bool>> rows{
        {'0', "N", true},  {'9', "N", true}, {'/', "N", false}, {':', "N", false}, {' ', "N", false},
        {'~', "N", false}, {31, "N", true},  {127, "N", true},  {0xE9, "N", true}, {'a', "", true},
    };
    for (const auto &[code, tag, passes] : rows) {
        EXPECT_EQ(keyPasses(code, tag), passes) << code << " " << tag;
    }
    EXPECT_TRUE(textPasses("0123", "N"));
    EXPECT_FALSE(textPasses("12a", "N"));
}
