// SPDX-License-Identifier: MIT
#include "TargetPictures.h"

#include "game/rules/TargetRules.h"
#include "platform/BuiltPixels.h"
#include "platform/PictureCache.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>
#include <utility>

namespace {
// One entry per target index; the file under :/targets/ is <name>.svg.
constexpr std::array<const char *, TargetCount> Names{{
    QT_TRANSLATE_NOOP("TargetPictures", "apple"),      QT_TRANSLATE_NOOP("TargetPictures", "banana"),
    QT_TRANSLATE_NOOP("TargetPictures", "cherries"),   QT_TRANSLATE_NOOP("TargetPictures", "strawberry"),
    QT_TRANSLATE_NOOP("TargetPictures", "gem"),        QT_TRANSLATE_NOOP("TargetPictures", "pear"),
    QT_TRANSLATE_NOOP("TargetPictures", "watermelon"), QT_TRANSLATE_NOOP("TargetPictures", "grapes"),
    QT_TRANSLATE_NOOP("TargetPictures", "orange"),     QT_TRANSLATE_NOOP("TargetPictures", "carrot"),
    QT_TRANSLATE_NOOP("TargetPictures", "mushroom"),   QT_TRANSLATE_NOOP("TargetPictures", "sun"),
    QT_TRANSLATE_NOOP("TargetPictures", "light-bulb"), QT_TRANSLATE_NOOP("TargetPictures", "shooting-star"),
    QT_TRANSLATE_NOOP("TargetPictures", "bomb"),       QT_TRANSLATE_NOOP("TargetPictures", "umbrella"),
    QT_TRANSLATE_NOOP("TargetPictures", "teapot"),     QT_TRANSLATE_NOOP("TargetPictures", "ice-cream"),
    QT_TRANSLATE_NOOP("TargetPictures", "snail"),      QT_TRANSLATE_NOOP("TargetPictures", "gold-coin"),
    QT_TRANSLATE_NOOP("TargetPictures", "cupcake"),    QT_TRANSLATE_NOOP("TargetPictures", "lightning"),
    QT_TRANSLATE_NOOP("TargetPictures", "fish-bowl"),  QT_TRANSLATE_NOOP("TargetPictures", "pizza"),
    QT_TRANSLATE_NOOP("TargetPictures", "kitten"),     QT_TRANSLATE_NOOP("TargetPictures", "fish"),
    QT_TRANSLATE_NOOP("TargetPictures", "frog"),       QT_TRANSLATE_NOOP("TargetPictures", "ladybird"),
    QT_TRANSLATE_NOOP("TargetPictures", "penguin"),    QT_TRANSLATE_NOOP("TargetPictures", "rabbit"),
    QT_TRANSLATE_NOOP("TargetPictures", "owl"),        QT_TRANSLATE_NOOP("TargetPictures", "crown"),
    QT_TRANSLATE_NOOP("TargetPictures", "rocket"),     QT_TRANSLATE_NOOP("TargetPictures", "money-bag"),
    QT_TRANSLATE_NOOP("TargetPictures", "penguin"),    QT_TRANSLATE_NOOP("TargetPictures", "pig"),
    QT_TRANSLATE_NOOP("TargetPictures", "bee"),        QT_TRANSLATE_NOOP("TargetPictures", "jet"),
    QT_TRANSLATE_NOOP("TargetPictures", "butterfly"),  QT_TRANSLATE_NOOP("TargetPictures", "crab"),
    QT_TRANSLATE_NOOP("TargetPictures", "sailboat"),   QT_TRANSLATE_NOOP("TargetPictures", "house"),
    QT_TRANSLATE_NOOP("TargetPictures", "tree"),       QT_TRANSLATE_NOOP("TargetPictures", "skull"),
    QT_TRANSLATE_NOOP("TargetPictures", "shoe"),       QT_TRANSLATE_NOOP("TargetPictures", "flower"),
    QT_TRANSLATE_NOOP("TargetPictures", "balloon"),    QT_TRANSLATE_NOOP("TargetPictures", "guitar"),
    QT_TRANSLATE_NOOP("TargetPictures", "pencil"),     QT_TRANSLATE_NOOP("TargetPictures", "tortoise"),
    QT_TRANSLATE_NOOP("TargetPictures", "beach-ball"), QT_TRANSLATE_NOOP("TargetPictures", "race-car"),
    QT_TRANSLATE_NOOP("TargetPictures", "duck"),       QT_TRANSLATE_NOOP("TargetPictures", "cactus"),
    QT_TRANSLATE_NOOP("TargetPictures", "egg"),        QT_TRANSLATE_NOOP("TargetPictures", "snowman"),
    QT_TRANSLATE_NOOP("TargetPictures", "penguin"),
}};
static_assert(std::ranges::all_of(PenguinIndices, [](int i) {
    return std::string_view(Names.at(static_cast<size_t>(i))) == "penguin";
}));

QCursor cursorFrom(const QString &resource, int hotX, int hotY) {
    const qreal ratio = qGuiApp != nullptr ? qGuiApp->devicePixelRatio() : 1.0;
    // Qt's X11 backend gives the hot spot to the server as it is, in the pixmap's device pixels.
    const qreal hotScale = QGuiApplication::platformName() == QLatin1String("xcb") ? ratio : 1.0;
    return QCursor(PictureCache::pixmap(resource, QSize(32, 32), ratio), static_cast<int>(std::lround(hotX * hotScale)),
                   static_cast<int>(std::lround(hotY * hotScale)));
}

// An icon from the picture cache. Qt's own SVG icon engine would load Qt Svg before the first
// paint; with no sizes of its own it was asked for 16, 32, 64 and 128 pixels, which are built.
class PictureIconEngine final : public QIconEngine {
public:
    explicit PictureIconEngine(QString resource) : m_resource(std::move(resource)) {}
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode /*mode*/, QIcon::State /*state*/) override {
        return QPixmap::fromImage(PictureCache::render(m_resource, size));
    }
    QIconEngine *clone() const override { return new PictureIconEngine(m_resource); }
    QList<QSize> availableSizes(QIcon::Mode /*mode*/, QIcon::State /*state*/) override {
        return BuiltPixels::sizes(m_resource);
    }

private:
    QString m_resource;
};
} // namespace

QIcon TargetPictures::windowIcon() { return QIcon(new PictureIconEngine(Icon)); }

QString TargetPictures::target(int index) {
    if (index < 0 || index >= TargetCount) {
        return {};
    }
    return QStringLiteral(":/targets/%1.svg").arg(QLatin1String(Names.at(static_cast<size_t>(index))));
}

QString TargetPictures::targetName(int index) {
    if (index < 0 || index >= TargetCount) {
        return {};
    }
    return QCoreApplication::translate("TargetPictures", Names.at(static_cast<size_t>(index)));
}

QCursor TargetPictures::crosshairCursor() { return cursorFrom(Crosshair, 9, 8); }

QCursor TargetPictures::arrowCursor() { return cursorFrom(Arrow, 0, 0); }
