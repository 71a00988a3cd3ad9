// SPDX-License-Identifier: MIT
#include "sound/SoundModule.h"
#include "fakes/GameRig.h"
#include "platform/SoundServerProbe.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {
// How many of Qt Multimedia, FluidSynth and the sound server's client library this process has mapped.
int soundLibrariesMapped() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    const QByteArray text = maps.open(QIODevice::ReadOnly) ? maps.readAll() : QByteArray();
    return int(text.contains("/libQt6Multimedia")) + int(text.contains("/libfluidsynth")) +
           int(text.contains("/libpulse"));
}

struct FirstPaint : QObject {
    std::optional<int> mapped;
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Paint && !mapped) {
            mapped = soundLibrariesMapped();
        }
        return QObject::eventFilter(watched, event);
    }
};
} // namespace

// Catches Qt Multimedia, libpulse or FluidSynth mapped before the main window's first paint.
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
    ASSERT_TRUE(QTest::qWaitFor([&] { return paint.mapped.has_value(); }));
    EXPECT_EQ(*paint.mapped, 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return sound.loaded() != nullptr; }, 10000));
    EXPECT_EQ(soundLibrariesMapped(), 3);
}

// Catches a probe that ignores $PULSE_SERVER (a list, a machine id, a host), misses or invents a socket.
TEST(SoundServerProbe, FindsAListeningSocket) {
    QTemporaryDir runtime;
    QDir(runtime.path()).mkpath(QStringLiteral("pulse"));
    const QString live = runtime.filePath(QStringLiteral("pulse/native"));
    const QString dead = runtime.filePath(QStringLiteral("dead"));
    sockaddr_un address{AF_UNIX, {}};
    qstrncpy(address.sun_path, live.toLocal8Bit().constData(), sizeof address.sun_path);
    const int server = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(bind(server, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
    ASSERT_EQ(listen(server, 4), 0);
    QFile(dead).open(QIODevice::WriteOnly);
    EXPECT_EQ(soundServerCount("unix:" + live, QString()), 1);
    EXPECT_EQ(soundServerCount("{0123abcd}unix:" + dead + ' ' + live, QString()), 1);
    EXPECT_EQ(soundServerCount("unix:" + dead, runtime.path()), 0);
    EXPECT_EQ(soundServerCount(QString(), runtime.path()), 1);
    EXPECT_EQ(soundServerCount(QStringLiteral("tcp:localhost:4713"), QString()), 1);
    ::close(server);
}
