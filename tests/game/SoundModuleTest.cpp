#include "sound/SoundModule.h"
#include "fakes/GameRig.h"
#include "platform/SoundServerProbe.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

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

// The device test finds a sound server by its socket: named in $PULSE_SERVER (a list, perhaps with a
// machine id), else in the runtime folder; a socket nobody listens on, or a missing one, is no server.
TEST(SoundServerProbe, FindsAListeningSocket) {
    QTemporaryDir runtime;
    ASSERT_TRUE(QDir(runtime.path()).mkpath(QStringLiteral("pulse")));
    const QString live = runtime.filePath(QStringLiteral("pulse/native"));
    sockaddr_un address{AF_UNIX, {}};
    qstrncpy(address.sun_path, live.toLocal8Bit().constData(), sizeof address.sun_path);
    const int server = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(bind(server, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
    ASSERT_EQ(listen(server, 4), 0);
    const QString dead = runtime.filePath(QStringLiteral("dead"));
    ASSERT_TRUE(QFile(dead).open(QIODevice::WriteOnly));
    const struct {
        QString pulseServer, runtimeDir;
        int count;
    } cases[] = {
        {"unix:" + live, QString(), 1},           {live, QString(), 1},
        {"{0123abcd}unix:" + live, QString(), 1}, {"unix:" + dead + " unix:" + live, QString(), 1},
        {"unix:" + dead, runtime.path(), 0},      {QStringLiteral("tcp:localhost:4713"), QString(), 1},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(soundServerCount(c.pulseServer, c.runtimeDir), c.count)
            << c.pulseServer.toStdString() << " / " << c.runtimeDir.toStdString();
    }
    ::close(server);
}
