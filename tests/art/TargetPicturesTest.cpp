// SPDX-License-Identifier: MIT
#include "game/TargetPictures.h"
#include "game/rules/TargetRules.h"
#include "platform/PictureCache.h"

#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <gtest/gtest.h>

// Catches a missing, blank or mixed-up target picture (only the three penguins share one: 55 in all), or two
// targets' rules swapped so that a bomb pays or a snail speeds up: each picture's title names the rule it shows.
TEST(TargetPictures, EveryTargetHasItsOwnPictureShowingItsRule) {
    const std::array<QString, 4> levels{"Too Easy", "Easy", "Hard", "Too Hard"};
    QSet<QString> resources;
    for (int index = 0; index < TargetCount; ++index) {
        const QString resource = TargetPictures::target(index);
        const QImage alpha = PictureCache::render(resource, QSize(32, 32)).convertToFormat(QImage::Format_Alpha8);
        EXPECT_GT(std::count_if(alpha.bits(), alpha.bits() + alpha.sizeInBytes(), [](uchar a) { return a > 128; }),
                  32 * 32 / 5)
            << index;
        resources.insert(resource);
        QFile svg(resource);
        QStringList rule;
        bonusFor(index) == 0 ? void() : rule.append(bonusFor(index) > 0 ? "bonus" : "penalty");
        speedLevelFor(index) ? rule.append("speed " + levels.at(static_cast<size_t>(*speedLevelFor(index)))) : void();
        isPenguin(index) ? rule.append("penguin") : void();
        const auto title = QRegularExpression("<title>[^:<]*: ([^<]*)</title>")
                               .match(QString::fromUtf8(svg.open(QIODevice::ReadOnly) ? svg.readAll() : QByteArray()));
        EXPECT_EQ(title.captured(1), rule.isEmpty() ? "plain" : rule.join(", ")) << index;
    }
    EXPECT_EQ(resources.size(), 55);
}
