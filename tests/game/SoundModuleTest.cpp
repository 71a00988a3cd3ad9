// SPDX-License-Identifier: MIT
#include "sound/SoundModule.h"
#include "GameTestSupport.h"

#include <QProcess>
#include <QTemporaryDir>

namespace {
// Which of Qt Multimedia, FluidSynth, the sound server's client library and Qt Svg this process has mapped.
std::string librariesMapped() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    const QByteArray text = maps.open(QIODevice::ReadOnly) ? maps.readAll() : QByteArray();
    return std::string(text.contains("/libQt6Multimedia") ? "Qt Multimedia " : "") +
           (text.contains("/libfluidsynth") ? "FluidSynth " : "") + (text.contains("/libpulse") ? "libpulse " : "") +
           (text.contains("/libQt6Svg") ? "Qt Svg" : "");
}

struct FirstPaint : QObject {
    std::optional<std::string> mapped;
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Paint && !mapped) {
            mapped = librariesMapped();
        }
        return QObject::eventFilter(watched, event);
    }
};
} // namespace

// Catches libpulse, FluidSynth or Qt Svg (the icon, bullets and cursors drawn from SVG at start-up) mapped
// before the main window's first paint, Qt Multimedia at all, a module refused once a packager's strip
// has changed its bytes (no sound from the package), or a shot before the module is in lost.
TEST(SoundModule, FirstPaintComesBeforeTheSoundLibrariesAndQtSvg) {
    QTemporaryDir dir;
    const QString stripped = dir.filePath("libplinkard_soundmodule.so");
    ASSERT_EQ(QProcess::execute("strip", {"--remove-section=.comment", "--remove-section=.note", "--strip-unneeded",
                                          "-o", stripped, PLINKARD_SOUND_MODULE}),
              0);
    SoundModule sound(stripped);
    GameRig rig(&sound); // its timers never tick: no target shown (and drawn from SVG) before a slow first paint
    FirstPaint paint;
    rig.start().installEventFilter(&paint);
    rig.forms->main().show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return paint.mapped.has_value(); }));
    EXPECT_EQ(*paint.mapped, "");
    ASSERT_TRUE(QTest::qWaitFor([&] { return sound.loaded() != nullptr; }, 10000));
    EXPECT_EQ(librariesMapped().substr(0, 20), "FluidSynth libpulse ");
    SoundModule early(stripped);
    early.playWave(QStringLiteral(":/sounds/default.wav")); // fired before the module is in: it waits for it
    EXPECT_NE(early.loaded(), nullptr) << "a shot fired before the sound module had loaded was lost";
}
