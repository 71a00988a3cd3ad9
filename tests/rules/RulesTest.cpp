// SPDX-License-Identifier: MIT
#include "game/Decimal.h"
#include "platform/SeededRandom.h"
#include "scores/HighScoreTable.h"
#include "scores/ScoreFile.h"
#include "settings/KeyFilter.h"

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

// Catches a line end misread: CR LF, CR and LF each end one line; no end adds an empty one; Latin-1;
// lines past the table's (five here) kept.
TEST(ScoreFile, LinesTable) {
    const std::vector<std::pair<QByteArray, QStringList>> rows{
        {"a\r\nb\r\nc\r\nd\r\ne\r\nf", {"a", "b", "c", "d", "e"}},
        {"a\rb\nc", {"a", "b", "c"}},
        {"a\r\n\r\n\rb\n\n", {"a", "", "", "b", ""}},
        {"", {}},
        {"Ren\xe9\r\n\xff", {QStringLiteral("Ren\u00e9"), QStringLiteral("\u00ff")}}};
    for (const auto &[bytes, lines] : rows) {
        EXPECT_EQ(splitScoreLines(bytes, 5), lines) << bytes.toStdString();
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
