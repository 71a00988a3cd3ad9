// SPDX-License-Identifier: MIT
#include "WaveFile.h"

#include <QFile>
#include <algorithm>
#include <cmath>
#include <samplerate.h>
#include <sndfile.h>

namespace {
// A shot sound, not a song: anything longer is cut here rather than held in memory whole.
constexpr sf_count_t MaxSeconds = 60;

// libsndfile reads through QFile, so the default sound inside the program opens like any file.
QFile *fileOf(void *user) { return static_cast<QFile *>(user); }
sf_count_t fileLength(void *user) { return fileOf(user)->size(); }
sf_count_t fileSeek(sf_count_t offset, int whence, void *user) {
    QFile *file = fileOf(user);
    const qint64 base = whence == SEEK_CUR ? file->pos() : whence == SEEK_END ? file->size() : 0;
    return file->seek(base + offset) ? file->pos() : -1;
}
sf_count_t fileRead(void *data, sf_count_t count, void *user) {
    return std::max<sf_count_t>(0, fileOf(user)->read(static_cast<char *>(data), count));
}
sf_count_t fileWrite(const void * /*data*/, sf_count_t /*count*/, void * /*user*/) { return 0; }
sf_count_t fileTell(void *user) { return fileOf(user)->pos(); }

bool isWave(int format) {
    const int container = format & SF_FORMAT_TYPEMASK;
    return container == SF_FORMAT_WAV || container == SF_FORMAT_WAVEX || container == SF_FORMAT_RF64;
}

// One or two channels from any number. Beyond two, channels come in the usual WAV order (front
// left, front right, centre, LFE, then left/right pairs): the centre goes to both sides at -3 dB,
// the LFE is left out, and each side is scaled back so that nothing clips.
std::vector<float> downmix(std::vector<float> in, int channels, sf_count_t frames) {
    if (channels <= 2) {
        return in;
    }
    std::vector<float> left(static_cast<size_t>(channels)), right(left.size());
    for (int c = 0; c < channels; ++c) {
        const bool centre = c == 2;
        const bool lfe = c == 3;
        left[static_cast<size_t>(c)] = lfe ? 0.0F : centre ? 0.7071F : c % 2 == 0 ? 1.0F : 0.0F;
        right[static_cast<size_t>(c)] = lfe ? 0.0F : centre ? 0.7071F : c % 2 == 1 ? 1.0F : 0.0F;
    }
    float leftSum = 0, rightSum = 0;
    for (int c = 0; c < channels; ++c) {
        leftSum += left[static_cast<size_t>(c)];
        rightSum += right[static_cast<size_t>(c)];
    }
    std::vector<float> out(static_cast<size_t>(frames) * 2);
    for (sf_count_t f = 0; f < frames; ++f) {
        const float *frame = in.data() + f * channels;
        float l = 0, r = 0;
        for (int c = 0; c < channels; ++c) {
            l += frame[c] * left[static_cast<size_t>(c)];
            r += frame[c] * right[static_cast<size_t>(c)];
        }
        out[static_cast<size_t>(f * 2)] = l / leftSum;
        out[static_cast<size_t>(f * 2 + 1)] = r / rightSum;
    }
    return out;
}

std::vector<float> resample(std::vector<float> in, int channels, int rate) {
    if (rate == WaveSound::Rate) {
        return in;
    }
    const double ratio = static_cast<double>(WaveSound::Rate) / rate;
    const auto inFrames = static_cast<long>(in.size() / static_cast<size_t>(channels));
    std::vector<float> out(static_cast<size_t>(std::ceil(static_cast<double>(inFrames) * ratio) + 16) *
                           static_cast<size_t>(channels));
    SRC_DATA data{};
    data.data_in = in.data();
    data.data_out = out.data();
    data.input_frames = inFrames;
    data.output_frames = static_cast<long>(out.size() / static_cast<size_t>(channels));
    data.src_ratio = ratio;
    // Medium quality: clean to the ear, and a shot sound converts in a few milliseconds.
    if (src_simple(&data, SRC_SINC_MEDIUM_QUALITY, channels) != 0) {
        return {};
    }
    out.resize(static_cast<size_t>(data.output_frames_gen) * static_cast<size_t>(channels));
    return out;
}
} // namespace

std::shared_ptr<const WaveSound> loadWave(const QString &file) {
    QFile wave(file);
    if (file.isEmpty() || !wave.open(QIODevice::ReadOnly)) {
        return nullptr;
    }
    SF_VIRTUAL_IO io{fileLength, fileSeek, fileRead, fileWrite, fileTell};
    SF_INFO info{};
    SNDFILE *sf = sf_open_virtual(&io, SFM_READ, &info, &wave);
    if (!sf) {
        return nullptr;
    }
    std::vector<float> samples;
    const bool usable = isWave(info.format) && info.channels > 0 && info.channels <= 64 && info.samplerate >= 1000 &&
                        info.samplerate <= 384000 && info.frames > 0;
    if (usable) {
        sf_command(sf, SFC_SET_NORM_FLOAT, nullptr, SF_TRUE);
        const sf_count_t wanted = std::min(info.frames, MaxSeconds * info.samplerate);
        samples.resize(static_cast<size_t>(wanted * info.channels));
        samples.resize(static_cast<size_t>(sf_readf_float(sf, samples.data(), wanted) * info.channels));
    }
    sf_close(sf);
    if (samples.empty()) {
        return nullptr;
    }
    // A float file may hold anything; the resampler and the conversion want numbers.
    std::replace_if(
        samples.begin(), samples.end(), [](float v) { return !std::isfinite(v); }, 0.0F);
    const int channels = std::min(info.channels, 2);
    const auto frames = static_cast<sf_count_t>(samples.size()) / info.channels;
    samples = resample(downmix(std::move(samples), info.channels, frames), channels, info.samplerate);
    if (samples.empty()) {
        return nullptr;
    }
    auto sound = std::make_shared<WaveSound>();
    sound->samples.resize(samples.size() / static_cast<size_t>(channels) * 2);
    if (channels == 1) {
        // Mono to both sides, converted once and copied.
        std::vector<short> mono(samples.size());
        src_float_to_short_array(samples.data(), mono.data(), static_cast<int>(mono.size()));
        for (size_t i = 0; i < mono.size(); ++i) {
            sound->samples[2 * i] = sound->samples[2 * i + 1] = mono[i];
        }
    } else {
        src_float_to_short_array(samples.data(), sound->samples.data(), static_cast<int>(samples.size()));
    }
    return sound;
}
