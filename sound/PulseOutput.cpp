// SPDX-License-Identifier: MIT
#include "PulseOutput.h"

#include "SoundLog.h"

#include <algorithm>
#include <atomic>
#include <pulse/pulseaudio.h>
#include <pulse/rtclock.h>

namespace {
constexpr int FrameBytes = 2 * static_cast<int>(sizeof(int16_t));
// A sound longer than what is written ahead is topped up this often: a wake-up of this thread may come
// that much and three times as much again late before the server runs dry.
constexpr int TopUpsAhead = 4;
// A sound whose decoder is behind is looked at again this soon (a stereo file's first piece holds a
// third of a second even at 96 kHz).
constexpr pa_usec_t StarvedTopUpUs = 20000;

// Every output of the program meets the same server: its absence is told once, until one connects.
std::atomic<bool> noServerTold = false;

void tellNoServer(pa_context *context) {
    if (!noServerTold.exchange(true)) {
        qCInfo(lcSound, "No sound server (%s): the music and the shots are silent",
               pa_strerror(pa_context_errno(context)));
    }
}

class Locked {
public:
    explicit Locked(pa_threaded_mainloop *loop) : m_loop(loop) { pa_threaded_mainloop_lock(m_loop); }
    ~Locked() { pa_threaded_mainloop_unlock(m_loop); }
    Locked(const Locked &) = delete;
    Locked &operator=(const Locked &) = delete;

private:
    pa_threaded_mainloop *m_loop;
};

// A request whose answer we do not wait for.
void unref(pa_operation *op) {
    if (op != nullptr) {
        pa_operation_unref(op);
    }
}

pa_buffer_attr attributes(int rate, const PulseOutput::Buffer &buffer) {
    const auto bytes = [rate](int ms) { return static_cast<uint32_t>(rate * ms / 1000 * FrameBytes); };
    pa_buffer_attr attr{};
    attr.maxlength = static_cast<uint32_t>(-1);
    attr.tlength = bytes(buffer.ms);
    attr.prebuf = static_cast<uint32_t>(-1); // as much as tlength: a sound starts once its buffer is full
    attr.minreq = bytes(buffer.pieceMs);
    attr.fragsize = static_cast<uint32_t>(-1);
    return attr;
}
} // namespace

PulseOutput::PulseOutput(const char *name, int rate, Buffer buffer, Render render)
    : m_name(name), m_rate(rate), m_buffer(buffer), m_render(std::move(render)) {
    m_loop = pa_threaded_mainloop_new();
    if (m_loop == nullptr) {
        return;
    }
    if (pa_threaded_mainloop_start(m_loop) < 0) {
        pa_threaded_mainloop_free(m_loop);
        m_loop = nullptr;
        return;
    }
    const Locked lock(m_loop);
    connect();
}

PulseOutput::~PulseOutput() {
    if (m_loop == nullptr) {
        return;
    }
    {
        const Locked lock(m_loop);
        disconnect();
    }
    // The loop's thread only ever waits in poll(), which this wakes: no server can hold it up.
    pa_threaded_mainloop_stop(m_loop);
    pa_threaded_mainloop_free(m_loop);
}

void PulseOutput::connect() {
    m_context = pa_context_new(pa_threaded_mainloop_get_api(m_loop), "Plinkard");
    if (m_context == nullptr) {
        return;
    }
    pa_context_set_state_callback(m_context, &PulseOutput::onContextState, this);
    if (pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
        tellNoServer(m_context);
        disconnect();
    }
}

void PulseOutput::disconnect() {
    if (m_pending != nullptr) {
        pa_operation_cancel(m_pending); // its callback is not called any more
    }
    if (m_topUp != nullptr) {
        pa_threaded_mainloop_get_api(m_loop)->time_free(m_topUp);
        m_topUp = nullptr;
    }
    keep(nullptr);
    m_beginOnAnswer = false;
    if (m_stream != nullptr) {
        dropStream(true);
    }
    if (m_context != nullptr) {
        pa_context_set_state_callback(m_context, nullptr, nullptr);
        pa_context_disconnect(m_context);
        pa_context_unref(m_context);
        m_context = nullptr;
    }
}

void PulseOutput::openStream() {
    const pa_sample_spec format{PA_SAMPLE_S16LE, static_cast<uint32_t>(m_rate), 2};
    m_stream = pa_stream_new(m_context, m_name, &format, nullptr);
    if (m_stream == nullptr) {
        return;
    }
    pa_stream_set_state_callback(m_stream, &PulseOutput::onStreamState, this);
    pa_stream_set_write_callback(m_stream, &PulseOutput::onWritable, this);
    pa_stream_set_underflow_callback(m_stream, &PulseOutput::onUnderflow, this);
    const pa_buffer_attr attr = attributes(m_rate, m_buffer);
    const auto flags =
        static_cast<pa_stream_flags_t>(PA_STREAM_START_CORKED | (m_buffer.lowLatency ? PA_STREAM_ADJUST_LATENCY : 0));
    if (pa_stream_connect_playback(m_stream, nullptr, &attr, flags, nullptr, nullptr) < 0) {
        dropStream(false);
    }
}

void PulseOutput::dropStream(bool connected) {
    // First, so that nothing of the server's calls this object any more.
    pa_stream_set_state_callback(m_stream, nullptr, nullptr);
    pa_stream_set_write_callback(m_stream, nullptr, nullptr);
    pa_stream_set_underflow_callback(m_stream, nullptr, nullptr);
    if (connected) {
        pa_stream_disconnect(m_stream);
    }
    pa_stream_unref(m_stream);
    m_stream = nullptr;
}

void PulseOutput::start(const std::function<void()> &first) {
    if (m_loop == nullptr) {
        if (first) {
            first();
        }
        return;
    }
    const Locked lock(m_loop);
    if (first) {
        first();
    }
    m_playing = true;
    m_ended = false;
    const bool connected = m_context != nullptr && PA_CONTEXT_IS_GOOD(pa_context_get_state(m_context));
    if (!connected || (m_stream != nullptr && !PA_STREAM_IS_GOOD(pa_stream_get_state(m_stream)))) {
        // The server has gone, or dropped the stream: a new connection plays the sound once it is ready.
        disconnect();
        connect();
        return;
    }
    if (m_stream != nullptr && pa_stream_get_state(m_stream) == PA_STREAM_READY) {
        begin();
    }
}

void PulseOutput::begin() {
    // A server that has not answered the last start would only pile up more requests: this start
    // waits for that answer.
    if (m_pending != nullptr && pa_operation_get_state(m_pending) == PA_OPERATION_RUNNING) {
        m_beginOnAnswer = true;
        return;
    }
    m_beginOnAnswer = false;
    unref(pa_stream_flush(m_stream, nullptr, nullptr));
    keep(pa_stream_cork(m_stream, 0, &PulseOutput::onAnswer, this));
    // Written at once rather than on the server's request: the first sound after a rest is as quick as any.
    m_written = 0;
    m_begunUs = pa_rtclock_now();
    const size_t free = pa_stream_writable_size(m_stream);
    fill(free == static_cast<size_t>(-1) ? 0 : free);
    armTopUp();
}

void PulseOutput::fill(size_t asked) {
    // Beyond what the server asks, as much as keeps the sound aheadMs ahead of play: the server then
    // holds it, and a late wake-up of this thread cannot leave the sink without data. How far play has
    // got is taken from the clock; a sound that stalled only makes that later, so more is written.
    size_t wanted = asked;
    m_starved = false;
    if (m_buffer.aheadMs > 0) {
        const auto played =
            static_cast<int64_t>((pa_rtclock_now() - m_begunUs) * static_cast<uint64_t>(m_rate) / 1000000);
        const int64_t short_ = played + int64_t{m_buffer.aheadMs} * m_rate / 1000 - m_written;
        wanted = std::max(wanted, static_cast<size_t>(std::max<int64_t>(short_, 0)) * FrameBytes);
    }
    // Straight into the server's memory, in as few pieces as it allows.
    while (m_playing && !m_ended && wanted >= FrameBytes) {
        void *buffer = nullptr;
        size_t size = wanted;
        if (pa_stream_begin_write(m_stream, &buffer, &size) < 0 || buffer == nullptr) {
            return;
        }
        const auto frames = static_cast<int>(std::min(size, wanted) / FrameBytes);
        if (frames == 0) {
            pa_stream_cancel_write(m_stream);
            return;
        }
        const Rendered got = m_render(static_cast<int16_t *>(buffer), frames);
        if (got.frames <= 0) {
            pa_stream_cancel_write(m_stream);
        } else if (pa_stream_write(m_stream, buffer, static_cast<size_t>(got.frames) * FrameBytes, nullptr, 0,
                                   PA_SEEK_RELATIVE) < 0) {
            return;
        }
        m_written += got.frames;
        if (got.ended) {
            // What is still short of the start threshold plays too.
            m_ended = true;
            unref(pa_stream_trigger(m_stream, nullptr, nullptr));
            return;
        }
        if (got.frames < frames) {
            m_starved = true; // the rest is not decoded yet: the next top-up, soon, writes it
            return;
        }
        wanted -= static_cast<size_t>(got.frames) * FrameBytes;
    }
}

void PulseOutput::armTopUp() {
    if (m_buffer.aheadMs <= 0 || m_context == nullptr) {
        return;
    }
    if (!m_playing || m_ended) {
        if (m_topUp != nullptr) {
            pa_threaded_mainloop_get_api(m_loop)->time_restart(m_topUp, nullptr); // off until the next sound
        }
        return;
    }
    const pa_usec_t at =
        pa_rtclock_now() + (m_starved ? StarvedTopUpUs : static_cast<pa_usec_t>(m_buffer.aheadMs) * 1000 / TopUpsAhead);
    if (m_topUp == nullptr) {
        m_topUp = pa_context_rttime_new(m_context, at, &PulseOutput::onTopUp, this);
    } else {
        pa_context_rttime_restart(m_context, m_topUp, at);
    }
}

void PulseOutput::onTopUp(pa_mainloop_api * /*api*/, pa_time_event * /*event*/, const struct timeval * /*at*/,
                          void *self) {
    auto *out = static_cast<PulseOutput *>(self);
    if (out->m_stream != nullptr && pa_stream_get_state(out->m_stream) == PA_STREAM_READY) {
        out->fill(0);
    }
    out->armTopUp();
}

void PulseOutput::stop() {
    if (m_loop == nullptr) {
        return;
    }
    const Locked lock(m_loop);
    m_playing = false;
    armTopUp();
    if (m_stream != nullptr && pa_stream_get_state(m_stream) == PA_STREAM_READY) {
        unref(pa_stream_cork(m_stream, 1, nullptr, nullptr));
        unref(pa_stream_flush(m_stream, nullptr, nullptr));
    }
}

void PulseOutput::keep(pa_operation *op) {
    unref(m_pending);
    m_pending = op;
}

void PulseOutput::onAnswer(pa_stream * /*stream*/, int /*success*/, void *self) {
    auto *out = static_cast<PulseOutput *>(self);
    out->keep(nullptr); // still running until this returns
    if (out->m_beginOnAnswer && out->m_playing) {
        out->begin();
    }
}

void PulseOutput::onContextState(pa_context *context, void *self) {
    auto *out = static_cast<PulseOutput *>(self);
    const pa_context_state_t state = pa_context_get_state(context);
    if (state == PA_CONTEXT_FAILED) {
        tellNoServer(context);
    } else if (state == PA_CONTEXT_READY) {
        noServerTold = false;
        if (out->m_stream == nullptr) {
            out->openStream();
        }
    }
}

void PulseOutput::onStreamState(pa_stream *stream, void *self) {
    auto *out = static_cast<PulseOutput *>(self);
    if (pa_stream_get_state(stream) == PA_STREAM_READY && out->m_playing) {
        out->begin();
    }
}

void PulseOutput::onWritable(pa_stream * /*stream*/, size_t bytes, void *self) {
    auto *out = static_cast<PulseOutput *>(self);
    out->fill(bytes);
    out->armTopUp();
}

void PulseOutput::onUnderflow(pa_stream *stream, void *self) {
    auto *out = static_cast<PulseOutput *>(self);
    // Before the server has answered the last start, the news is about the sound that start cut off;
    // so it is, later, while less time has passed since the start than 98 % of what was written takes
    // to play (the flush of the sound cut off can run the server dry after it answered; a sound card's
    // clock runs faster than ours by far less than the 2 % left).
    const bool answered = out->m_pending == nullptr || pa_operation_get_state(out->m_pending) != PA_OPERATION_RUNNING;
    const uint64_t writtenUs = static_cast<uint64_t>(out->m_written) * 1000000 / static_cast<uint64_t>(out->m_rate);
    const bool stale = !answered || pa_rtclock_now() - out->m_begunUs < writtenUs - writtenUs / 50;
    if (!out->m_playing || stale) {
        return;
    }
    if (out->m_ended) {
        // Played out: corked, the stream wakes nobody until the next sound.
        unref(pa_stream_cork(stream, 1, nullptr, nullptr));
    }
}
