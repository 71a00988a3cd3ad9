#include "sound/SoundModule.h"
#include "fakes/GameRig.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <gtest/gtest.h>

namespace {
// Which of Qt Multimedia, the sound server's client library and FluidSynth this process has mapped.
QStringList soundLibrariesMapped() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    EXPECT_TRUE(maps.open(QIODevice::ReadOnly));
    static const QRegularExpression sound(QStringLiteral(R"(lib(Qt6Multimedia|pulse|fluidsynth)[^/\s]*\.so)"));
    QStringList found;
    for (auto it = sound.globalMatch(QString::fromLatin1(maps.readAll())); it.hasNext();) {
        found.append(it.next().captured(1));
    }
    found.removeDuplicates();
    return found;
}

// What was mapped as the window's first paint was handed out.
struct FirstPaint : QObject {
    bool done = false;
    QStringList mapped;
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Paint && !done) {
            done = true;
            mapped = soundLibrariesMapped();
        }
        return QObject::eventFilter(watched, event);
    }
};
} // namespace

// The main window paints first with none of the sound libraries mapped; the module brings them
// right after.
TEST(SoundModule, FirstPaintComesBeforeTheSoundLibraries) {
    SoundModule sound(QStringLiteral(PLINKARD_SOUND_MODULE));
    GameRig rig;
    Services services{rig.fakes.messages, rig.fakes.fileDialogs, rig.fakes.colorDialogs, rig.fakes.store,
                      rig.fakes.files,    rig.fakes.random,      rig.fakes.program,      sound};
    modPlinkard mod(sound, rig.fakes.files);
    Forms forms(services, mod);
    FirstPaint paint;
    forms.main().installEventFilter(&paint);
    forms.main().show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return paint.done; }));
    EXPECT_EQ(paint.mapped, QStringList());
    ASSERT_TRUE(QTest::qWaitFor([&] { return sound.loaded() != nullptr; }, 10000));
    QStringList after = soundLibrariesMapped();
    after.sort();
    EXPECT_EQ(after, QStringList({"Qt6Multimedia", "fluidsynth", "pulse"}));
}
