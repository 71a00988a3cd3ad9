// SPDX-License-Identifier: MIT
#include "fakes/GameRig.h"
#include "platform/QSettingsStore.h"
#include "platform/QtFiles.h"
#include "sound/MidiSynth.h"
#include "sound/SoundModule.h"

#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {
enum class Kind { Fifo, DeviceLink, Sparse, Lying };

// The peak memory of this process in KiB; a reset takes it down to the present use first.
qint64 peakKiB(bool reset = false) {
    QFile clear("/proc/self/clear_refs"), file("/proc/self/status");
    if (reset && !(clear.open(QIODevice::WriteOnly) && clear.write("5") == 1)) {
        return -1;
    }
    const QByteArray status = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    const qsizetype at = status.indexOf("VmHWM:");
    return at < 0 ? -1 : status.mid(at + 6, status.indexOf('\n', at) - at - 6).trimmed().split(' ')[0].toLongLong();
}

// Runs the reader; one that still waits after five seconds gets a writer on its FIFO, to end the wait.
QString unblocked(const std::function<QString()> &reader, const QString &path) {
    std::atomic<bool> done = false, waited = false;
    std::thread watchdog([&] {
        for (int ms = 0; !done; ms += 50) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            const int fd = ms >= 5000 ? ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK) : -1;
            waited = waited || fd >= 0;
            fd >= 0 ? ::close(fd) : 0;
        }
    });
    const QString outcome = reader();
    done = true;
    watchdog.join();
    return waited ? "blocked" : outcome;
}
} // namespace

// Catches a file opened without a check that it is an ordinary file (a FIFO held start-up or Exit forever), one
// read whole (a huge scores.dat or settings file took gigabytes) or a module loaded unchecked (a truncated one
// crashed the game with SIGBUS): each kind of file at each reader's place, and its outcome.
TEST(HostileFiles, EveryReaderTable) {
    QTemporaryDir dir;
    const QString settingsFile = dir.filePath("Brindlecot.ini");
    QSettingsStore store(dir.path());
    QtFiles files;
    GameRig rig;
    Services services{rig.fakes.messages, rig.fakes.fileDialogs, rig.fakes.colorDialogs, rig.fakes.store, files,
                      rig.fakes.random,   rig.fakes.program,     rig.fakes.sound};
    modPlinkard mod(rig.fakes.sound, files);
    Forms forms(services, mod);
    MidiSynth synth{QString()};
    QFile built(QStringLiteral(PLINKARD_SOUND_MODULE));
    ASSERT_TRUE(built.open(QIODevice::ReadOnly));
    const QByteArray truncated = built.read(built.size() * 2 / 3);
    const QByteArray note("MThd\0\0\0\6\0\0\0\1\0\x60MTrk\0\0\0\4\0\xff\x2f\0", 26);
    const std::map<QString, std::function<QString(const QString &)>> readers{
        {"settings", [&](const QString &) { return store.read("Brindlecot", "Plinkard", "MIDI", "default"); }},
        {"scores.dat",
         [&](const QString &path) {
             mod.ScoreLines.clear();
             return forms.main().LoadScores(path) ? QString::number(mod.ScoreLines.size()) + " lines" : "missing";
         }},
        {"music", [&](const QString &path) { return synth.start(path) ? "plays" : "silent"; }},
        {"module", [&](const QString &path) {
             SoundModule sound(path);
             sound.loadNow();
             return sound.loaded() != nullptr ? "loads" : "silent";
         }}};
    const std::vector<std::tuple<QString, Kind, QByteArray, QString>> rows{
        {"settings", Kind::Fifo, {}, "default"},
        {"settings", Kind::DeviceLink, {}, "default"},
        {"settings", Kind::Sparse, "[Plinkard]\nMIDI=x\n", "default"},
        {"scores.dat", Kind::Fifo, {}, "missing"},
        {"scores.dat", Kind::DeviceLink, {}, "missing"},
        {"scores.dat", Kind::Sparse, "a\nb\n", "3 lines"},
        {"music", Kind::Fifo, {}, "silent"},
        {"music", Kind::DeviceLink, {}, "silent"},
        {"music", Kind::Sparse, "RIFF\xff\xff\xff\x7fRMID", "silent"},
        {"music", Kind::Lying, "RIFF\xff\xff\xff\x7fRMIDdata\xff\xff\xff\x7f" + note, "plays"},
        {"module", Kind::Fifo, {}, "silent"},
        {"module", Kind::DeviceLink, {}, "silent"},
        {"module", Kind::Sparse, truncated.left(64), "silent"},
        {"module", Kind::Lying, truncated, "silent"}};
    for (const auto &[reader, kind, head, expected] : rows) {
        const QString path = reader == "settings" ? settingsFile : dir.filePath(reader);
        QFile::remove(path);
        QFile file(path);
        if (kind == Kind::Fifo) {
            ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (kind == Kind::DeviceLink) {
            ASSERT_TRUE(QFile::link("/dev/null", path));
        } else {
            ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(head) == head.size());
            ASSERT_TRUE(kind != Kind::Sparse || file.resize(qint64(256) << 20));
            file.close();
        }
        const qint64 before = peakKiB(true);
        ASSERT_GT(before, 0);
        EXPECT_EQ(unblocked([&] { return readers.at(reader)(path); }, path), expected) << path.toStdString();
        EXPECT_LT(peakKiB() - before, 32 * 1024) << path.toStdString() << " " << int(kind);
    }
}
