#include "SynthStream.h"

#include "MidiSynth.h"

#include <cstring>

namespace {
constexpr qint64 FrameBytes = 2 * static_cast<qint64>(sizeof(int16_t));
} // namespace

SynthStream::SynthStream(MidiSynth &synth, QObject *parent) : QIODevice(parent), m_synth(synth) {
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

qint64 SynthStream::bytesAvailable() const {
    // There is always more: one second ahead, as far as the sink is concerned.
    return MidiSynth::SampleRate * FrameBytes + QIODevice::bytesAvailable();
}

qint64 SynthStream::readData(char *data, qint64 maxSize) {
    const qint64 frames = maxSize / FrameBytes;
    if (frames <= 0) {
        return 0;
    }
    // The sink's buffer need not be aligned for 16-bit samples, so render beside it and copy.
    m_frames.resize(static_cast<size_t>(frames) * 2);
    m_synth.render(m_frames.data(), static_cast<int>(frames));
    std::memcpy(data, m_frames.data(), static_cast<size_t>(frames * FrameBytes));
    return frames * FrameBytes;
}

qint64 SynthStream::writeData(const char * /*data*/, qint64 /*maxSize*/) { return -1; }
