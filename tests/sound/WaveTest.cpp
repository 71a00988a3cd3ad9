#include "SoundTestFiles.h"
#include "sound/QtSoundSystem.h"
#include "sound/WaveBank.h"
#include "sound/WaveFile.h"
#include "sound/WaveStream.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
bool isPlayableWave(const QString &file) { return loadWave(file) != nullptr; }

// The next `frames` stereo frames the sink would get.
std::vector<int16_t> pull(WaveStream &stream, int frames) {
    std::vector<int16_t> out(static_cast<size_t>(frames) * 2);
    const QByteArray bytes = stream.read(frames * 4);
    std::memcpy(out.data(), bytes.constData(), static_cast<size_t>(bytes.size()));
    return out;
}

class Waves : public ::testing::Test {
protected:
    QString write(const QString &name, const QByteArray &bytes) {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(writeFile(path, bytes));
        return path;
    }
    QTemporaryDir dir;
};
} // namespace

// The game's own sounds, and WAV files laid out in any legal way, are recognised as playable.
TEST_F(Waves, PlayableFilesAreRecognised) {
    for (const char *name : {"mchgun.wav", "miss.wav", "sounds/default.wav"}) {
        EXPECT_TRUE(isPlayableWave(assetPath(QString::fromLatin1(name)))) << name;
    }
    WaveBytes stereo8;
    stereo8.channels = 2;
    stereo8.bits = 8;
    WaveBytes listFirst;
    listFirst.extraChunk = WaveBytes::chunk("LIST", QByteArray(7, 'x')); // odd length: padded
    WaveBytes floats;
    floats.format = 3;
    floats.bits = 32;
    for (const WaveBytes &w : {WaveBytes{}, stereo8, listFirst, floats}) {
        EXPECT_TRUE(isPlayableWave(write(QStringLiteral("ok.wav"), w.bytes())));
    }
}

// Missing, empty, corrupt or unsupported WAV files are turned away before the player sees them.
TEST_F(Waves, UnplayableFilesAreRefused) {
    WaveBytes noFrames;
    noFrames.frames = 0;
    WaveBytes bits24;
    bits24.bits = 24;
    WaveBytes sixChannels;
    sixChannels.channels = 6;
    WaveBytes compressed;
    compressed.format = 2;
    WaveBytes dataFirst;
    dataFirst.fmtFirst = false;
    const QByteArray good = WaveBytes{}.bytes();
    const std::vector<QByteArray> bad{
        {},
        QByteArray(500, '\x7f'),
        good.left(30),
        noFrames.bytes(),
        bits24.bytes(),
        sixChannels.bytes(),
        compressed.bytes(),
        dataFirst.bytes(),
        QByteArray("RIFX") + good.mid(4),
    };
    EXPECT_FALSE(isPlayableWave(dir.filePath(QStringLiteral("missing.wav"))));
    EXPECT_FALSE(isPlayableWave(QString()));
    EXPECT_FALSE(isPlayableWave(dir.path()));
    for (size_t i = 0; i < bad.size(); ++i) {
        EXPECT_FALSE(isPlayableWave(write(QStringLiteral("bad%1.wav").arg(i), bad[i]))) << i;
    }
}

// A file that cannot be played plays our default sound, and the default sound ships inside the program.
TEST_F(Waves, UnplayableFilesPlayTheDefaultSound) {
    const QString fallback = QtSoundSystem::defaultSound();
    EXPECT_TRUE(isPlayableWave(fallback));
    WaveBank bank(fallback, false);
    const QString missing = dir.filePath(QStringLiteral("missing.wav"));
    const QString empty = write(QStringLiteral("empty.wav"), {});
    const QString corrupt =
        write(QStringLiteral("corrupt.wav"), QByteArray("RIFF\x10\0\0\0WAVEfmt ", 16) + QByteArray(40, '\xee'));
    for (const QString &file : {missing, empty, corrupt, QString(), dir.path()}) {
        bank.play(file);
        EXPECT_EQ(bank.lastStarted(), fallback) << file.toStdString();
        EXPECT_EQ(bank.stream().framesLeft(), loadWave(fallback)->frames());
    }
    EXPECT_EQ(bank.loadedCount(), 1);
    const QString shot = assetPath(QStringLiteral("mchgun.wav"));
    bank.play(shot);
    EXPECT_EQ(bank.lastStarted(), shot);
}

// Each file is read once and kept: repeated shots reuse it, a second file adds one.
TEST_F(Waves, RepeatedSoundsAreReadOnce) {
    WaveBank bank(QtSoundSystem::defaultSound(), false);
    const QString shot = write(QStringLiteral("shot.wav"), WaveBytes{}.bytes());
    for (int i = 0; i < 5; ++i) {
        bank.play(shot);
    }
    EXPECT_EQ(bank.loadedCount(), 1);
    // Gone from the disk, it still plays from memory.
    ASSERT_TRUE(QFile::remove(shot));
    bank.play(shot);
    EXPECT_EQ(bank.lastStarted(), shot);
    bank.play(assetPath(QStringLiteral("miss.wav")));
    EXPECT_EQ(bank.loadedCount(), 2);
}

// A new sound cuts off the one still playing, and the same sound again starts from its beginning.
TEST_F(Waves, NewSoundCutsOffTheOld) {
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
    // After its end the stream goes on with silence, so the output never stops by itself.
    pull(bank.stream(), clickSound->frames());
    EXPECT_EQ(loudness(pull(bank.stream(), 500)).peak, 0.0);
    EXPECT_EQ(bank.stream().framesLeft(), 0);
}

// Sounds of other rates and widths come out at the output's rate, in stereo, at the same level.
TEST_F(Waves, OtherFormatsAreConverted) {
    WaveBytes mono8;
    mono8.bits = 8;
    mono8.rate = 11025;
    mono8.frames = 1000;
    const auto sound = loadWave(write(QStringLiteral("mono8.wav"), mono8.bytes()));
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(sound->frames(), 4000);
    // Every byte of the data is 0x10, i.e. (16 - 128) / 128 of full scale, on both sides.
    const auto expected = static_cast<int16_t>(std::lround((16 - 128) / 128.0 * 32767));
    EXPECT_EQ(sound->samples.front(), expected);
    EXPECT_EQ(sound->samples[4001], expected);
    const auto chime = loadWave(QtSoundSystem::defaultSound());
    ASSERT_NE(chime, nullptr);
    EXPECT_NEAR(chime->frames(), WaveSound::Rate / 2, 2);
}
