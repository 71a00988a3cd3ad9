#include "SoundTestFiles.h"
#include "sound/QtSoundSystem.h"
#include "sound/WaveBank.h"
#include "sound/WaveFile.h"
#include "sound/WaveStream.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sndfile.h>

namespace {
// The next `frames` stereo frames the output would get.
std::vector<int16_t> pull(WaveStream &stream, int frames) {
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    stream.writeTo(out, frames * 4);
    std::vector<int16_t> samples(static_cast<size_t>(frames) * 2);
    std::memcpy(samples.data(), out.data().constData(), static_cast<size_t>(out.data().size()));
    return samples;
}

// A tenth of a second of a half-scale 440 Hz tone in every channel, written by libsndfile itself;
// returns the frames the file holds (ADPCM rounds up to whole blocks).
sf_count_t writeTone(const QString &path, int format, int channels, int rate) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    SNDFILE *file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    if (!file) {
        return 0;
    }
    std::vector<float> samples(static_cast<size_t>(rate / 10 * channels));
    for (size_t i = 0; i < samples.size(); ++i) {
        samples[i] = 0.5F * std::sin(static_cast<float>(i / static_cast<size_t>(channels)) * 6.2832F * 440 /
                                     static_cast<float>(rate));
    }
    sf_writef_float(file, samples.data(), rate / 10);
    sf_close(file);
    info = {};
    file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    sf_close(file);
    return info.frames;
}
} // namespace

// WAV files in the encodings and layouts found in the wild play as themselves: at the output's rate,
// as long as they last, at their own level.
TEST(Waves, EveryCommonEncodingIsDecodedAndConverted) {
    struct Case {
        const char *name;
        int format, channels, rate;
    };
    const Case cases[] = {
        {"pcm24", SF_FORMAT_PCM_24, 2, 48000}, {"ulaw", SF_FORMAT_ULAW, 1, 8000},
        {"alaw", SF_FORMAT_ALAW, 1, 11025},    {"ima", SF_FORMAT_IMA_ADPCM, 1, 22050},
        {"ms", SF_FORMAT_MS_ADPCM, 2, 44100},  {"six", SF_FORMAT_PCM_16, 6, 22050},
        {"float", SF_FORMAT_FLOAT, 1, 96000},
    };
    QTemporaryDir dir;
    for (const Case &c : cases) {
        const QString path = dir.filePath(QString::fromLatin1(c.name) + QStringLiteral(".wav"));
        const sf_count_t frames = writeTone(path, SF_FORMAT_WAV | c.format, c.channels, c.rate);
        ASSERT_GT(frames, 0) << c.name;
        const auto sound = loadWave(path);
        ASSERT_NE(sound, nullptr) << c.name;
        EXPECT_NEAR(sound->frames(), static_cast<double>(frames) * WaveSound::Rate / c.rate, 2) << c.name;
        // The tone's level is 0.35 RMS; ADPCM's padding is silence.
        EXPECT_NEAR(loudness({sound->samples.begin(), sound->samples.begin() + 4000}).rms, 0.35, 0.03) << c.name;
    }
    for (const char *name : {"mchgun.wav", "miss.wav"}) {
        EXPECT_NE(loadWave(assetPath(QString::fromLatin1(name))), nullptr) << name;
    }
}

// A file that cannot be played plays our default sound, and the default sound ships inside the program.
TEST(Waves, UnplayableFilesPlayTheDefaultSound) {
    QTemporaryDir dir;
    const QString fallback = QtSoundSystem::defaultSound();
    const auto chime = loadWave(fallback);
    ASSERT_NE(chime, nullptr);
    EXPECT_NEAR(chime->frames(), WaveSound::Rate / 2, 2);
    WaveBank bank(fallback, false);
    const QString empty = dir.filePath(QStringLiteral("empty.wav"));
    const QString corrupt = dir.filePath(QStringLiteral("corrupt.wav"));
    const QString aiff = dir.filePath(QStringLiteral("aiff.wav"));
    ASSERT_TRUE(writeFile(empty, {}));
    ASSERT_TRUE(writeFile(corrupt, QByteArray("RIFF\x10\0\0\0WAVEfmt ", 16) + QByteArray(40, '\xee')));
    ASSERT_GT(writeTone(aiff, SF_FORMAT_AIFF | SF_FORMAT_PCM_16, 1, 44100), 0);
    for (const QString &file :
         {dir.filePath(QStringLiteral("missing.wav")), empty, corrupt, aiff, QString(), dir.path()}) {
        bank.play(file);
        EXPECT_EQ(bank.lastStarted(), fallback) << file.toStdString();
        EXPECT_EQ(bank.stream().framesLeft(), chime->frames());
    }
}

// The decoded sound follows the file: missing at the first shot, it plays once it appears; edited, it
// plays its new sound; unchanged, every shot shares the one decoded copy.
TEST(Waves, DecodedSoundsFollowTheFile) {
    QTemporaryDir dir;
    WaveBank bank(QtSoundSystem::defaultSound(), false);
    const QString shot = dir.filePath(QStringLiteral("shot.wav"));
    bank.play(shot);
    EXPECT_EQ(bank.lastStarted(), QtSoundSystem::defaultSound());
    const QDateTime written = QDateTime::currentDateTime().addSecs(-60);
    for (const int frames : {100, 300}) {
        WaveBytes bytes;
        bytes.frames = frames;
        ASSERT_TRUE(writeFile(shot, bytes.bytes()));
        QFile file(shot);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite) && file.setFileTime(written, QFileDevice::FileModificationTime));
        bank.play(shot);
        EXPECT_EQ(bank.lastStarted(), shot);
        EXPECT_NEAR(bank.stream().framesLeft(), frames * 2, 2) << frames;
        const auto first = bank.stream().sound();
        bank.play(shot);
        EXPECT_EQ(bank.stream().sound(), first);
    }
}

// A new sound cuts off the one still playing, and the same sound again starts from its beginning;
// after its end nothing more is written.
TEST(Waves, NewSoundCutsOffTheOld) {
    WaveBank bank(QtSoundSystem::defaultSound(), false);
    const QString burst = assetPath(QStringLiteral("mchgun.wav"));
    const QString click = assetPath(QStringLiteral("miss.wav"));
    const auto burstSound = loadWave(burst);
    const auto clickSound = loadWave(click);
    bank.play(burst);
    EXPECT_EQ(pull(bank.stream(), 2000),
              std::vector<int16_t>(burstSound->samples.begin(), burstSound->samples.begin() + 4000));
    bank.play(click);
    EXPECT_EQ(pull(bank.stream(), 1000),
              std::vector<int16_t>(clickSound->samples.begin(), clickSound->samples.begin() + 2000));
    bank.play(click);
    EXPECT_EQ(bank.stream().framesLeft(), clickSound->frames());
    pull(bank.stream(), clickSound->frames());
    EXPECT_EQ(bank.stream().framesLeft(), 0);
    EXPECT_EQ(bank.stream().sound(), nullptr);
}
