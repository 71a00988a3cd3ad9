// SPDX-License-Identifier: MIT
#include "settings/KeyFilter.h"

#include <gtest/gtest.h>

// Catches a key not ignored or a bound moved: in an "N" box only digits among codes 32 to 126.
TEST(KeyFilter, KeyTable) {
    const std::vector<std::tuple<int, const char *, bool>> rows{
        {'0', "N", true},  {'9', "N", true}, {'/', "N", false}, {':', "N", false}, {' ', "N", false},
        {'~', "N", false}, {31, "N", true},  {127, "N", true},  {0xE9, "N", true}, {'a', "", true}};
    for (const auto &[code, tag, passes] : rows) {
        EXPECT_EQ(keyPasses(code, tag), passes) << code << " " << tag;
    }
    EXPECT_TRUE(textPasses("0123", "N"));
    EXPECT_FALSE(textPasses("12a", "N"));
}
