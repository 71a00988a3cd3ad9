#pragma once

#include <QIODevice>
#include <cstdint>
#include <vector>

class MidiSynth;

// An endless read-only stream of the synthesiser's output for an audio sink in pull mode:
// the sink's reads are what advance the music, so it never runs ahead of what is heard.
class SynthStream final : public QIODevice {
    Q_OBJECT
public:
    explicit SynthStream(MidiSynth &synth, QObject *parent = nullptr);

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override;

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 maxSize) override;

private:
    MidiSynth &m_synth;
    std::vector<int16_t> m_frames;
};
