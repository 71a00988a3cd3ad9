#include "WaveFile.h"

#include <QFile>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace {
constexpr uint16_t FormatPcm = 1;
constexpr uint16_t FormatFloat = 3;
constexpr uint16_t FormatExtensible = 0xFFFE;
// A shot sound, not a song: anything longer is cut here rather than held in memory whole.
constexpr qint64 MaxSeconds = 60;

struct Format {
    uint16_t tag = 0;
    uint16_t channels = 0;
    uint32_t rate = 0;
    uint16_t blockAlign = 0;
    uint16_t bits = 0;
    bool isFloat = false;
};

uint16_t u16(const char *p) { return qFromLittleEndian<uint16_t>(p); }
uint32_t u32(const char *p) { return qFromLittleEndian<uint32_t>(p); }

bool readFormat(const QByteArray &fmt, Format &f) {
    if (fmt.size() < 16) {
        return false;
    }
    const char *p = fmt.constData();
    f = {u16(p), u16(p + 2), u32(p + 4), u16(p + 12), u16(p + 14), false};
    uint16_t kind = f.tag;
    if (kind == FormatExtensible) {
        // The sub-format's first two bytes are the plain format tag.
        if (fmt.size() < 26) {
            return false;
        }
        kind = u16(p + 24);
    }
    f.isFloat = kind == FormatFloat;
    const bool knownKind = kind == FormatPcm || (kind == FormatFloat && f.bits == 32);
    const bool knownBits = f.bits == 8 || f.bits == 16 || f.bits == 32;
    return knownKind && knownBits && (f.channels == 1 || f.channels == 2) && f.rate >= 1000 && f.rate <= 192000 &&
           f.blockAlign == f.channels * f.bits / 8;
}

// One sample as a value in [-1, 1].
double sampleAt(const char *p, const Format &f) {
    switch (f.bits) {
    case 8:
        return (static_cast<uint8_t>(*p) - 128) / 128.0;
    case 16:
        return qFromLittleEndian<int16_t>(p) / 32768.0;
    default:
        if (f.isFloat) {
            const uint32_t bits = u32(p);
            float value = 0;
            std::memcpy(&value, &bits, sizeof value);
            return std::isfinite(value) ? std::clamp(static_cast<double>(value), -1.0, 1.0) : 0.0;
        }
        return qFromLittleEndian<int32_t>(p) / 2147483648.0;
    }
}

int16_t toSample(double v) { return static_cast<int16_t>(std::lround(std::clamp(v, -1.0, 1.0) * 32767.0)); }

// Linear interpolation to the output rate, mono spread to both sides.
std::shared_ptr<const WaveSound> convert(const QByteArray &data, const Format &f) {
    const qint64 inFrames = std::min<qint64>(data.size() / f.blockAlign, MaxSeconds * f.rate);
    auto at = [&](qint64 frame, int channel) {
        const qint64 clamped = std::min(frame, inFrames - 1);
        const int c = f.channels == 2 ? channel : 0;
        return sampleAt(data.constData() + clamped * f.blockAlign + c * (f.bits / 8), f);
    };
    const double step = static_cast<double>(f.rate) / WaveSound::Rate;
    const auto outFrames = static_cast<qint64>(std::ceil(static_cast<double>(inFrames) / step));
    auto sound = std::make_shared<WaveSound>();
    sound->samples.resize(static_cast<size_t>(outFrames) * 2);
    for (qint64 i = 0; i < outFrames; ++i) {
        const double pos = static_cast<double>(i) * step;
        const auto frame = static_cast<qint64>(pos);
        const double frac = pos - static_cast<double>(frame);
        for (int c = 0; c < 2; ++c) {
            const double v = at(frame, c) * (1.0 - frac) + at(frame + 1, c) * frac;
            sound->samples[static_cast<size_t>(i * 2 + c)] = toSample(v);
        }
    }
    return sound;
}
} // namespace

std::shared_ptr<const WaveSound> loadWave(const QString &file) {
    QFile wave(file);
    if (file.isEmpty() || !wave.open(QIODevice::ReadOnly)) {
        return nullptr;
    }
    const QByteArray riff = wave.read(12);
    if (riff.size() < 12 || !riff.startsWith("RIFF") || riff.mid(8, 4) != "WAVE") {
        return nullptr;
    }
    const qint64 size = wave.size();
    Format format;
    bool haveFormat = false;
    // Chunks in any order, but a data chunk before its format is of no use.
    while (wave.pos() + 8 <= size) {
        const QByteArray header = wave.read(8);
        if (header.size() < 8) {
            return nullptr;
        }
        const qint64 length = u32(header.constData() + 4);
        const qint64 body = wave.pos();
        if (header.startsWith("fmt ")) {
            if (length < 16 || length > 1024 || !readFormat(wave.read(length), format)) {
                return nullptr;
            }
            haveFormat = true;
        } else if (header.startsWith("data")) {
            if (!haveFormat) {
                return nullptr;
            }
            // A data chunk longer than the file is cut to what is there, as players do.
            const qint64 limit = MaxSeconds * format.rate * format.blockAlign;
            const QByteArray data = wave.read(std::min({length, size - body, limit}));
            if (data.size() < format.blockAlign) {
                return nullptr;
            }
            return convert(data, format);
        }
        // Chunks are padded to an even length.
        if (!wave.seek(body + length + (length & 1))) {
            return nullptr;
        }
    }
    return nullptr;
}
