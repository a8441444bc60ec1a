#include "platform/midi/internal/pulse_synth_stream.h"

#include "platform/realtime/realtime_priority.h"

#include <pulse/pulseaudio.h>

#include <cstdio>
#include <errno.h>

namespace {

constexpr int channels = 2;
constexpr std::size_t bytesPerFrame = channels * sizeof(float);

std::uint32_t bytesOfMs(int ms)
{
    return static_cast<std::uint32_t>(PulseSynthStream::sampleRate * ms / 1000 * bytesPerFrame);
}

// The server chooses how much it asks for at once and where playback
// starts: the stream only sets how much it keeps queued.
pa_buffer_attr bufferAttributes(int targetMs)
{
    pa_buffer_attr attr;
    attr.maxlength = static_cast<std::uint32_t>(-1);
    attr.tlength = bytesOfMs(targetMs);
    attr.prebuf = static_cast<std::uint32_t>(-1);
    attr.minreq = static_cast<std::uint32_t>(-1);
    attr.fragsize = static_cast<std::uint32_t>(-1);
    return attr;
}

} // namespace

Result<std::unique_ptr<PulseSynthStream>> PulseSynthStream::open(Render render)
{
    std::unique_ptr<PulseSynthStream> stream(new PulseSynthStream(std::move(render)));
    if (Status connected = stream->connect(); !connected)
        return connected;
    return stream;
}

Status PulseSynthStream::connect()
{
    auto connection = PulseConnection::open("music");
    if (!connection)
        return connection.status();
    connection_ = std::move(connection).value();
    PulseConnection::Lock lock(*connection_);
    const pa_sample_spec format{PA_SAMPLE_FLOAT32LE, sampleRate, channels};
    stream_ = connection_->newStream("Built-in GM Synthesizer", format);
    if (!stream_)
        return Status::failure("The sound server refused a playback stream.");
    pa_stream_set_state_callback(stream_, &PulseSynthStream::onStreamState, this);
    pa_stream_set_write_callback(stream_, &PulseSynthStream::onWrite, this);
    pa_stream_set_underflow_callback(stream_, &PulseSynthStream::onUnderflow, this);
    // With ADJUST_LATENCY the target covers the sink's own buffer as well:
    // it is the whole delay from a rendered sample to the speakers.
    const pa_buffer_attr attr = bufferAttributes(policy_.targetMs());
    const auto flags =
        static_cast<pa_stream_flags_t>(PA_STREAM_ADJUST_LATENCY | PA_STREAM_AUTO_TIMING_UPDATE |
                                       PA_STREAM_INTERPOLATE_TIMING | PA_STREAM_START_CORKED);
    if (pa_stream_connect_playback(stream_, nullptr, &attr, flags, nullptr, nullptr) < 0 ||
        !waitUntilReady(*connection_, stream_))
        return Status::failure("The sound server refused a playback stream.");
    return Status::success();
}

PulseSynthStream::~PulseSynthStream()
{
    if (!connection_)
        return;
    {
        PulseConnection::Lock lock(*connection_);
        if (stream_) {
            pa_stream_set_write_callback(stream_, nullptr, nullptr);
            pa_stream_set_underflow_callback(stream_, nullptr, nullptr);
            pa_stream_set_state_callback(stream_, nullptr, nullptr);
            pa_stream_disconnect(stream_);
            pa_stream_unref(stream_);
        }
    }
    connection_.reset();
}

void PulseSynthStream::play()
{
    PulseConnection::Lock lock(*connection_);
    playing_ = true;
    if (pa_operation* operation = pa_stream_cork(stream_, 0, nullptr, nullptr))
        pa_operation_unref(operation);
}

SoundStreamState PulseSynthStream::state() const
{
    SoundStreamState state;
    PulseConnection::Lock lock(*connection_);
    state.bufferMs = policy_.targetMs();
    state.underruns = policy_.underruns();
    state.realTime = realTime_;
    pa_usec_t latency = 0;
    int negative = 0;
    if (pa_stream_get_latency(stream_, &latency, &negative) == 0)
        state.latencyMs = negative ? 0.0 : latency / 1000.0;
    return state;
}

void PulseSynthStream::onStreamState(pa_stream* stream, void* self)
{
    auto& me = *static_cast<PulseSynthStream*>(self);
    // A stream that was playing and fails leaves the program silent: said
    // on the terminal, since nothing else would tell why.
    if (pa_stream_get_state(stream) == PA_STREAM_FAILED && me.playing_)
        std::fprintf(stderr, "%s: the sound server ended the synthesizer's stream: %s\n",
                     program_invocation_short_name,
                     pa_strerror(pa_context_errno(pa_stream_get_context(stream))));
    me.connection_->signal();
}

void PulseSynthStream::onWrite(pa_stream* stream, std::size_t bytes, void* self)
{
    auto& me = *static_cast<PulseSynthStream*>(self);
    // The stream's thread must wake the moment the server asks, whatever
    // else the machine runs: a few milliseconds late and the server plays
    // silence.
    if (!me.priorityAsked_) {
        me.priorityAsked_ = true;
        me.realTime_ = makeThisThreadRealTime() != RealTimeGrant::None;
    }
    auto& render = me.render_;
    while (bytes >= bytesPerFrame) {
        void* buffer = nullptr;
        std::size_t size = bytes;
        if (pa_stream_begin_write(stream, &buffer, &size) < 0 || !buffer)
            return;
        const auto frames = static_cast<int>(size / bytesPerFrame);
        if (frames == 0) {
            pa_stream_cancel_write(stream);
            return;
        }
        render(static_cast<float*>(buffer), frames);
        pa_stream_write(stream, buffer, frames * bytesPerFrame, nullptr, 0, PA_SEEK_RELATIVE);
        bytes -= frames * bytesPerFrame;
    }
}

void PulseSynthStream::onUnderflow(pa_stream* stream, void* self)
{
    auto& me = *static_cast<PulseSynthStream*>(self);
    if (!me.policy_.underrun(me.clock_.milliseconds()))
        return;
    const pa_buffer_attr attr = bufferAttributes(me.policy_.targetMs());
    if (pa_operation* operation = pa_stream_set_buffer_attr(stream, &attr, nullptr, nullptr))
        pa_operation_unref(operation);
    std::fprintf(stderr,
                 "%s: the sound server ran out of sound; the synthesizer now keeps %d ms "
                 "queued ahead\n",
                 program_invocation_short_name, me.policy_.targetMs());
}
