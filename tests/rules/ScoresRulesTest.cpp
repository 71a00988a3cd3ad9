// SPDX-License-Identifier: MIT
#include "scores/HighScoreTable.h"
#include "scores/ScoreFile.h"

#include <gtest/gtest.h>
#include <optional>

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

// Catches a line end misread: CR LF, CR and LF each end one line; no end adds an empty one; Latin-1.
TEST(ScoreFile, LinesTable) {
    const std::vector<std::pair<QByteArray, QStringList>> rows{
        {"a\r\nb\r\nc\r\n", {"a", "b", "c"}},
        {"a\rb\nc", {"a", "b", "c"}},
        {"a\r\n\r\n\rb\n\n", {"a", "", "", "b", ""}},
        {"", {}},
        {"Ren\xe9\r\n\xff", {QStringLiteral("Ren\u00e9"), QStringLiteral("\u00ff")}}};
    for (const auto &[bytes, lines] : rows) {
        EXPECT_EQ(splitScoreLines(bytes), lines) << bytes.toStdString();
    }
}

// Catches a comparison turned round or made non-strict: the first place beaten strictly, ties below.
TEST(HighScores, PlaceTable) {
    const std::vector<std::pair<const char *, std::optional<int>>> rows{
        {"20000", 0}, {"10001", 0}, {"7001", 3}, {"7000", 4}, {"1500", 9}, {"1000", {}}, {"-95", {}}, {"lots", {}}};
    for (const auto &[score, place] : rows) {
        EXPECT_EQ(placeFor(tenToOne(), score), place) << score;
    }
    ScoreTable blanks = tenToOne();
    blanks[6].score = "";
    EXPECT_EQ(placeFor(blanks, "-500"), 6); // a blank place ranks below every number
}
