#include "TargetPictures.h"

#include "TargetRules.h"
#include "platform/PictureCache.h"

#include <QGuiApplication>
#include <QPixmap>
#include <array>

namespace {
// One entry per target index; the file under :/targets/ is <name>.svg.
constexpr std::array<const char *, TargetCount> Names{{
    "target00", "target01", "target02", "target03", "target04", "target05", "target06", "target07",
    "target08", "target09", "target10", "target11", "target12", "target13", "target14", "target15",
    "target16", "target17", "target18", "target19", "target20", "target21", "target22", "target23",
    "target24", "target25", "target26", "target27", "penguin",  "target29", "target30", "target31",
    "target32", "target33", "penguin",  "target35", "target36", "target37", "target38", "target39",
    "target40", "target41", "target42", "target43", "target44", "target45", "target46", "target47",
    "target48", "target49", "target50", "target51", "target52", "target53", "target54", "target55",
    "penguin",
}};

QCursor cursorFrom(const QString &resource, int hotX, int hotY) {
    const qreal ratio = qGuiApp != nullptr ? qGuiApp->devicePixelRatio() : 1.0;
    return QCursor(PictureCache::pixmap(resource, QSize(32, 32), ratio), hotX, hotY);
}
} // namespace

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
    return QString::fromLatin1(Names.at(static_cast<size_t>(index)));
}

QCursor TargetPictures::crosshairCursor() { return cursorFrom(Crosshair, 9, 8); }

QCursor TargetPictures::arrowCursor() { return cursorFrom(Arrow, 0, 0); }
