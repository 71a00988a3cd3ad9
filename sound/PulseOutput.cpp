// SPDX-License-Identifier: MIT
#include "PulseOutput.h"

#include <algorithm>
#include <pulse/pulseaudio.h>

namespace {
constexpr int FrameBytes = 2 * static_cast<int>(sizeof(int16_t));

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
        disconnect();
    }
}

void PulseOutput::disconnect() {
    if (m_pending != nullptr) {
        pa_operation_cancel(m_pending); // its callback is not called any more
    }
    keep(nullptr);
    m_beginOnAnswer = false;
    if (m_stream != nullptr) {
        pa_stream_set_state_callback(m_stream, nullptr, nullptr);
        pa_stream_set_write_callback(m_stream, nullptr, nullptr);
        pa_stream_set_underflow_callback(m_stream, nullptr, nullptr);
        pa_stream_disconnect(m_stream);
        pa_stream_unref(m_stream);
        m_stream = nullptr;
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
        pa_stream_set_state_callback(m_stream, nullptr, nullptr);
        pa_stream_set_write_callback(m_stream, nullptr, nullptr);
        pa_stream_set_underflow_callback(m_stream, nullptr, nullptr);
        pa_stream_unref(m_stream);
        m_stream = nullptr;
    }
}

void PulseOutput::start() {
    if (m_loop == nullptr) {
        return;
    }
    const Locked lock(m_loop);
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
    const size_t free = pa_stream_writable_size(m_stream);
    if (free != static_cast<size_t>(-1) && free > 0) {
        onWritable(m_stream, free, this);
    }
}

void PulseOutput::stop() {
    if (m_loop == nullptr) {
        return;
    }
    const Locked lock(m_loop);
    m_playing = false;
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
    if (pa_context_get_state(context) == PA_CONTEXT_READY && out->m_stream == nullptr) {
        out->openStream();
    }
}

void PulseOutput::onStreamState(pa_stream *stream, void *self) {
    auto *out = static_cast<PulseOutput *>(self);
    if (pa_stream_get_state(stream) == PA_STREAM_READY && out->m_playing) {
        out->begin();
    }
}

void PulseOutput::onWritable(pa_stream *stream, size_t bytes, void *self) {
    auto *out = static_cast<PulseOutput *>(self);
    // Straight into the server's memory, as much as it asks for, in as few pieces as it allows.
    while (out->m_playing && !out->m_ended && bytes >= FrameBytes) {
        void *buffer = nullptr;
        size_t size = bytes;
        if (pa_stream_begin_write(stream, &buffer, &size) < 0 || buffer == nullptr) {
            return;
        }
        const auto frames = static_cast<int>(std::min(size, bytes) / FrameBytes);
        const int filled = frames > 0 ? out->m_render(static_cast<int16_t *>(buffer), frames) : 0;
        if (filled <= 0) {
            pa_stream_cancel_write(stream);
        } else if (pa_stream_write(stream, buffer, static_cast<size_t>(filled) * FrameBytes, nullptr, 0,
                                   PA_SEEK_RELATIVE) < 0) {
            return;
        }
        if (frames == 0) {
            return;
        }
        if (filled < frames) {
            // The end of the sound: what is still short of the start threshold plays too.
            out->m_ended = true;
            unref(pa_stream_trigger(stream, nullptr, nullptr));
            return;
        }
        bytes -= static_cast<size_t>(filled) * FrameBytes;
    }
}

void PulseOutput::onUnderflow(pa_stream *stream, void *self) {
    auto *out = static_cast<PulseOutput *>(self);
    // Before the server has answered the last start, the news is about the sound that start cut off.
    const bool stale = out->m_pending != nullptr && pa_operation_get_state(out->m_pending) == PA_OPERATION_RUNNING;
    if (!out->m_playing || stale) {
        return;
    }
    if (out->m_ended) {
        // Played out: corked, the stream wakes nobody until the next sound.
        unref(pa_stream_cork(stream, 1, nullptr, nullptr));
        return;
    }
    // Dry in the middle of a sound: the machine is busy, so the buffer grows for every later sound.
    Buffer &buffer = out->m_buffer;
    if (buffer.ms >= buffer.maxMs) {
        return;
    }
    buffer.ms = std::min(buffer.ms * 2, buffer.maxMs);
    buffer.pieceMs = std::min(buffer.pieceMs * 2, buffer.ms);
    const pa_buffer_attr attr = attributes(out->m_rate, buffer);
    unref(pa_stream_set_buffer_attr(stream, &attr, nullptr, nullptr));
}
