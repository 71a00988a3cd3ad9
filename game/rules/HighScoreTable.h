// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

struct ScorePlace {
    QString score;
    QString name;
};

constexpr int PlaceCount = 10;
using ScoreTable = std::array<ScorePlace, PlaceCount>;

// Places 1 to 10 from the score file's lines: scores on lines 4 to 13, names on
// lines 16 to 25; a line the file does not have gives a blank.
ScoreTable tableFromLines(const QStringList &lines);

// The first place (0-based) whose score ranks strictly below `score`. A blank or
// non-numeric place ranks below every number; a non-numeric `score` enters nowhere.
std::optional<int> placeFor(const ScoreTable &table, const QString &score);

// Moves the places below down by one and writes the new entry; false when it does not qualify.
bool insertScore(ScoreTable &table, const QString &score, const QString &nameText);
