#include "game/TargetPictures.h"
#include "game/TargetRules.h"
#include "platform/PictureCache.h"

#include <QImage>
#include <QSet>
#include <gtest/gtest.h>

namespace {
bool opaque(const QImage &image, int x, int y) { return qAlpha(image.pixel(x, y)) > 128; }
} // namespace

// Catches a missing, blank or mixed-up target picture: each index renders a fair part of its cell,
// and only the three penguins share a picture.
TEST(TargetPictures, EveryTargetHasItsOwnPicture) {
    QSet<QString> resources;
    for (int index = 0; index < TargetCount; ++index) {
        const QString resource = TargetPictures::target(index);
        const QImage image = PictureCache::render(resource, QSize(32, 32));
        int covered = 0;
        for (int i = 0; i < 32 * 32; ++i) {
            covered += opaque(image, i % 32, i / 32) ? 1 : 0;
        }
        EXPECT_GT(covered, 32 * 32 / 5) << index;
        EXPECT_EQ(resource == TargetPictures::target(28), isPenguin(index)) << index;
        resources.insert(resource);
    }
    EXPECT_EQ(resources.size(), 55);
}

// Catches a crosshair whose centre is not its hot spot: a shot lands where the player sees the centre.
TEST(TargetPictures, CrosshairCentreIsTheHotSpot) {
    const QPoint hot = TargetPictures::crosshairCursor().hotSpot();
    const QImage image = PictureCache::render(TargetPictures::Crosshair, QSize(32, 32));
    for (int d = 0; d <= 5; ++d) { // the bars run through it in all four directions
        EXPECT_TRUE(opaque(image, hot.x() + d, hot.y()) && opaque(image, hot.x() - d, hot.y()) &&
                    opaque(image, hot.x(), hot.y() + d) && opaque(image, hot.x(), hot.y() - d))
            << d;
    }
    EXPECT_FALSE(opaque(image, hot.x() + 3, hot.y() + 3) || opaque(image, hot.x() - 4, hot.y() - 3));
}
