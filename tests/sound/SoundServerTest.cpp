#include "SoundTestFiles.h"
#include "sound/QtSoundSystem.h"

#include <QEventLoop>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <gtest/gtest.h>

// These tests listen to the null sink of the test session's sound server; without one they skip.
namespace {
// Runs the event loop as the program does, for a while; the audio sinks are fed from it.
void runFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool serverReachable() {
    if (qEnvironmentVariableIsEmpty("PULSE_SERVER") ||
        QStandardPaths::findExecutable(QStringLiteral("parecord")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("sox")).isEmpty()) {
        return false;
    }
    QProcess pactl;
    pactl.start(QStringLiteral("pactl"), {QStringLiteral("info")});
    if (!pactl.waitForFinished(3000)) {
        pactl.kill();
        pactl.waitForFinished();
        return false;
    }
    return pactl.exitStatus() == QProcess::NormalExit && pactl.exitCode() == 0;
}

struct Heard {
    double seconds = 0;
    double peak = 0;
};

// sox's view of a recording: its length and peak level.
Heard measure(const QString &wav) {
    QProcess sox;
    sox.start(QStringLiteral("sox"), {wav, QStringLiteral("-n"), QStringLiteral("stat")});
    sox.waitForFinished(10000);
    const QString text = QString::fromLocal8Bit(sox.readAllStandardError());
    auto number = [&](const char *label) {
        const QRegularExpression re(QString::fromLatin1(label) + QStringLiteral(R"(:\s*(-?[0-9.]+))"));
        return re.match(text).captured(1).toDouble();
    };
    return {number("Length \\(seconds\\)"), std::max(number("Maximum amplitude"), -number("Minimum amplitude"))};
}

// The stretches of sound in a recording, split wherever it falls silent for a quarter second.
std::vector<Heard> soundsIn(const QString &wav, const QTemporaryDir &dir) {
    QProcess sox;
    sox.start(QStringLiteral("sox"),
              {wav, dir.filePath(QStringLiteral("part.wav")), QStringLiteral("silence"), QStringLiteral("1"),
               QStringLiteral("0.01"), QStringLiteral("0.5%"), QStringLiteral("1"), QStringLiteral("0.25"),
               QStringLiteral("0.5%"), QStringLiteral(":"), QStringLiteral("newfile"), QStringLiteral(":"),
               QStringLiteral("restart")});
    sox.waitForFinished(10000);
    std::vector<Heard> parts;
    for (const QString &name : QDir(dir.path()).entryList({QStringLiteral("part*.wav")}, QDir::Files, QDir::Name)) {
        const Heard part = measure(dir.filePath(name));
        if (part.seconds > 0.02) {
            parts.push_back(part);
        }
    }
    return parts;
}

// Qt 6.4's PulseAudio output now and then stalls after its first buffer when both cores are busy
// (its processed time stops at the buffer's length, with no error), so a silent take is retried.
constexpr int Attempts = 3;

// Whether a recording stream is connected to the server.
bool recorderConnected() {
    QProcess pactl;
    pactl.start(QStringLiteral("pactl"),
                {QStringLiteral("list"), QStringLiteral("short"), QStringLiteral("source-outputs")});
    return pactl.waitForFinished(3000) && !pactl.readAllStandardOutput().trimmed().isEmpty();
}

// From the first sound of a recording to the end of its last.
Heard span(const QString &wav, const QTemporaryDir &dir) {
    const QString trimmed = dir.filePath(QStringLiteral("span.wav"));
    const QString q = QStringLiteral("0.5%");
    QProcess sox;
    sox.start(QStringLiteral("sox"), {wav, trimmed, QStringLiteral("silence"), QStringLiteral("1"),
                                      QStringLiteral("0.005"), q, QStringLiteral("reverse"), QStringLiteral("silence"),
                                      QStringLiteral("1"), QStringLiteral("0.005"), q, QStringLiteral("reverse")});
    sox.waitForFinished(10000);
    return measure(trimmed);
}

class SoundServer : public ::testing::Test {
protected:
    void SetUp() override {
        if (!serverReachable()) {
            GTEST_SKIP() << "no sound server to listen to";
        }
        ASSERT_TRUE(dir.isValid());
    }
    void startRecording() {
        QFile::remove(recording());
        for (const QString &name : QDir(dir.path()).entryList({QStringLiteral("part*.wav")}, QDir::Files)) {
            QFile::remove(dir.filePath(name));
        }
        recorder.setStandardInputFile(QProcess::nullDevice());
        recorder.setStandardOutputFile(QProcess::nullDevice());
        recorder.start(QStringLiteral("parecord"),
                       {QStringLiteral("-d"), QStringLiteral("test_sink.monitor"), QStringLiteral("--file-format=wav"),
                        // Small fragments: the server would otherwise hand over
                        // seconds at a time, lost when the recorder is stopped.
                        QStringLiteral("--latency-msec=20"), recording()});
        ASSERT_TRUE(recorder.waitForStarted(3000));
        // A busy machine can take a while to connect the recorder; sounds before that are lost.
        for (int i = 0; i < 100 && !recorderConnected(); ++i) {
            runFor(50);
        }
        runFor(100);
    }
    void stopRecording() {
        recorder.terminate();
        if (!recorder.waitForFinished(5000)) {
            recorder.kill();
            recorder.waitForFinished();
        }
    }
    QString recording() const { return dir.filePath(QStringLiteral("heard.wav")); }
    QTemporaryDir dir;
    QProcess recorder;
};
} // namespace

// Through a real server the game's music and then a shot are both heard, unclipped, and a new
// sound cuts off the one still playing.
TEST_F(SoundServer, MusicAndShotsAreHeard) {
    std::vector<Heard> parts;
    auto heardBoth = [&] {
        return parts.size() >= 2 && parts.front().peak < 0.6 &&
               std::any_of(parts.begin() + 1, parts.end(), [](const Heard &p) { return p.peak > 0.6; });
    };
    for (int attempt = 0; attempt < Attempts && !heardBoth(); ++attempt) {
        QtSoundSystem sound;
        EXPECT_GE(sound.outputDeviceCount(), 1);
        startRecording();
        sound.openSequencer(assetPath(QStringLiteral("snot.mid")), QStringLiteral("mymid"));
        sound.playFromStart(QStringLiteral("mymid"));
        runFor(2500);
        sound.close(QStringLiteral("mymid"));
        runFor(700);
        sound.playWave(assetPath(QStringLiteral("mchgun.wav")));
        runFor(1200);
        stopRecording();
        parts = soundsIn(recording(), dir);
    }
    ASSERT_TRUE(heardBoth()) << parts.size() << " stretches of sound";
    // The music first: half a second or more (the SoundFont loads first), at a background level.
    EXPECT_GT(parts.front().seconds, 0.5);
    EXPECT_GT(parts.front().peak, 0.1);
    // Then the burst, loud but below full scale, no longer than the file.
    const Heard shot = *std::max_element(parts.begin() + 1, parts.end(),
                                         [](const Heard &a, const Heard &b) { return a.peak < b.peak; });
    EXPECT_LT(shot.seconds, 0.9);
    EXPECT_LT(shot.peak, 0.99);

    // A new sound cuts off the one still playing: the burst stops where the dry click begins.
    // (One test: two at once would hear each other in the one sink.)
    Heard heard;
    for (int attempt = 0; attempt < Attempts && heard.peak < 0.6; ++attempt) {
        QtSoundSystem sound;
        // A shot earlier in the game has opened the output already.
        sound.playWave(assetPath(QStringLiteral("miss.wav")));
        runFor(400);
        startRecording();
        sound.playWave(assetPath(QStringLiteral("mchgun.wav")));
        runFor(150);
        sound.playWave(assetPath(QStringLiteral("miss.wav")));
        runFor(800);
        stopRecording();
        heard = span(recording(), dir);
    }
    // Uncut, the burst alone would sound 0.6 s; cut, burst and click together take about a quarter second.
    EXPECT_GT(heard.peak, 0.6);
    EXPECT_GT(heard.seconds, 0.15);
    EXPECT_LT(heard.seconds, 0.5);
}
