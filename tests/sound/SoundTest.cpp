// SPDX-License-Identifier: MIT
#include "fakes/FakeServices.h"
#include "game/rules/ScoreFile.h"
#include "platform/PictureDecoder.h"
#include "platform/QSettingsStore.h"
#include "platform/QtFiles.h"
#include "sound/MidiSynth.h"
#include "sound/QtSoundSystem.h"
#include "sound/SoundModule.h"
#include "sound/WaveBank.h"

#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <cmath>
#include <elf.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <numeric>
#include <sndfile.h>
#include <sys/stat.h>
#include <thread>

namespace {
const QString Chime = QtSoundSystem::defaultSound();

QByteArray chunk(const char *id, const QByteArray &body) {
    const quint32 size = qToLittleEndian(quint32(body.size()));
    return id + QByteArray(reinterpret_cast<const char *>(&size), 4) + body + QByteArray(body.size() % 2, '\0');
}

// A half-scale 440 Hz tone.
void writeTone(const QString &path, int format, int channels, int rate, int frames) {
    SF_INFO info{0, rate, channels, format, 0, 0};
    SNDFILE *file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    std::vector<float> samples(static_cast<size_t>(frames * channels));
    for (size_t i = 0; i < samples.size(); ++i) {
        samples[i] = 0.5F * std::sin(float(i / size_t(channels) * 2765) / float(rate));
    }
    sf_writef_float(file, samples.data(), frames);
    sf_close(file);
}

// A figure of /proc/self/status, such as "VmHWM:".
qint64 statusKiB(const char *name) {
    QFile status(QStringLiteral("/proc/self/status"));
    const QByteArray text = status.open(QIODevice::ReadOnly) ? status.readAll() : QByteArray();
    return text.mid(text.indexOf(name) + qstrlen(name)).trimmed().split(' ').value(0).toLongLong();
}

double rms(const int16_t *s, int count) { return std::sqrt(std::inner_product(s, s + count, s, 0.0) / count) / 32768; }

} // namespace

// Catches a WAV refused for its encoding or its rate not converted (wrong length or level), an unplayable file (more:
// the readers' table) that plays nothing instead of the chime, a file whose size sets the memory or the click's wait,
// or a bound (channels, rate, length)
// missed by one: the files just inside them play (the huge one, of 64 channels at 384 kHz, whole for 60 s);
// or the decoded-sound cache ignoring a file that appears, or a change of its size or time alone.
TEST(Waves, EveryKindOfFilePlaysBoundedOrChimes) {
    QTemporaryDir dir;
    struct Case {
        QString file;
        double frames = -1; // what plays: -1 the chime; the huge one is followed for its first ten seconds
        bool tone = false;
    };
    const auto tone = [&dir](int format, int channels, int rate, int tenths = 1) {
        const QString path = dir.filePath(QStringLiteral("%1-%2-%3.wav").arg(format).arg(channels).arg(rate));
        writeTone(path, format, channels, rate, rate * tenths / 10);
        return Case{path, double(rate * tenths / 10) * WaveSound::Rate / rate, true};
    };
    // PCM 8 whose data chunk claims 4 GiB over a sparse file of `seconds`.
    const auto lying = [&dir](const char *name, int channels, int rate, qint64 seconds) {
        const QString path = dir.filePath(QLatin1String(name));
        writeTone(path, SF_FORMAT_WAV | SF_FORMAT_PCM_U8, channels, rate, 1);
        QFile file(path);
        const qint64 data = file.open(QIODevice::ReadWrite) ? file.peek(256).indexOf("data") : -1;
        const bool ok = data > 0 && file.seek(data + 4) && file.write("\xff\xff\xff\xff") == 4 &&
                        file.resize(data + 8 + seconds * rate * channels);
        return ok ? path : QString();
    };
    const Case cases[] = {
        tone(SF_FORMAT_WAV | SF_FORMAT_PCM_24, 2, 48000),
        tone(SF_FORMAT_WAV | SF_FORMAT_ULAW, 1, 8000),
        tone(SF_FORMAT_WAV | SF_FORMAT_PCM_16, 6, 22050),
        tone(SF_FORMAT_WAV | SF_FORMAT_FLOAT, 1, 96000),
        {tone(SF_FORMAT_AIFF | SF_FORMAT_PCM_16, 1, 44100).file},
        {tone(SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 44100, 600).file, 60.0 * WaveSound::Rate}, // the longest, whole
        {tone(SF_FORMAT_WAV | SF_FORMAT_PCM_16, 65, 44100).file}, // one channel, or one hertz, past a bound
        {tone(SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 384001).file},
        {tone(SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 999).file},
        {dir.filePath(QStringLiteral("missing.wav"))},
        {lying("huge.wav", 64, 384000, 61), 60 * WaveSound::Rate}, // 1.5 GB
        {lying("short.wav", 2, 44100, 1), WaveSound::Rate},
    };
    WaveBank bank(Chime, false);
    for (const auto &c : cases) {
        const std::string name = c.file.toStdString();
        QFile peak(QStringLiteral("/proc/self/clear_refs")); // VmHWM restarts at VmRSS
        ASSERT_TRUE(peak.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && peak.write("5") == 1) << name;
        const qint64 before = statusKiB("VmRSS:");
        bank.play(c.file);
        const auto sound = bank.stream().sound();
        ASSERT_TRUE(sound) << name;
        EXPECT_EQ(bank.lastStarted(), c.frames < 0 ? Chime : c.file) << name;
        EXPECT_TRUE(sound->frames() > 0 && (c.frames <= WaveSound::Rate || !sound->complete())) << name;
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return sound->complete() || sound->frames() > 10 * WaveSound::Rate; }, 60000));
        const int frames = sound->complete() ? sound->frames() : sound->frames() + sound->room();
        EXPECT_NEAR(frames, c.frames < 0 ? WaveSound::Rate / 2 : c.frames, c.tone ? 2 : 64) << name;
        EXPECT_TRUE(!c.tone || std::abs(rms(sound->samples(), 4000) - 0.35) < 0.03) << name;
        EXPECT_LT(statusKiB("VmHWM:") - before, 32 << 10) << name;
    }
    const QString shot =
        dir.filePath(QStringLiteral("shot.wav")); // a file that appears, then changes size or time alone
    for (const auto &[rate, frames, ageSecs, played] :
         {std::tuple{22050, 2205, 60, 4410}, {44100, 2205, 30, 2205}, {44100, 4410, 30, 4410}}) {
        writeTone(shot, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, rate, frames);
        QFile file(shot);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.setFileTime(QDateTime::currentDateTime().addSecs(-ageSecs), QFileDevice::FileModificationTime);
        bank.play(shot);
        EXPECT_EQ(bank.stream().framesLeft(), played) << rate << " " << frames;
    }
}

// Catches a file opened without a check that it is an ordinary one (a FIFO held start-up forever), a huge one read
// whole (gigabytes for scores.dat or the settings), a RIFF MIDI file read from the wrong offset or scanned without
// a bound (empty chunks kept the sound thread busy), a module mapped unchecked (a truncated one: SIGBUS; one of
// another version), or a bound of the music missed by one, each on its own: the file just inside it is taken (the piece
// of 65,536 events, 128 KB).
TEST(HostileFiles, EveryReaderTable) {
    enum Kind { Fifo, DeviceLink, Sparse, Plain };
    QTemporaryDir dir;
    QSettingsStore store(dir.path());
    MidiSynth synth(MidiSynth::defaultSoundFont());
    WaveBank bank(Chime, false);
    QFile built(QStringLiteral(PLINKARD_SOUND_MODULE)), maps("/proc/self/maps"),
        longList(QStringLiteral(PLINKARD_SOURCE_DIR "/tests/fuzz/corpus/media/wave-long-list")); // kept libsndfile busy
    ASSERT_TRUE(built.open(QIODevice::ReadOnly) && longList.open(QIODevice::ReadOnly) && synth.hasSoundFont());
    const QByteArray module = built.readAll(), version(plinkard_sound_interface);
    QByteArray claiming = module; // its string table's size claimed as 200 MiB
    const auto *elf = reinterpret_cast<const Elf64_Ehdr *>(module.constData());
    const auto *sections = reinterpret_cast<const Elf64_Shdr *>(module.constData() + elf->e_shoff);
    for (int i = 0; i < elf->e_shnum; ++i) {
        if (sections[i].sh_type == SHT_DYNSYM) {
            const quint64 size = quint64(200) << 20;
            claiming.replace(
                qsizetype(elf->e_shoff + sections[i].sh_link * sizeof(Elf64_Shdr) + offsetof(Elf64_Shdr, sh_size)),
                sizeof size, reinterpret_cast<const char *>(&size), sizeof size);
        }
    }
    const QByteArray note("MThd\0\0\0\6\0\0\0\1\0\x60MTrk\0\0\0\x0c\0\x90\x3c\x64\x60\x80\x3c\0\0\xff\x2f\0", 34);
    const auto track = [](const QByteArray &events) { // a MIDI file of one track
        const quint32 size = qToBigEndian(quint32(events.size()));
        return QByteArray("MThd\0\0\0\6\0\0\0\1\0\x60MTrk", 18) + QByteArray(reinterpret_cast<const char *>(&size), 4) +
               events;
    };
    std::vector<int16_t> out(22050);
    const std::map<QString, std::function<QString(const QString &)>> readers{
        {"Brindlecot.ini", [&](const QString &) { return store.read("Brindlecot", "Plinkard", "MIDI", "default"); }},
        {"scores.dat",
         [&](const QString &path) {
             const auto bytes = QtFiles().readStart(path, ScoreFileBytesRead);
             return bytes ? QString::number(splitScoreLines(*bytes, ScoreFileLinesUsed).size()) + " lines" : "missing";
         }},
        {"music",
         [&](const QString &path) {
             return synth.start(path)
                        ? (synth.render(out.data(), 11025), QString::number(rms(out.data(), 22050) > 0.01))
                        : "silent";
         }},
        {"picture", [&](const QString &path) { return decodePicture(path).isNull() ? "none" : "shown"; }},
        {"shot",
         [&](const QString &path) {
             bank.play(path);
             return bank.lastStarted() == Chime ? "chime" : "plays";
         }},
        {"module", [&](const QString &path) {
             SoundModule sound(path);
             sound.loadNow();
             const bool mapped =
                 maps.open(QIODevice::ReadOnly) && maps.readAll().contains(QFile::encodeName(path) + '\n');
             maps.close();
             return sound.loaded() != nullptr ? "loads" : mapped ? "mapped" : "silent";
         }}};
    const auto padded = [&track](qint64 size) { // a note and a text as long as makes the file `size` bytes
        const qint64 n = size - 41;
        return track(QByteArray("\0\x90\x3c\x64\0\xff\x01", 7) + char(0x80 | n >> 21) + char(0x80 | (n >> 14 & 0x7f)) +
                     char(0x80 | (n >> 7 & 0x7f)) + char(n & 0x7f) + QByteArray(n, ' ') +
                     QByteArray("\x60\x80\x3c\0\0\xff\x2f\0", 8));
    };
    const auto events = [&track](int count) { // a note, then program changes in running status
        return track(QByteArray("\0\x90\x3c\x64\0\xc0\0", 7) + QByteArray(2 * (count - 2), '\0'));
    };
    // clang-format off
    const std::vector<std::tuple<QString, Kind, QByteArray, QString>> rows{
        {"Brindlecot.ini", Fifo, {}, "default"}, {"Brindlecot.ini", Sparse, "[Plinkard]\nMIDI=x\n", "default"},
        {"scores.dat", Fifo, {}, "missing"}, {"scores.dat", DeviceLink, {}, "missing"},
        {"scores.dat", Sparse, "a\nb\n", "3 lines"}, {"scores.dat", Plain, QByteArray(100, '\n'), "25 lines"},
        {"music", Fifo, {}, "silent"}, {"music", Sparse, "RIFF\xff\xff\xff\x7fRMID", "silent"},
        {"music", Plain, {}, "silent"}, {"music", Plain, QByteArray(100, '\x01'), "silent"}, // empty, garbage
        {"music", Plain, chunk("RIFF", "RMID" + chunk("INFO", "odd") + chunk("data", note)), "1"}, // heard
        {"music", Plain, "RIFF\xff\xff\xff\x7fRMIDdata\xf0\xff\xff\x7f" + note, "1"}, // lying sizes
        {"music", Plain, chunk("RIFF", "RMID" + chunk("LIST", {}).repeated(15) + chunk("data", note)), "1"},
        {"music", Plain, chunk("RIFF", "RMID" + chunk("LIST", {}).repeated(16) + chunk("data", note)), "silent"},
        {"music", Plain, chunk("RIFF", "RMID" + chunk("LIST", note)), "silent"},
        {"music", Plain, chunk("RIFF", "RMID" + chunk("data", "MTrkMThd")), "silent"},
        {"music", Plain, padded(4 << 20), "1"}, {"music", Plain, padded((4 << 20) + 1), "silent"}, // bytes alone
        {"music", Plain, events(1 << 16), "1"}, {"music", Plain, events((1 << 16) + 1), "silent"}, // events alone
        {"module", Fifo, {}, "silent"}, {"module", Plain, module.left(module.size() * 2 / 3), "silent"}, // truncated
        {"module", Plain, QByteArray(module).replace(version, "0" + version.mid(1)), "silent"}, // another version
        {"module", Sparse, claiming.replace(version, "0" + version.mid(1)), "silent"}, // checked whole, never loaded
        {"picture", Fifo, {}, "none"}, // each bound: PictureDecoderTest
        {"shot", Fifo, {}, "chime"}, {"shot", DeviceLink, {}, "chime"}, {"shot", Plain, {}, "chime"}, // empty
        {"shot", Plain, "RIFF\x10\0\0\0WAVEfmt " + QByteArray(40, '\xee'), "chime"},
        {"shot", Plain, longList.readAll(), "chime"}};
    // clang-format on
    for (const auto &[reader, kind, head, expected] : rows) {
        const QString path = dir.filePath(reader);
        QFile file(path), clear("/proc/self/clear_refs");
        file.remove();
        ASSERT_TRUE(kind == Fifo         ? ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0
                    : kind == DeviceLink ? QFile::link("/dev/null", path)
                                         : file.open(QIODevice::WriteOnly) && file.write(head) == head.size() &&
                                               (kind != Sparse || file.resize(qint64(256) << 20))); // no room on disk
        file.close();
        ASSERT_TRUE(clear.open(QIODevice::WriteOnly) && clear.write("5") == 1); // the peak down to the present use
        const qint64 before = statusKiB("VmHWM:");
        std::atomic<bool> done = false, heldUp = false; // still busy after 5 s: a writer ends a wait on a FIFO
        std::thread watchdog([&, name = QFile::encodeName(path)] {
            for (int ms = 0; !done; ms += 50, std::this_thread::sleep_for(std::chrono::milliseconds(50))) {
                const int fd = ms > 5000 ? ::open(name.constData(), O_WRONLY | O_NONBLOCK) : -1;
                heldUp = heldUp || (fd >= 0 && ::close(fd) == 0);
            }
        });
        const QString outcome = readers.at(reader)(path);
        done = true;
        watchdog.join();
        EXPECT_EQ(heldUp ? "held up" : outcome, expected)
            << reader << ", kind " << kind << ", " << head.size() << " bytes";
        EXPECT_LT(statusKiB("VmHWM:") - before, 32 << 10)
            << reader << ", kind " << kind << ", " << head.size() << " bytes";
    }
}
