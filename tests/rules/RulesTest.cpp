// SPDX-License-Identifier: MIT
#include "game/rules/Decimal.h"

#include <gtest/gtest.h>
#include <optional>
#include <vector>

// Catches a comparison turned round or made by text: the winning score and the high scores use it.
TEST(Decimal, CompareTable) {
    const std::vector<std::tuple<const char16_t *, const char16_t *, std::optional<int>>> rows{
        {u"9223372036854775807", u"922337203685477580799999", -1},
        {u"900", u"1000", -1},
        {u"-3000", u"-95", -1},
        {u"5", u"-5", 1}}; // no number, as a blank winning score or place: the winning-score and entry tables
    for (const auto &[a, b, order] : rows) {
        EXPECT_EQ(Decimal::compare(a, b), order) << QString::fromUtf16(a).toStdString();
    }
}
