// SPDX-License-Identifier: MIT
#include "game/Decimal.h"
#include "platform/SeededRandom.h"

#include <gtest/gtest.h>
#include <optional>
#include <vector>

// Catches a comparison turned round or made by text: the winning score and the high scores use it.
TEST(Decimal, CompareTable) {
    const std::vector<std::tuple<const char16_t *, const char16_t *, std::optional<int>>> rows{
        {u"9223372036854775807", u"922337203685477580799999", -1},
        {u"100000001", u"100000000", 1},
        {u"100000000", u"100000000", 0},
        {u"900", u"1000", -1},
        {u"-3000", u"-95", -1},
        {u"-0", u"0", 0},
        {u"5", u"-5", 1},
        {u"", u"1", {}}};
    for (const auto &[a, b, order] : rows) {
        EXPECT_EQ(Decimal::compare(a, b), order) << QString::fromUtf16(a).toStdString();
    }
}

// Catches a changed seed or mapping: every run, on every machine, sees this sequence (whole 2^-24 steps).
TEST(SeededRandom, FirstValuesArePinned) {
    SeededRandom random;
    std::vector<double> steps;
    for (int i = 0; i < 6; ++i) {
        steps.push_back(static_cast<double>(random.next()) * 16777216.0);
    }
    EXPECT_EQ(steps, (std::vector<double>{8692509, 15076616, 12726085, 1007323, 5853891, 12923798}));
}
