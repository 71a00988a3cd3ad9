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
} // namespace

PulseOutput::PulseOutput(const char *name, int rate, int bufferMs, int pieceMs, Render render)
    : m_render(std::move(render)) {
    m_loop = pa_threaded_mainloop_new();
    if (m_loop == nullptr) {
        return;
    }
    m_context = pa_context_new(pa_threaded_mainloop_get_api(m_loop), "Plinkard");
    if (m_context == nullptr || pa_threaded_mainloop_start(m_loop) < 0) {
        return;
    }
    const Locked lock(m_loop);
    pa_context_set_state_callback(
        m_context, [](pa_context *, void *self) { onStateChange(self); }, this);
    if (pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
        return;
    }
    pa_context_state_t context;
    while ((context = pa_context_get_state(m_context)) != PA_CONTEXT_READY && PA_CONTEXT_IS_GOOD(context)) {
        pa_threaded_mainloop_wait(m_loop);
    }
    if (context != PA_CONTEXT_READY) {
        return;
    }
    const pa_sample_spec spec{PA_SAMPLE_S16LE, static_cast<uint32_t>(rate), 2};
    m_stream = pa_stream_new(m_context, name, &spec, nullptr);
    if (m_stream == nullptr) {
        return;
    }
    pa_stream_set_state_callback(
        m_stream, [](pa_stream *, void *self) { onStateChange(self); }, this);
    pa_stream_set_write_callback(m_stream, &PulseOutput::onWritable, this);
    const auto bytes = [rate](int ms) { return static_cast<uint32_t>(rate * ms / 1000 * FrameBytes); };
    pa_buffer_attr attr{};
    attr.maxlength = static_cast<uint32_t>(-1);
    attr.tlength = bytes(bufferMs);
    attr.prebuf = static_cast<uint32_t>(-1);
    attr.minreq = bytes(pieceMs);
    attr.fragsize = static_cast<uint32_t>(-1);
    if (pa_stream_connect_playback(m_stream, nullptr, &attr, PA_STREAM_START_CORKED, nullptr, nullptr) < 0) {
        return;
    }
    pa_stream_state_t state;
    while ((state = pa_stream_get_state(m_stream)) != PA_STREAM_READY && PA_STREAM_IS_GOOD(state)) {
        pa_threaded_mainloop_wait(m_loop);
    }
}

PulseOutput::~PulseOutput() {
    if (m_loop == nullptr) {
        return;
    }
    {
        const Locked lock(m_loop);
        if (m_stream != nullptr) {
            pa_stream_set_write_callback(m_stream, nullptr, nullptr);
            pa_stream_set_state_callback(m_stream, nullptr, nullptr);
            pa_stream_disconnect(m_stream);
            pa_stream_unref(m_stream);
        }
        if (m_context != nullptr) {
            pa_context_set_state_callback(m_context, nullptr, nullptr);
            pa_context_disconnect(m_context);
            pa_context_unref(m_context);
        }
    }
    pa_threaded_mainloop_stop(m_loop);
    pa_threaded_mainloop_free(m_loop);
}

bool PulseOutput::isOpen() const {
    if (m_stream == nullptr) {
        return false;
    }
    const Locked lock(m_loop);
    return pa_stream_get_state(m_stream) == PA_STREAM_READY;
}

void PulseOutput::start() {
    if (m_stream == nullptr) {
        return;
    }
    const Locked lock(m_loop);
    if (pa_stream_get_state(m_stream) != PA_STREAM_READY) {
        return;
    }
    m_playing = true;
    // The server asks for the whole buffer once uncorked.
    if (pa_operation *op = pa_stream_cork(m_stream, 0, nullptr, nullptr)) {
        pa_operation_unref(op);
    }
    const size_t free = pa_stream_writable_size(m_stream);
    if (free != static_cast<size_t>(-1) && free > 0) {
        onWritable(m_stream, free, this);
    }
}

void PulseOutput::stop() {
    if (m_stream == nullptr) {
        return;
    }
    const Locked lock(m_loop);
    m_playing = false;
    if (pa_stream_get_state(m_stream) != PA_STREAM_READY) {
        return;
    }
    for (pa_operation *op :
         {pa_stream_cork(m_stream, 1, nullptr, nullptr), pa_stream_flush(m_stream, nullptr, nullptr)}) {
        if (op != nullptr) {
            pa_operation_unref(op);
        }
    }
}

void PulseOutput::onStateChange(void *self) {
    pa_threaded_mainloop_signal(static_cast<PulseOutput *>(self)->m_loop, 0);
}

void PulseOutput::onWritable(pa_stream *stream, size_t bytes, void *self) {
    auto *out = static_cast<PulseOutput *>(self);
    // Straight into the server's memory, as much as it asks for, in as few pieces as it allows.
    while (out->m_playing && bytes >= FrameBytes) {
        void *buffer = nullptr;
        size_t size = bytes;
        if (pa_stream_begin_write(stream, &buffer, &size) < 0 || buffer == nullptr) {
            return;
        }
        const auto frames = static_cast<int>(std::min(size, bytes) / FrameBytes);
        if (frames == 0) {
            pa_stream_cancel_write(stream);
            return;
        }
        out->m_render(static_cast<int16_t *>(buffer), frames);
        const auto written = static_cast<size_t>(frames) * FrameBytes;
        if (pa_stream_write(stream, buffer, written, nullptr, 0, PA_SEEK_RELATIVE) < 0) {
            return;
        }
        bytes -= written;
    }
}
