// SPDX-License-Identifier: MIT
#include "WaveFile.h"

#include "platform/RegularFile.h"

#include <QFile>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <samplerate.h>
#include <sndfile.h>
#include <vector>

namespace {
// A shot sound, not a song: anything longer is cut here.
constexpr sf_count_t MaxSeconds = 60;
// Samples read at a time, whatever the channels: a quarter of a MiB of floats.
constexpr sf_count_t PieceSamples = 1 << 16;
// Frames the resampler writes at a time.
constexpr long OutFrames = 8192;

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

// libsndfile walks a chunk's sub-chunks until it has covered the size the chunk claims, whether the
// file holds them or not: a 300-byte file whose LIST chunk claims 4 GiB kept it busy for minutes. So
// every chunk before the data must end within the file; the data chunk itself may claim more than
// there is, and plays what there is.
bool chunksFitTheFile(QFile &file) {
    constexpr int MaxChunks = 64;
    const qint64 size = file.size();
    qint64 at = 12; // past "RIFF", its size and "WAVE"
    for (int n = 0; n < MaxChunks && at + 8 <= size; ++n) {
        char header[8];
        if (!file.seek(at) || file.read(header, 8) != 8) {
            return false;
        }
        if (memcmp(header, "data", 4) == 0) {
            break;
        }
        const qint64 length = qFromLittleEndian<quint32>(header + 4);
        at += 8 + length + (length & 1);
        if (at > size) {
            return false;
        }
    }
    return file.seek(0);
}

bool isWave(int format) {
    const int container = format & SF_FORMAT_TYPEMASK;
    return container == SF_FORMAT_WAV || container == SF_FORMAT_WAVEX || container == SF_FORMAT_RF64;
}

// Weights from any number of channels to one side. Beyond two, channels come in the usual WAV order
// (front left, front right, centre, LFE, then left/right pairs): the centre goes to both sides at
// -3 dB, the LFE is left out, and each side is scaled back so that nothing clips.
std::vector<float> sideWeights(int channels, int side) {
    std::vector<float> weights(static_cast<size_t>(channels));
    float sum = 0;
    for (int c = 0; c < channels; ++c) {
        const float w = c == 3 ? 0.0F : c == 2 ? 0.7071F : c % 2 == side ? 1.0F : 0.0F;
        weights[static_cast<size_t>(c)] = w;
        sum += w;
    }
    for (float &w : weights) {
        w /= sum;
    }
    return weights;
}
} // namespace

WaveSound::WaveSound(int capacityFrames)
    : m_samples(std::make_unique_for_overwrite<int16_t[]>(2 * static_cast<size_t>(capacityFrames))),
      m_capacity(capacityFrames) {}

struct WaveDecoder::Impl {
    QFile file;
    SNDFILE *sf = nullptr;
    SF_INFO info{};
    SRC_STATE *resampler = nullptr;
    sf_count_t unread = 0; // frames still to read, within the cap
    int outChannels = 0;
    std::vector<float> in, mixed, out, leftWeights, rightWeights;
    std::vector<short> mono;

    ~Impl() {
        if (resampler != nullptr) {
            src_delete(resampler);
        }
        if (sf != nullptr) {
            sf_close(sf);
        }
    }

    // One or two channels from any number.
    const std::vector<float> &downmix(sf_count_t frames) {
        const int channels = info.channels;
        if (channels <= 2) {
            return in;
        }
        mixed.resize(static_cast<size_t>(frames) * 2);
        for (sf_count_t f = 0; f < frames; ++f) {
            const float *frame = in.data() + f * channels;
            float l = 0, r = 0;
            for (int c = 0; c < channels; ++c) {
                l += frame[c] * leftWeights[static_cast<size_t>(c)];
                r += frame[c] * rightWeights[static_cast<size_t>(c)];
            }
            mixed[static_cast<size_t>(f * 2)] = l;
            mixed[static_cast<size_t>(f * 2 + 1)] = r;
        }
        return mixed;
    }

    // Appends what fits of `frames` frames at the output's rate, in the sound's 16-bit stereo.
    static void append(WaveSound &sound, const float *samples, long frames, int channels, std::vector<short> &mono) {
        const int count = std::min(static_cast<int>(frames), sound.room());
        if (count <= 0) {
            return;
        }
        int16_t *end = sound.end();
        if (channels == 2) {
            src_float_to_short_array(samples, end, 2 * count);
        } else {
            // Mono to both sides, converted once and copied.
            mono.resize(static_cast<size_t>(count));
            src_float_to_short_array(samples, mono.data(), count);
            for (ptrdiff_t i = 0; i < count; ++i) {
                end[2 * i] = end[2 * i + 1] = mono[static_cast<size_t>(i)];
            }
        }
        sound.add(count);
    }

    // Reads, mixes and converts the next piece; false once the file or the cap is reached.
    bool decode(WaveSound &sound) {
        const sf_count_t wanted = std::min(unread, std::max<sf_count_t>(1, PieceSamples / info.channels));
        in.resize(static_cast<size_t>(wanted * info.channels));
        const sf_count_t got = wanted > 0 ? std::max<sf_count_t>(0, sf_readf_float(sf, in.data(), wanted)) : 0;
        unread = got < wanted ? 0 : unread - got;
        const bool last = unread == 0;
        // A float file may hold anything; the resampler and the conversion want numbers.
        std::replace_if(
            in.begin(), in.begin() + got * info.channels, [](float v) { return !std::isfinite(v); }, 0.0F);
        const float *samples = downmix(got).data();
        if (resampler == nullptr) {
            append(sound, samples, static_cast<long>(got), outChannels, mono);
            return !last;
        }
        SRC_DATA data{};
        data.data_in = samples;
        data.input_frames = static_cast<long>(got);
        data.end_of_input = last ? 1 : 0;
        data.src_ratio = static_cast<double>(WaveSound::Rate) / info.samplerate;
        out.resize(static_cast<size_t>(OutFrames * outChannels));
        for (;;) {
            data.data_out = out.data();
            data.output_frames = OutFrames;
            if (src_process(resampler, &data) != 0) {
                return false;
            }
            append(sound, out.data(), data.output_frames_gen, outChannels, mono);
            data.data_in += data.input_frames_used * outChannels;
            data.input_frames -= data.input_frames_used;
            const bool stuck = data.input_frames_used == 0 && data.output_frames_gen == 0;
            if (stuck || (data.input_frames == 0 && (!last || data.output_frames_gen == 0))) {
                break;
            }
        }
        return !last;
    }
};

WaveDecoder::WaveDecoder(std::unique_ptr<Impl> impl) : m_impl(std::move(impl)) {
    const SF_INFO &info = m_impl->info;
    const double frames = std::ceil(static_cast<double>(m_impl->unread) * WaveSound::Rate / info.samplerate);
    // The resampler may give a few frames more than the exact ratio.
    m_sound = std::make_shared<WaveSound>(static_cast<int>(frames) + 64);
}

WaveDecoder::~WaveDecoder() { m_sound->finish(); }

std::unique_ptr<WaveDecoder> WaveDecoder::open(const QString &file) {
    auto impl = std::make_unique<Impl>();
    if (!openRegularFile(impl->file, file)) {
        return nullptr;
    }
    if (!chunksFitTheFile(impl->file)) {
        return nullptr;
    }
    SF_VIRTUAL_IO io{fileLength, fileSeek, fileRead, fileWrite, fileTell};
    SF_INFO &info = impl->info;
    impl->sf = sf_open_virtual(&io, SFM_READ, &info, &impl->file);
    const bool usable = impl->sf != nullptr && isWave(info.format) && info.channels > 0 && info.channels <= 64 &&
                        info.samplerate >= 1000 && info.samplerate <= 384000 && info.frames > 0;
    if (!usable) {
        return nullptr;
    }
    sf_command(impl->sf, SFC_SET_NORM_FLOAT, nullptr, SF_TRUE);
    impl->unread = std::min(info.frames, MaxSeconds * info.samplerate);
    impl->outChannels = std::min(info.channels, 2);
    if (info.channels > 2) {
        impl->leftWeights = sideWeights(info.channels, 0);
        impl->rightWeights = sideWeights(info.channels, 1);
    }
    if (info.samplerate != WaveSound::Rate) {
        // Medium quality: clean to the ear, and a shot sound converts in a few milliseconds.
        int error = 0;
        impl->resampler = src_new(SRC_SINC_MEDIUM_QUALITY, impl->outChannels, &error);
        if (impl->resampler == nullptr) {
            return nullptr;
        }
    }
    std::unique_ptr<WaveDecoder> decoder(new WaveDecoder(std::move(impl)));
    // A file that gives no sound at all is as good as none.
    if (!decoder->decodePiece() && decoder->m_sound->frames() == 0) {
        return nullptr;
    }
    return decoder;
}

bool WaveDecoder::decodePiece() {
    if (m_sound->complete()) {
        return false;
    }
    if (!m_impl->decode(*m_sound)) {
        m_sound->finish();
        return false;
    }
    return true;
}

std::shared_ptr<const WaveSound> loadWave(const QString &file) {
    const std::unique_ptr<WaveDecoder> decoder = WaveDecoder::open(file);
    if (!decoder) {
        return nullptr;
    }
    while (decoder->decodePiece()) {
    }
    return decoder->sound();
}
