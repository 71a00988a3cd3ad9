// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

struct pa_context;
struct pa_stream;
struct pa_threaded_mainloop;

// A 16-bit stereo stream on the sound server, filled by a render function that the server's
// connection thread calls whenever a piece of the buffer is free: a long piece means rare wake-ups,
// and no event loop of ours is involved. Without a server every call does nothing.
class PulseOutput {
public:
    using Render = std::function<void(int16_t *stereo, int frames)>;

    // `bufferMs` queued in the server, topped up `pieceMs` at a time.
    PulseOutput(const char *name, int rate, int bufferMs, int pieceMs, Render render);
    ~PulseOutput();
    PulseOutput(const PulseOutput &) = delete;
    PulseOutput &operator=(const PulseOutput &) = delete;

    // Whether the stream is connected to a server.
    bool isOpen() const;
    // Starts asking for frames, with the buffer empty.
    void start();
    // Drops what the server still holds and stops asking; once this returns, render is not running.
    void stop();

private:
    static void onStateChange(void *self);
    static void onWritable(pa_stream *stream, size_t bytes, void *self);

    Render m_render;
    pa_threaded_mainloop *m_loop = nullptr;
    pa_context *m_context = nullptr;
    pa_stream *m_stream = nullptr;
    bool m_playing = false; // read and written with the loop locked
};
