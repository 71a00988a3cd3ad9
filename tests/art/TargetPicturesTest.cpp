// SPDX-License-Identifier: MIT
#include "game/TargetPictures.h"
#include "game/TargetRules.h"
#include "platform/PictureCache.h"

#include <QImage>
#include <QSet>
#include <algorithm>
#include <gtest/gtest.h>

// Catches a missing, blank or mixed-up target picture; only the three penguins share one.
TEST(TargetPictures, EveryTargetHasItsOwnPicture) {
    QSet<QString> resources;
    for (int index = 0; index < TargetCount; ++index) {
        const QString resource = TargetPictures::target(index);
        const QImage image = PictureCache::render(resource, QSize(32, 32));
        const QImage alpha = image.convertToFormat(QImage::Format_Alpha8);
        const auto covered =
            std::count_if(alpha.bits(), alpha.bits() + alpha.sizeInBytes(), [](uchar a) { return a > 128; });
        EXPECT_GT(covered, 32 * 32 / 5) << index;
        EXPECT_EQ(resource == TargetPictures::target(28), isPenguin(index)) << index;
        resources.insert(resource);
    }
    EXPECT_EQ(resources.size(), 55);
}
