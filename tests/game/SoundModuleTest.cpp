// SPDX-License-Identifier: MIT
#include "sound/SoundModule.h"
#include "fakes/GameRig.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {
QByteArray mapped() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) ? maps.readAll() : QByteArray();
}

// How many of Qt Multimedia, FluidSynth and the sound server's client library are mapped.
int soundLibraries(const QByteArray &maps) {
    return int(maps.contains("/libQt6Multimedia")) + int(maps.contains("/libfluidsynth")) +
           int(maps.contains("/libpulse"));
}

struct FirstPaint : QObject {
    std::optional<QByteArray> maps;
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Paint && !maps) {
            maps = mapped();
        }
        return QObject::eventFilter(watched, event);
    }
};
} // namespace

// Catches Qt Multimedia, libpulse, FluidSynth or Qt Svg (the icon, bullets and cursors drawn from SVG at
// start-up) mapped before the main window's first paint.
TEST(SoundModule, FirstPaintComesBeforeTheSoundLibrariesAndQtSvg) {
    SoundModule sound(QStringLiteral(PLINKARD_SOUND_MODULE));
    GameRig rig;
    Timer::setManualTicks(true); // no target shown (and drawn from SVG) before a slow first paint
    Services services{rig.fakes.messages, rig.fakes.fileDialogs, rig.fakes.colorDialogs, rig.fakes.store,
                      rig.fakes.files,    rig.fakes.random,      rig.fakes.program,      sound};
    modPlinkard mod(sound, rig.fakes.files);
    Forms forms(services, mod);
    FirstPaint paint;
    forms.main().installEventFilter(&paint);
    forms.main().show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return paint.maps.has_value(); }));
    EXPECT_EQ(soundLibraries(*paint.maps), 0);
    EXPECT_FALSE(paint.maps->contains("/libQt6Svg"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return sound.loaded() != nullptr; }, 10000));
    EXPECT_EQ(soundLibraries(mapped()), 3);
}
