// SPDX-License-Identifier: MIT
#include "game/rules/Decimal.h"
#include "game/rules/HighScoreTable.h"

#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace {
// Scores 10000, 9000 ... 1000 named "Player 1" to "Player 10", laid out as in scores.dat.
ScoreTable tenToOne() {
    QStringList lines(25);
    for (int i = 0; i < 10; ++i) {
        lines[3 + i] = QString::number(10000 - 1000 * i);
        lines[15 + i] = QStringLiteral("Player %1").arg(i + 1);
    }
    return tableFromLines(lines);
}
} // namespace

// Catches a comparison turned round or made non-strict (the first place beaten strictly, ties below), a place below
// a new entry not moved down, moved by two, or the last kept: players by place, "N" the new one.
TEST(HighScores, EntryTable) {
    const std::vector<std::pair<const char *, const char *>> rows{
        {"10001", "N 1 2 3 4 5 6 7 8 9"}, {"7001", "1 2 3 N 4 5 6 7 8 9"},  {"7000", "1 2 3 4 N 5 6 7 8 9"},
        {"1500", "1 2 3 4 5 6 7 8 9 N"},  {"1000", "1 2 3 4 5 6 7 8 9 10"}, {"lots", "1 2 3 4 5 6 7 8 9 10"}};
    for (const auto &[score, places] : rows) {
        ScoreTable table = tenToOne();
        EXPECT_EQ(insertScore(table, score, "N"), QString(places).contains('N')) << score;
        QStringList names;
        for (const ScorePlace &place : table) {
            names << QString(place.name).remove("Player ");
            EXPECT_EQ(place.score, names.last() == "N" ? score : QString::number(11000 - 1000 * names.last().toInt()));
        }
        EXPECT_EQ(names.join(' '), places) << score;
    }
    ScoreTable blanks = tenToOne();
    blanks[6].score = "";
    EXPECT_EQ(placeFor(blanks, "-500"), 6); // a blank place ranks below every number
}

// Catches a comparison turned round or made by text: the winning score and the high scores use it.
TEST(Decimal, CompareTable) {
    const std::vector<std::tuple<const char16_t *, const char16_t *, std::optional<int>>> rows{
        {u"9223372036854775807", u"922337203685477580799999", -1},
        {u"900", u"1000", -1},
        {u"-3000", u"-95", -1},
        {u"-0", u"0", 0},
        {u"5", u"-5", 1},
        {u"", u"1", {}}};
    for (const auto &[a, b, order] : rows) {
        EXPECT_EQ(Decimal::compare(a, b), order) << QString::fromUtf16(a).toStdString();
    }
}
