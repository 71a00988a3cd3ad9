// Scores entered into a table read from any file, with any score and name texts.
#include "FuzzInput.h"
#include "scores/HighScoreTable.h"
#include "scores/ScoreFile.h"

namespace {
// The first place whose score ranks strictly below `score`; a place that is not a number ranks below every number.
std::optional<int> expectedPlace(const ScoreTable &table, const QString &score) {
    if (!refParse(score)) {
        return std::nullopt;
    }
    for (int k = 0; k < PlaceCount; ++k) {
        const auto order = refCompare(score, table.at(static_cast<size_t>(k)).score);
        if (!order || *order > 0) {
            return k;
        }
    }
    return std::nullopt;
}

bool samePlace(const ScorePlace &a, const ScorePlace &b) { return a.score == b.score && a.name == b.name; }
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const auto fields = fuzzFields(data, size);
    ScoreTable table = tableFromLines(splitScoreLines(fuzzField(fields, 0)));

    // Then pairs of score and name, entered one after another as Command1 would.
    for (size_t f = 1; f < fields.size(); f += 2) {
        const QString score = QString::fromUtf8(fields[f]);
        const QString name = QString::fromUtf8(fuzzField(fields, f + 1));
        const ScoreTable before = table;
        const auto expected = expectedPlace(before, score);
        FUZZ_CHECK(placeFor(before, score) == expected);

        const bool entered = insertScore(table, score, name);
        FUZZ_CHECK(entered == expected.has_value());
        FUZZ_CHECK(table.size() == 10);
        if (!entered) {
            for (size_t i = 0; i < table.size(); ++i) {
                FUZZ_CHECK(samePlace(table.at(i), before.at(i)));
            }
            continue;
        }
        // One place changes hands: above it nothing moves, below it everything moves down by one.
        const auto k = static_cast<size_t>(*expected);
        for (size_t i = 0; i < k; ++i) {
            FUZZ_CHECK(samePlace(table.at(i), before.at(i)));
        }
        FUZZ_CHECK(table.at(k).score == score && table.at(k).name == name);
        for (size_t i = k + 1; i < table.size(); ++i) {
            FUZZ_CHECK(samePlace(table.at(i), before.at(i - 1)));
        }
    }
    return 0;
}
