// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <functional>

struct pa_context;
struct pa_mainloop_api;
struct pa_operation;
struct pa_stream;
struct pa_threaded_mainloop;
struct pa_time_event;
struct timeval;

// A 16-bit stereo stream on the sound server, filled by a render function: a start on a ready stream
// calls it at once on the caller's thread for the sound's beginning, then the server's connection thread
// calls it whenever a piece of the buffer is free, and, where asked, ahead of that: a sound written ahead of play
// is in the server's hands, so no late wake-up of this process can break it up. Both calls hold the
// connection's lock, so render never runs twice at once. No event loop of ours is involved.
// Nothing here waits for the server: the connection is made in the background, a start asked for
// before it is ready plays once it is, and a server that does not answer only means silence. Without
// a server every call does nothing; a start after the server has gone connects anew.
class PulseOutput {
public:
    struct Rendered {
        int frames; // filled; fewer than asked while the rest is not ready yet
        bool ended; // the sound's last frame is among them: once the server has played it the stream rests
    };
    // Fills at most `frames` interleaved stereo frames.
    using Render = std::function<Rendered(int16_t *stereo, int frames)>;

    struct Buffer {
        int ms;          // the server's target length
        int pieceMs;     // it asks for this much at a time
        int aheadMs;     // written ahead of play beyond what the server asks; 0: only what it asks
        bool lowLatency; // the server's own buffering follows ours
    };

    PulseOutput(const char *name, int rate, Buffer buffer, Render render);
    ~PulseOutput();
    PulseOutput(const PulseOutput &) = delete;
    PulseOutput &operator=(const PulseOutput &) = delete;

    // Drops what the server still holds and plays what render gives from now on. `first` runs
    // before, with nothing rendered in between, so it may change what render gives.
    void start(const std::function<void()> &first = nullptr);
    // Drops what the server still holds and stops asking; once this returns, render is not running.
    void stop();

private:
    void connect();
    void disconnect();
    void openStream();
    void dropStream(bool connected);
    void begin();
    void fill(size_t asked);
    void armTopUp();
    void keep(pa_operation *op);
    static void onContextState(pa_context *context, void *self);
    static void onStreamState(pa_stream *stream, void *self);
    static void onWritable(pa_stream *stream, size_t bytes, void *self);
    static void onUnderflow(pa_stream *stream, void *self);
    static void onAnswer(pa_stream *stream, int success, void *self);
    static void onTopUp(pa_mainloop_api *api, pa_time_event *event, const struct timeval *at, void *self);

    const char *m_name;
    int m_rate;
    Buffer m_buffer;
    Render m_render;
    pa_threaded_mainloop *m_loop = nullptr;
    // Read and written with the loop locked.
    pa_context *m_context = nullptr;
    pa_stream *m_stream = nullptr;
    pa_operation *m_pending = nullptr; // the last start's request to the server, until it answers
    bool m_beginOnAnswer = false;      // a start came while the server had not answered
    bool m_playing = false;
    bool m_ended = false;   // render has given the sound's last frame
    bool m_starved = false; // render gave less than asked, the rest not being ready
    pa_time_event *m_topUp = nullptr;
    int64_t m_written = 0;  // frames written since the sound began
    uint64_t m_begunUs = 0; // when it began, on the server library's clock
};
