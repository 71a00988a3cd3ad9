#include "SoundTestFiles.h"
#include "sound/FluidMusic.h"
#include "sound/MidiSynth.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
constexpr int Rate = MidiSynth::SampleRate;

// Quieter than this is silence: the synthesiser dithers its output by one step.
constexpr double Silent = 0.002;

std::vector<int16_t> render(MidiSynth &synth, double seconds) {
    std::vector<int16_t> out(static_cast<size_t>(seconds * Rate) * 2);
    // In sink-sized pieces, as the audio sink asks for them.
    for (size_t at = 0; at < out.size(); at += 2048) {
        synth.render(out.data() + at, static_cast<int>(std::min<size_t>(2048, out.size() - at) / 2));
    }
    return out;
}

class Synth : public ::testing::Test {
protected:
    void SetUp() override {
        if (MidiSynth::defaultSoundFont().isEmpty()) {
            GTEST_SKIP() << "no General MIDI SoundFont installed";
        }
    }
    static MidiSynth &withFont() {
        static MidiSynth synth(MidiSynth::defaultSoundFont());
        return synth;
    }
    QTemporaryDir dir;
};
} // namespace

// The game's own piece sounds: the synthesiser renders it offline, audible and unclipped.
TEST_F(Synth, RendersTheGamesMusicAudibly) {
    MidiSynth &synth = withFont();
    ASSERT_TRUE(synth.hasSoundFont());
    ASSERT_TRUE(synth.start(assetPath(QStringLiteral("snot.mid"))));
    const Loudness l = loudness(render(synth, 3.0));
    EXPECT_GT(l.rms, 0.02);
    EXPECT_LT(l.peak, 0.99);
    EXPECT_TRUE(synth.isPlaying());
    synth.stop();
}

// A RIFF MIDI file (.rmi) plays the standard MIDI file in its "data" chunk, after other chunks.
TEST_F(Synth, RiffMidiFilePlays) {
    const QByteArray note("MThd\0\0\0\6\0\0\0\1\0\x60MTrk\0\0\0\x0c\0\x90\x3c\x64\x60\x80\x3c\0\0\xff\x2f\0", 34);
    const QByteArray info = WaveBytes::chunk("INFO", "odd");
    const QByteArray body = "RMID" + info + WaveBytes::chunk("data", note);
    const QString rmi = dir.filePath(QStringLiteral("tune.rmi"));
    ASSERT_TRUE(writeFile(rmi, "RIFF" + WaveBytes::le32(static_cast<uint32_t>(body.size())) + body));
    EXPECT_TRUE(MidiSynth::isMidiFile(rmi));
    MidiSynth &synth = withFont();
    ASSERT_TRUE(synth.start(rmi));
    EXPECT_GT(loudness(render(synth, 0.5)).rms, 0.01);
    synth.stop();
}

// Starting again, even mid-piece, leaves one piece playing from its first tick.
TEST_F(Synth, StartingAgainBeginsAtTheStart) {
    MidiSynth &synth = withFont();
    ASSERT_TRUE(synth.start(assetPath(QStringLiteral("snot.mid"))));
    render(synth, 2.0);
    EXPECT_GT(synth.currentTick(), 1000);
    ASSERT_TRUE(synth.start(assetPath(QStringLiteral("snot.mid"))));
    EXPECT_EQ(synth.currentTick(), 0);
    render(synth, 0.1);
    EXPECT_LT(synth.currentTick(), 200);
    synth.stop();
    EXPECT_EQ(synth.currentTick(), -1);
    render(synth, 0.2); // the last notes die away
    EXPECT_LT(loudness(render(synth, 0.2)).peak, Silent);
}

// A music file whose path has spaces plays like any other.
TEST_F(Synth, PathWithSpacesPlays) {
    const QString spaced = dir.filePath(QStringLiteral("my music/fair ground.mid"));
    QFile source(assetPath(QStringLiteral("snot.mid")));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    ASSERT_TRUE(writeFile(spaced, source.readAll()));
    MidiSynth &synth = withFont();
    ASSERT_TRUE(synth.start(spaced));
    EXPECT_GT(loudness(render(synth, 2.0)).rms, 0.02);
    synth.stop();
}

// Broken music neither crashes nor hangs: missing, empty, garbage and a header with a broken body.
TEST_F(Synth, BrokenMusicFilesGiveSilence) {
    const QString missing = dir.filePath(QStringLiteral("none.mid"));
    const QString empty = dir.filePath(QStringLiteral("empty.mid"));
    const QString garbage = dir.filePath(QStringLiteral("garbage.mid"));
    const QString broken = dir.filePath(QStringLiteral("broken.mid"));
    ASSERT_TRUE(writeFile(empty, {}));
    ASSERT_TRUE(writeFile(garbage, QByteArray(3000, '\x5a')));
    ASSERT_TRUE(
        writeFile(broken, QByteArray("MThd\0\0\0\6\0\1\0\2\1\xe0MTrk\xff\xff\xff\xf0", 22) + QByteArray(64, '\x90')));
    MidiSynth &synth = withFont();
    synth.stop();
    render(synth, 0.3);
    // A RIFF MIDI file whose data chunk holds no MIDI, or that has none.
    const QString riffGarbage = dir.filePath(QStringLiteral("garbage.rmi"));
    const QString riffNoData = dir.filePath(QStringLiteral("nodata.rmi"));
    ASSERT_TRUE(writeFile(riffGarbage, "RIFF\x10\0\0\0RMID" + WaveBytes::chunk("data", "MTrkMThd")));
    ASSERT_TRUE(writeFile(riffNoData, "RIFF\x10\0\0\0RMID" + WaveBytes::chunk("LIST", "MThd\0\0\0\6")));
    for (const QString &file : {missing, empty, garbage, dir.path(), riffGarbage, riffNoData}) {
        EXPECT_FALSE(MidiSynth::isMidiFile(file)) << file.toStdString();
        EXPECT_FALSE(synth.start(file)) << file.toStdString();
        EXPECT_LT(loudness(render(synth, 0.2)).peak, Silent);
    }
    synth.start(broken);
    EXPECT_LT(loudness(render(synth, 1.0)).peak, Silent);
    synth.stop();
}

// Without a SoundFont the piece still runs its course, silently; it plays once and ends within two minutes.
TEST(SynthWithoutFont, RunsSilentlyToTheEndOfThePiece) {
    MidiSynth synth(QStringLiteral("/nonexistent/default-GM.sf2"));
    EXPECT_FALSE(synth.hasSoundFont());
    ASSERT_TRUE(synth.start(assetPath(QStringLiteral("snot.mid"))));
    std::vector<int16_t> block(2 * 4410);
    double seconds = 0;
    double peak = 0;
    while (synth.isPlaying() && seconds < 180) {
        synth.render(block.data(), 4410);
        peak = std::max(peak, loudness(block).peak);
        seconds += 0.1;
    }
    EXPECT_LT(peak, Silent);
    EXPECT_FALSE(synth.isPlaying());
    EXPECT_GE(seconds, 60.0);
    EXPECT_LE(seconds, 120.0);
}

// The music device keeps one alias open at most and ignores commands for any other.
TEST(MusicDevice, OneAliasAtMost) {
    QTemporaryDir dir;
    FluidMusic music{QString()};
    const QString garbage = dir.filePath(QStringLiteral("garbage.mid"));
    ASSERT_TRUE(writeFile(garbage, QByteArray(100, '\x01')));
    // A file that cannot be opened leaves the alias closed, so play and close do nothing.
    for (const QString &file : {dir.filePath(QStringLiteral("no such.mid")), garbage, dir.path(), QString()}) {
        music.open(file, QStringLiteral("mymid"));
        EXPECT_TRUE(music.openAlias().isEmpty()) << file.toStdString();
        music.playFromStart(QStringLiteral("mymid"));
        music.close(QStringLiteral("mymid"));
    }
    EXPECT_EQ(music.synth(), nullptr);

    music.open(assetPath(QStringLiteral("snot.mid")), QStringLiteral("mymid"));
    EXPECT_EQ(music.openAlias(), "mymid");
    music.open(assetPath(QStringLiteral("snot.mid")), QStringLiteral("other"));
    music.close(QStringLiteral("other"));
    EXPECT_EQ(music.openAlias(), "mymid");
    music.close(QStringLiteral("mymid"));
    EXPECT_TRUE(music.openAlias().isEmpty());
}

// A piece asked for while the SoundFont still loads starts from its first note once it is in.
TEST(MusicDevice, PlayAskedBeforeLoadingStartsAtTheBeginning) {
    FluidMusic music{QString()};
    EXPECT_EQ(music.synth(), nullptr);
    music.open(assetPath(QStringLiteral("snot.mid")), QStringLiteral("mymid"));
    music.playFromStart(QStringLiteral("mymid"));
    music.waitUntilReady();
    ASSERT_NE(music.synth(), nullptr);
    EXPECT_TRUE(music.synth()->isPlaying());
    // With a sound server, the output has taken its first three tenths of a second (under 600 ticks).
    EXPECT_LT(music.synth()->currentTick(), 600);
    music.close(QStringLiteral("mymid"));
    EXPECT_FALSE(music.synth()->isPlaying());
    // Play without an open alias does nothing.
    music.playFromStart(QStringLiteral("mymid"));
    EXPECT_FALSE(music.synth()->isPlaying());
}
