// SPDX-License-Identifier: MIT
#include "HighScoreTable.h"

#include "Decimal.h"

ScoreTable tableFromLines(const QStringList &lines) {
    ScoreTable table;
    for (int i = 0; i < PlaceCount; ++i) {
        table.at(static_cast<size_t>(i)).score = lines.value(3 + i);
        table.at(static_cast<size_t>(i)).name = lines.value(15 + i);
    }
    return table;
}

std::optional<int> placeFor(const ScoreTable &table, const QString &score) {
    if (!Decimal::compare(score, score)) {
        return std::nullopt;
    }
    for (int k = 0; k < PlaceCount; ++k) {
        const auto order = Decimal::compare(score, table.at(static_cast<size_t>(k)).score);
        if (!order || *order > 0) {
            return k;
        }
    }
    return std::nullopt;
}

bool insertScore(ScoreTable &table, const QString &score, const QString &nameText) {
    const auto place = placeFor(table, score);
    if (!place) {
        return false;
    }
    for (int p = PlaceCount - 1; p > *place; --p) {
        table.at(static_cast<size_t>(p)) = table.at(static_cast<size_t>(p - 1));
    }
    table.at(static_cast<size_t>(*place)) = {score, nameText};
    return true;
}
