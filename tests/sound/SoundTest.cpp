// SPDX-License-Identifier: MIT
#include "fakes/GameRig.h"
#include "settings/frmSettings.h"
#include "sound/FluidMusic.h"
#include "sound/MidiSynth.h"
#include "sound/QtSoundSystem.h"
#include "sound/WaveBank.h"

#include <QBuffer>
#include <QCheckBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <cmath>
#include <gtest/gtest.h>
#include <numeric>
#include <sndfile.h>
#include <sys/stat.h>

namespace {
const QString Chime = QtSoundSystem::defaultSound();
const QString Snot = QStringLiteral("/opt/plinkard/snot.mid");
const QString Mymid = QStringLiteral("mymid");

QString asset(const char *name) { return QStringLiteral(PLINKARD_SOURCE_DIR "/assets/") + QLatin1String(name); }

QString write(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() ? path : QString();
}

QByteArray chunk(const char *id, const QByteArray &body) {
    const quint32 size = qToLittleEndian(quint32(body.size()));
    return id + QByteArray(reinterpret_cast<const char *>(&size), 4) + body + QByteArray(body.size() % 2, '\0');
}

// A half-scale 440 Hz tone; returns the frames the file holds (ADPCM rounds up to whole blocks).
sf_count_t writeTone(const QString &path, int format, int channels, int rate, int frames) {
    SF_INFO info{0, rate, channels, format, 0, 0};
    SNDFILE *file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    std::vector<float> samples(static_cast<size_t>(frames * channels));
    for (size_t i = 0; i < samples.size(); ++i) {
        samples[i] = 0.5F * std::sin(float(i / size_t(channels) * 2765) / float(rate));
    }
    sf_writef_float(file, samples.data(), frames);
    sf_close(file);
    file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    sf_close(file);
    return file != nullptr ? info.frames : 0;
}

// A figure of /proc/self/status, such as "VmHWM:".
qint64 statusKiB(const char *name) {
    QFile status(QStringLiteral("/proc/self/status"));
    const QByteArray text = status.open(QIODevice::ReadOnly) ? status.readAll() : QByteArray();
    const qsizetype at = text.indexOf(name);
    return at < 0 ? -1 : text.mid(at + qstrlen(name)).trimmed().split(' ').value(0).toLongLong();
}

double rms(const int16_t *s, int count) { return std::sqrt(std::inner_product(s, s + count, s, 0.0) / count) / 32768; }

// The piece the media device plays after these commands; as the real one, an open alias refuses a second open.
QString playing(const QStringList &calls) {
    QString open, plays;
    for (const QString &call : calls) {
        if (call == u"close mymid") {
            open = plays = QString();
        } else if (call.startsWith(u"open ") && call.endsWith(u" mymid") && open.isEmpty()) {
            open = call.mid(5, call.size() - 11);
        } else if (call == u"play mymid") {
            plays = open;
        }
    }
    return plays;
}
} // namespace

// Catches a WAV refused for its encoding, or its rate not converted (wrong length or level).
TEST(Waves, EveryCommonEncodingPlaysAsItself) {
    const struct {
        int format, channels, rate;
    } cases[] = {{SF_FORMAT_PCM_24, 2, 48000},    {SF_FORMAT_ULAW, 1, 8000},      {SF_FORMAT_ALAW, 1, 11025},
                 {SF_FORMAT_IMA_ADPCM, 1, 22050}, {SF_FORMAT_MS_ADPCM, 2, 44100}, {SF_FORMAT_PCM_16, 6, 22050},
                 {SF_FORMAT_FLOAT, 1, 96000}};
    QTemporaryDir dir;
    WaveBank bank(Chime, false);
    for (const auto &c : cases) {
        const QString path = dir.filePath(QString::number(c.format) + QStringLiteral(".wav"));
        const sf_count_t frames = writeTone(path, SF_FORMAT_WAV | c.format, c.channels, c.rate, c.rate / 10);
        bank.play(path);
        ASSERT_EQ(bank.lastStarted(), path) << c.format;
        EXPECT_NEAR(bank.stream().framesLeft(), double(frames) * WaveSound::Rate / c.rate, 2) << c.format;
        EXPECT_NEAR(rms(bank.stream().sound()->samples(), 4000), 0.35, 0.03) << c.format;
    }
}

// Catches an unplayable file that plays nothing or crashes instead of the default chime.
TEST(Waves, UnplayableFilesPlayTheDefaultChime) {
    QTemporaryDir dir;
    const QString aiff = dir.filePath(QStringLiteral("aiff.wav"));
    writeTone(aiff, SF_FORMAT_AIFF | SF_FORMAT_PCM_16, 1, 44100, 4410);
    WaveBank bank(Chime, false);
    for (const QString &name : {dir.filePath(QStringLiteral("missing.wav")), write(dir.filePath("empty.wav"), {}),
                                write(dir.filePath("bad.wav"), "RIFF\x10\0\0\0WAVEfmt " + QByteArray(40, '\xee')), aiff,
                                QString(), dir.path()}) {
        bank.play(name);
        EXPECT_EQ(bank.lastStarted(), Chime) << name.toStdString();
        EXPECT_NEAR(bank.stream().framesLeft(), WaveSound::Rate / 2, 2) << name.toStdString();
    }
}

// Catches the decoded-sound cache ignoring a file that appears, or a change of size or mtime alone.
TEST(Waves, DecodedSoundFollowsTheFile) {
    QTemporaryDir dir;
    WaveBank bank(Chime, false);
    const QString shot = dir.filePath(QStringLiteral("shot.wav"));
    bank.play(shot);
    EXPECT_EQ(bank.lastStarted(), Chime);
    const struct {
        int rate, frames, ageSecs, played;
    } edits[] = {{22050, 2205, 60, 4410}, {44100, 2205, 30, 2205}, {44100, 4410, 30, 4410}};
    for (const auto &e : edits) {
        writeTone(shot, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, e.rate, e.frames);
        QFile file(shot);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.setFileTime(QDateTime::currentDateTime().addSecs(-e.ageSecs), QFileDevice::FileModificationTime);
        bank.play(shot);
        EXPECT_EQ(bank.stream().framesLeft(), e.played) << e.rate << " " << e.frames;
    }
}

// Catches a new shot queued behind the one still playing instead of cutting it off.
TEST(Waves, NewShotCutsOffTheOld) {
    WaveBank bank(Chime, false);
    std::vector<int16_t> out(4000);
    bank.play(asset("mchgun.wav"));
    bank.stream().read(out.data(), 1000);
    bank.play(asset("miss.wav"));
    bank.stream().read(out.data(), 2000);
    EXPECT_TRUE(std::equal(out.begin(), out.end(), loadWave(asset("miss.wav"))->samples()));
}

// Catches a special file that blocks the sound thread, or a file whose size sets the memory or the
// click's wait: each kind plays what it holds, within the minute, or the chime.
TEST(Waves, OddFilesPlayBoundedOrChime) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("fifo.wav")), device = dir.filePath(QStringLiteral("zero.wav"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), device));
    // WAV headers over sparse files whose data chunks claim 4 GiB: a minute and a second of 64 channels
    // at 384 kHz (1.5 GB), and a tenth of a second.
    const auto header = [&dir](const char *name, quint16 channels, quint32 rate, quint16 bits, qint64 seconds) {
        QByteArray fmt(16, '\0');
        qToLittleEndian<quint16>(1, fmt.data());
        qToLittleEndian<quint16>(channels, fmt.data() + 2);
        qToLittleEndian<quint32>(rate, fmt.data() + 4);
        qToLittleEndian<quint32>(rate * channels * bits / 8, fmt.data() + 8);
        qToLittleEndian<quint16>(quint16(channels * bits / 8), fmt.data() + 12);
        qToLittleEndian<quint16>(bits, fmt.data() + 14);
        const QByteArray head =
            "RIFF" + QByteArray(4, '\xff') + "WAVE" + chunk("fmt ", fmt) + "data" + QByteArray(4, '\xff');
        const qint64 size = head.size() + seconds * rate * channels * bits / 8;
        QFile file(dir.filePath(QLatin1String(name)));
        return file.open(QIODevice::WriteOnly) && file.write(head) == head.size() && file.resize(size) ? file.fileName()
                                                                                                       : QString();
    };
    const struct {
        QString file;
        int frames; // what plays: -1 the chime; the huge one is followed for its first ten seconds
    } cases[] = {
        {fifo, -1},
        {device, -1},
        {header("huge.wav", 64, 384000, 8, 61), 60 * WaveSound::Rate},
        {header("lying.wav", 2, 44100, 16, 1), WaveSound::Rate},
    };
    WaveBank bank(Chime, false);
    for (const auto &c : cases) {
        const std::string name = c.file.toStdString();
        QFile peak(QStringLiteral("/proc/self/clear_refs"));
        ASSERT_TRUE(peak.open(QIODevice::WriteOnly) && peak.write("5") == 1) << name; // VmHWM restarts at VmRSS
        peak.close();
        const qint64 before = statusKiB("VmRSS:");
        bank.play(c.file);
        const auto sound = bank.stream().sound();
        ASSERT_TRUE(sound) << name;
        EXPECT_EQ(bank.lastStarted(), c.frames < 0 ? Chime : c.file) << name;
        EXPECT_TRUE(sound->frames() > 0 && (c.frames <= WaveSound::Rate || !sound->complete())) << name;
        const int frames = c.frames < 0 ? WaveSound::Rate / 2 : c.frames;
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return sound->complete() || sound->frames() > 10 * WaveSound::Rate; }, 60000));
        EXPECT_NEAR(sound->complete() ? sound->frames() : sound->frames() + sound->room(), frames, 64) << name;
        EXPECT_LT(statusKiB("VmHWM:") - before, 32 << 10) << name;
    }
}

// Catches an open without the close before it, a spaced name cut, the boxes or switches ignored, no device.
TEST(SoundCommands, OnePieceTheLatestAskedForAndShotsAsTheBoxSays) {
    GameRig rig;
    frmPlinkard &w = rig.start();
    const QString spaced = QStringLiteral("/home/pat/My Music/fair ground.mid");
    rig.forms->settings().txtMidi->setText(spaced);
    QStringList heard{playing(rig.fakes.sound.calls)};
    w.chkMusic->setChecked(false);
    heard << playing(rig.fakes.sound.calls);
    w.chkMusic->setChecked(true);
    heard << playing(rig.fakes.sound.calls);
    rig.mod.PlayMidi(Snot);
    heard << playing(rig.fakes.sound.calls);
    EXPECT_EQ(heard, QStringList({Snot, QString(), spaced, Snot}));
    GameRig off; // music stored off, no sound device: a shot, one with the sounds unchecked, an empty click
    off.fakes.store.set(QStringLiteral("MIDI ON-OFF"), QStringLiteral("0"));
    off.fakes.sound.devices = 0;
    frmPlinkard &o = off.start();
    o.Form_Click();
    o.chkSounds->setChecked(false);
    o.Form_Click();
    o.bulletsLeft = 0;
    o.Form_Click();
    EXPECT_EQ(playing(off.fakes.sound.calls), QString());
    EXPECT_EQ(off.fakes.sound.waves(), QStringList({"/opt/plinkard/mchgun.wav", "/opt/plinkard/miss.wav"}));
}

// Catches a .rmi refused or read from the wrong offset, or one without MIDI data taken as music.
TEST(Music, RiffMidiFileIsRendered) {
    QTemporaryDir dir;
    const QByteArray note("MThd\0\0\0\6\0\0\0\1\0\x60MTrk\0\0\0\x0c\0\x90\x3c\x64\x60\x80\x3c\0\0\xff\x2f\0", 34);
    const QString rmi =
        write(dir.filePath("a.rmi"), chunk("RIFF", "RMID" + chunk("INFO", "odd") + chunk("data", note)));
    EXPECT_FALSE(
        MidiSynth::isMidiFile(write(dir.filePath("b.rmi"), chunk("RIFF", "RMID" + chunk("data", "MTrkMThd")))));
    EXPECT_FALSE(MidiSynth::isMidiFile(write(dir.filePath("c.rmi"), chunk("RIFF", "RMID" + chunk("LIST", note)))));
    MidiSynth synth(MidiSynth::defaultSoundFont());
    ASSERT_TRUE(synth.hasSoundFont());
    ASSERT_TRUE(synth.start(rmi));
    std::vector<int16_t> out(44100);
    synth.render(out.data(), 22050);
    EXPECT_GT(rms(out.data(), 44100), 0.01);
}

// Catches a bad file not failing silently, a spaced name refused, or a piece asked during loading lost.
TEST(Music, TheDeviceKeepsOneAliasAndFailsSilently) {
    QTemporaryDir dir;
    FluidMusic music{QString()};
    for (const QString &file : {dir.filePath("none.mid"), write(dir.filePath("empty.mid"), {}),
                                write(dir.filePath("garbage.mid"), QByteArray(100, '\x01')), dir.path(), QString()}) {
        music.open(file, Mymid);
        music.playFromStart(Mymid);
        EXPECT_EQ(music.openAlias(), QString()) << file.toStdString();
    }
    QFile snot(asset("snot.mid"));
    ASSERT_TRUE(snot.open(QIODevice::ReadOnly));
    music.open(write(dir.filePath("fair ground.mid"), snot.readAll()), Mymid);
    music.playFromStart(Mymid);
    EXPECT_EQ(music.openAlias(), Mymid);
    music.waitUntilReady();
    EXPECT_TRUE(music.synth()->isPlaying());
}
