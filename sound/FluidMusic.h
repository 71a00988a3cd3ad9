#pragma once

#include <QObject>
#include <QString>
#include <memory>

class MidiSynth;
class SynthStream;
class QAudioSink;
class QThread;

// The music device: a MIDI file opened under an alias, played from its start, closed. One alias
// is open at most, and every failure is silent. The synthesiser plays into a Qt audio sink; its
// library and SoundFont load on a worker thread once the first window has painted, so start-up
// never waits for them, and a piece asked for meanwhile begins from its first note once they are in.
class FluidMusic final : public QObject {
    Q_OBJECT
public:
    explicit FluidMusic(const QString &soundFont, QObject *parent = nullptr);
    ~FluidMusic() override;

    void open(const QString &file, const QString &alias);
    void playFromStart(const QString &alias);
    void close(const QString &alias);

    // The alias now open; empty when none is.
    QString openAlias() const { return m_alias; }
    // Blocks until the synthesiser exists; it loads now if nothing asked for it yet.
    void waitUntilReady();
    // Null until the SoundFont has loaded.
    const MidiSynth *synth() const { return m_synth.get(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void beginLoading();
    void startLoader();
    void takeLoadedSynth();
    void startPiece();
    void stopPiece();

    QString m_soundFont;
    QString m_alias;
    QString m_file;
    bool m_playing = false;
    bool m_waitingForPaint = false;
    QThread *m_loader = nullptr;
    std::unique_ptr<MidiSynth> m_loaded; // written by the loader only, read after it has finished
    std::unique_ptr<MidiSynth> m_synth;
    std::unique_ptr<SynthStream> m_stream;
    std::unique_ptr<QAudioSink> m_sink;
};
