#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QtEndian>
#include <cmath>
#include <cstdint>
#include <vector>

// The game's own sound files, from the source tree.
inline QString assetPath(const QString &name) {
    return QFileInfo(QStringLiteral(__FILE__)).dir().absoluteFilePath(QStringLiteral("../../assets/") + name);
}

inline bool writeFile(const QString &path, const QByteArray &bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A WAV file built chunk by chunk, so a test can get any part of it wrong.
struct WaveBytes {
    uint16_t format = 1;
    uint16_t channels = 1;
    uint32_t rate = 22050;
    uint16_t bits = 16;
    int frames = 100;
    bool fmtFirst = true;
    QByteArray extraChunk; // placed before the format chunk, e.g. "LIST"

    static QByteArray le16(uint16_t v) {
        QByteArray b(2, '\0');
        qToLittleEndian(v, b.data());
        return b;
    }
    static QByteArray le32(uint32_t v) {
        QByteArray b(4, '\0');
        qToLittleEndian(v, b.data());
        return b;
    }
    static QByteArray chunk(const char *id, const QByteArray &body) {
        QByteArray out = QByteArray(id) + le32(static_cast<uint32_t>(body.size())) + body;
        return body.size() % 2 ? out + '\0' : out;
    }
    QByteArray bytes() const {
        const auto align = static_cast<uint16_t>(channels * bits / 8);
        const QByteArray fmt =
            chunk("fmt ", le16(format) + le16(channels) + le32(rate) + le32(rate * align) + le16(align) + le16(bits));
        const QByteArray data = chunk("data", QByteArray(frames * align, '\x10'));
        const QByteArray body = extraChunk + (fmtFirst ? fmt + data : data + fmt);
        return "RIFF" + le32(static_cast<uint32_t>(4 + body.size())) + "WAVE" + body;
    }
};

struct Loudness {
    double peak = 0; // of full scale
    double rms = 0;
};

inline Loudness loudness(const std::vector<int16_t> &samples) {
    Loudness l;
    double sum = 0;
    for (const int16_t s : samples) {
        const double v = s / 32768.0;
        l.peak = std::max(l.peak, std::abs(v));
        sum += v * v;
    }
    l.rms = samples.empty() ? 0 : std::sqrt(sum / static_cast<double>(samples.size()));
    return l;
}
