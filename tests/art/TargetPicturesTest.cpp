#include "game/TargetPictures.h"
#include "game/TargetRules.h"
#include "platform/PictureCache.h"

#include <QImage>
#include <QMap>
#include <gtest/gtest.h>

namespace {
bool opaque(const QImage &image, int x, int y) { return qAlpha(image.pixel(x, y)) > 128; }

int opaqueCount(const QImage &image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += opaque(image, x, y) ? 1 : 0;
        }
    }
    return count;
}
} // namespace

// Catches a missing, blank or mixed-up target picture: each index renders a fair part of its cell, only
// the three penguins share a picture, and no two others look alike.
TEST(TargetPictures, EveryTargetHasItsOwnPicture) {
    QMap<QString, QImage> pictures;
    for (int index = 0; index < TargetCount; ++index) {
        const QString resource = TargetPictures::target(index);
        const QImage image = PictureCache::render(resource, QSize(32, 32));
        EXPECT_GT(opaqueCount(image), 32 * 32 / 5) << index;
        EXPECT_EQ(resource == TargetPictures::target(28), isPenguin(index)) << index;
        pictures.insert(resource, image);
    }
    EXPECT_EQ(pictures.size(), 55);
    for (auto a = pictures.cbegin(); a != pictures.cend(); ++a) {
        for (auto b = std::next(a); b != pictures.cend(); ++b) {
            int differing = 0;
            for (int y = 0; y < 32; ++y) {
                for (int x = 0; x < 32; ++x) {
                    const QRgb p = a.value().pixel(x, y);
                    const QRgb q = b.value().pixel(x, y);
                    differing += std::abs(qGray(p) - qGray(q)) + std::abs(qAlpha(p) - qAlpha(q)) > 64 ? 1 : 0;
                }
            }
            EXPECT_GT(differing, 32 * 32 / 10) << qPrintable(a.key()) << " " << qPrintable(b.key());
        }
    }
}

// Catches a crosshair whose centre is not its hot spot: a shot lands where the player sees the centre.
TEST(TargetPictures, CrosshairCentreIsTheHotSpot) {
    const QPoint hot = TargetPictures::crosshairCursor().hotSpot();
    EXPECT_EQ(hot, QPoint(9, 8));
    const QImage image = PictureCache::render(TargetPictures::Crosshair, QSize(32, 32));
    EXPECT_TRUE(opaque(image, hot.x(), hot.y()));
    for (int d = 3; d <= 5; ++d) { // the bars run through it in all four directions
        EXPECT_TRUE(opaque(image, hot.x() + d, hot.y()) && opaque(image, hot.x() - d, hot.y()) &&
                    opaque(image, hot.x(), hot.y() + d) && opaque(image, hot.x(), hot.y() - d))
            << d;
    }
    // Off the bars, inside the ring, the target shows through.
    EXPECT_FALSE(opaque(image, hot.x() + 3, hot.y() + 3) || opaque(image, hot.x() - 4, hot.y() - 3));
}
