// SPDX-License-Identifier: MIT
#include "game/TargetPictures.h"
#include "game/rules/TargetRules.h"

#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

// Catches two targets' rules swapped so that a bomb pays or a snail speeds up: each picture's title names the rule it
// shows. A missing, blank or mixed-up picture: LayoutTest, which holds every target as drawn.
TEST(TargetPictures, EveryTargetHasItsOwnPictureShowingItsRule) {
    const std::array<QString, 4> levels{"Too Easy", "Easy", "Hard", "Too Hard"};
    for (int index = 0; index < TargetCount; ++index) {
        QFile svg(TargetPictures::target(index));
        QStringList rule;
        bonusFor(index) == 0 ? void() : rule.append(bonusFor(index) > 0 ? "bonus" : "penalty");
        speedLevelFor(index) ? rule.append("speed " + levels.at(static_cast<size_t>(*speedLevelFor(index)))) : void();
        isPenguin(index) ? rule.append("penguin") : void();
        const auto title = QRegularExpression("<title>[^:<]*: ([^<]*)</title>")
                               .match(QString::fromUtf8(svg.open(QIODevice::ReadOnly) ? svg.readAll() : QByteArray()));
        EXPECT_EQ(title.captured(1), rule.isEmpty() ? "plain" : rule.join(", ")) << index;
    }
}
