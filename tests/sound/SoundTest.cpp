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
#include <QtEndian>
#include <cmath>
#include <gtest/gtest.h>
#include <numeric>
#include <sndfile.h>

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
        EXPECT_NEAR(rms(bank.stream().sound()->samples.data(), 4000), 0.35, 0.03) << c.format;
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
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    bank.play(asset("mchgun.wav"));
    bank.stream().writeTo(out, 4000);
    bank.play(asset("miss.wav"));
    bank.stream().writeTo(out, 4000);
    EXPECT_EQ(out.data().mid(4000),
              QByteArray(reinterpret_cast<const char *>(loadWave(asset("miss.wav"))->samples.data()), 4000));
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

// Catches a .rmi refused or read from the wrong offset, one without MIDI data taken as music, or its chunks
// walked without a bound (thousands of empty chunks before the data kept the sound thread busy).
TEST(Music, RiffMidiFileIsRendered) {
    QTemporaryDir dir;
    const QByteArray note("MThd\0\0\0\6\0\0\0\1\0\x60MTrk\0\0\0\x0c\0\x90\x3c\x64\x60\x80\x3c\0\0\xff\x2f\0", 34);
    const std::vector<std::pair<QByteArray, bool>> rows{{chunk("data", "MTrkMThd"), false},
                                                        {chunk("LIST", note), false},
                                                        {chunk("LIST", {}).repeated(20) + chunk("data", note), false},
                                                        {chunk("INFO", "odd") + chunk("data", note), true}};
    MidiSynth synth(MidiSynth::defaultSoundFont());
    ASSERT_TRUE(synth.hasSoundFont());
    for (const auto &[body, plays] : rows) {
        EXPECT_EQ(synth.start(write(dir.filePath("a.rmi"), chunk("RIFF", "RMID" + body))), plays);
    }
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
