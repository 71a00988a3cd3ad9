#include "sound/MidiSynth.h"
#include "sound/WaveFile.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
QByteArray le(uint32_t value, int bytes) {
    QByteArray out;
    for (int i = 0; i < bytes; ++i) {
        out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
    return out;
}

// A file of `size` bytes that starts with `head` and is otherwise a hole: no disk space used.
bool writeSparse(const QString &path, const QByteArray &head, qint64 size) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(head) == head.size() && file.resize(size);
}
} // namespace

// A sound file whose header claims a gigabyte of samples reads only its first minute, so a huge
// file costs neither the memory nor the time of reading it whole.
TEST(MediaInput, HugeWaveReadsOnlyItsFirstMinute) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("huge.wav"));
    const uint32_t dataBytes = 1U << 30;
    QByteArray head = "RIFF" + le(dataBytes + 36, 4) + "WAVE";
    head += "fmt " + le(16, 4) + le(1, 2) + le(1, 2) + le(22050, 4) + le(44100, 4) + le(2, 2) + le(16, 2);
    head += "data" + le(dataBytes, 4);
    ASSERT_TRUE(writeSparse(path, head, head.size() + qint64{dataBytes}));
    const auto sound = loadWave(path);
    ASSERT_NE(sound, nullptr);
    EXPECT_LE(sound->frames(), 60 * WaveSound::Rate + 1);
    EXPECT_GE(sound->frames(), 59 * WaveSound::Rate);
}

// A gigabyte of zeros named like music is refused as music from its first bytes: silence, no load.
TEST(MediaInput, HugeFileOfZerosIsNotMusic) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("huge.mid"));
    ASSERT_TRUE(writeSparse(path, QByteArray(), qint64{1} << 30));
    EXPECT_FALSE(MidiSynth::isMidiFile(path));
}

// Music and sounds in folders and files named with blanks and letters beyond ASCII are found and read.
TEST(MediaInput, NonAsciiNamesAreFound) {
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("Müsik und Töne ñ ø 音"));
    const QString wave = folder + QStringLiteral("/tir à l'arc é.wav");
    const QString midi = folder + QStringLiteral("/chanson ü ß.mid");
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(QFile::copy(QStringLiteral(PLINKARD_SOURCE_DIR "/assets/mchgun.wav"), wave));
    ASSERT_TRUE(QFile::copy(QStringLiteral(PLINKARD_SOURCE_DIR "/assets/snot.mid"), midi));
    EXPECT_NE(loadWave(wave), nullptr);
    EXPECT_TRUE(MidiSynth::isMidiFile(midi));
}
