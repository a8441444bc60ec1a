#pragma once

#include "base/result.h"
#include "platform/clock/clock.h"
#include "platform/midi/internal/stream_buffer_policy.h"
#include "platform/pulse/pulse_connection.h"

#include <functional>
#include <memory>
#include <mutex>

struct pa_stream;

// What a sound stream reports about itself.
struct SoundStreamState {
    int bufferMs = 0;        // the sound queued ahead that the stream aims for
    int underruns = 0;       // times the server ran dry since the stream opened
    double latencyMs = -1.0; // from a sample written now to the speakers; -1: unknown
    bool realTime = false;   // the stream's thread runs with real-time priority
};

// The built-in synthesizer's own playback stream on a PulseAudio server (or
// PipeWire's PulseAudio service): 44.1 kHz stereo floats, pulled by the
// server. The stream asks the server for a total latency of the buffer
// policy's target (see stream_buffer_policy.h) and grows it when the server
// reports an underrun. Its thread asks for real-time priority (see
// realtime_priority.h), as sound servers' own threads do.
//
// Threads: `render` runs on the stream's own thread, each time the server
// wants more sound, and must not block; everything else is called from any
// one other thread. The stream never starts a sound server of its own.
class PulseSynthStream {
public:
    // Fills `frames` interleaved left/right frames at `samples`.
    using Render = std::function<void(float* samples, int frames)>;
    static constexpr int sampleRate = 44100;

    // The stream, paused, or why not (no server, or the server refused it).
    static Result<std::unique_ptr<PulseSynthStream>> open(Render render);
    // Starts playing: from now on the server pulls sound from `render`. A
    // stream that waits paused until there is something to play cannot run
    // dry while the program is still starting up.
    void play();

    ~PulseSynthStream();
    PulseSynthStream(const PulseSynthStream&) = delete;
    PulseSynthStream& operator=(const PulseSynthStream&) = delete;

    SoundStreamState state() const;

private:
    explicit PulseSynthStream(Render render) : render_(std::move(render)) {}
    Status connect();
    void applyBufferTarget();

    static void onStreamState(pa_stream* stream, void* self);
    static void onWrite(pa_stream* stream, std::size_t bytes, void* self);
    static void onUnderflow(pa_stream* stream, void* self);

    Render render_;
    std::unique_ptr<PulseConnection> connection_;
    pa_stream* stream_ = nullptr;
    // Used on the stream's thread, or under its lock.
    StreamBufferPolicy policy_;
    SteadyClock clock_; // times the underruns for the policy
    bool priorityAsked_ = false;
    bool playing_ = false;
    bool realTime_ = false;
};
