// SPDX-License-Identifier: MIT
// Catches a score entry into any table that breaks the order or shifts other than by one place.
#include "FuzzInput.h"
#include "game/Decimal.h"
#include "scores/HighScoreTable.h"
#include "scores/ScoreFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const auto fields = fuzzFields(data, size, 1);
    ScoreTable table = tableFromLines(splitScoreLines(fields[0], ScoreFileLinesUsed));
    for (size_t f = 1; f + 1 < fields.size(); f += 2) {
        const QString score = QString::fromUtf8(fields[f]), name = QString::fromUtf8(fields[f + 1]);
        const ScoreTable before = table;
        const auto place = placeFor(before, score);
        const bool numeric = Decimal::compare(score, score).has_value(); // other texts enter nowhere
        FUZZ_CHECK(insertScore(table, score, name) == place.has_value() && (numeric || !place));
        const size_t k = place ? static_cast<size_t>(*place) : before.size();
        for (size_t i = 0; i < before.size(); ++i) { // above the place every score ranks at least as high
            const auto order = Decimal::compare(score, before.at(i).score);
            FUZZ_CHECK(!numeric || (i < k ? order && *order <= 0 : (i > k || !order || *order > 0)));
            const ScorePlace &was = i < k ? before.at(i) : (i == k ? ScorePlace{score, name} : before.at(i - 1));
            FUZZ_CHECK(table.at(i).score == was.score && table.at(i).name == was.name);
        }
    }
    return 0;
}
