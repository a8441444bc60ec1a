#include "platform/audio/internal/pulse_wave_input.h"

#include "platform/audio/capture_format.h"
#include "platform/audio/internal/capture_converter.h"
#include "platform/pulse/pulse_connection.h"

#include <pulse/pulseaudio.h>

#include <cstring>

namespace {

// The server hands the sound over every 256 samples (23 ms), as often as
// the RtAudio input's period.
constexpr std::uint32_t kFragmentBytes = 256 * sizeof(float);

} // namespace

PulseWaveInput::PulseWaveInput(std::string chosenSource) : chosen_(std::move(chosenSource)) {}

PulseWaveInput::~PulseWaveInput()
{
    close();
}

Status PulseWaveInput::open()
{
    if (connection_)
        return Status::success();
    auto connection = PulseConnection::open("production");
    if (!connection)
        return connection.status();
    converter_ = std::make_unique<CaptureConverter>(
        captureSampleRate,
        [this](std::span<const std::uint8_t> samples) {
            produce(samples.data(), samples.size(), callbackStart_);
        },
        &meter_);
    connection_ = std::move(connection).value();
    if (!listenFirst()) {
        connection_.reset();
        converter_.reset();
        return Status::failure("The sound server has no microphone to record from.");
    }
    return Status::success();
}

bool PulseWaveInput::listenFirst()
{
    PulseConnection::Lock lock(*connection_);
    pa_context* context = connection_->context();
    pa_context_set_subscribe_callback(context, &PulseWaveInput::onSourceEvent, this);
    if (pa_operation* operation =
            pa_context_subscribe(context, PA_SUBSCRIPTION_MASK_SOURCE, nullptr, nullptr))
        pa_operation_unref(operation);
    auto listening = [this](const std::string& source) {
        stream_ = connectTo(source);
        if (stream_ && waitUntilReady(*connection_, stream_))
            return true;
        dropStream();
        return false;
    };
    onChosen_ = !chosen_.empty() && listening(chosen_);
    if (onChosen_)
        return true;
    if (!listening({}))
        return false;
    fallenBack_ = !chosen_.empty();
    if (fallenBack_)
        tell(SourceChange::Kind::ChosenMissing);
    return true;
}

void PulseWaveInput::close()
{
    stop();
    if (!connection_)
        return;
    {
        PulseConnection::Lock lock(*connection_);
        dropStream();
        pa_context_set_subscribe_callback(connection_->context(), nullptr, nullptr);
    }
    connection_.reset();
    converter_.reset();
    onChosen_ = false;
    fallenBack_ = false;
}

void PulseWaveInput::choose(const std::string& name)
{
    if (!connection_) {
        chosen_ = name;
        return;
    }
    PulseConnection::Lock lock(*connection_);
    chosen_ = name;
    fallenBack_ = false;
    listenTo(name);
}

bool PulseWaveInput::fallenBack() const
{
    if (!connection_)
        return false;
    PulseConnection::Lock lock(*connection_);
    return fallenBack_;
}

pa_stream* PulseWaveInput::connectTo(const std::string& source)
{
    const pa_sample_spec format{PA_SAMPLE_FLOAT32LE, captureSampleRate, 1};
    pa_stream* stream = connection_->newStream("Microphone", format);
    if (!stream)
        return nullptr;
    pa_stream_set_state_callback(stream, &PulseWaveInput::onStreamState, this);
    pa_stream_set_read_callback(stream, &PulseWaveInput::onRead, this);
    pa_buffer_attr attr;
    attr.maxlength = static_cast<std::uint32_t>(-1);
    attr.tlength = static_cast<std::uint32_t>(-1);
    attr.prebuf = static_cast<std::uint32_t>(-1);
    attr.minreq = static_cast<std::uint32_t>(-1);
    attr.fragsize = kFragmentBytes;
    // A chosen source is not to be swapped for another behind the user's
    // back: the stream fails instead, and the fallback is told.
    auto flags = PA_STREAM_ADJUST_LATENCY;
    if (!source.empty())
        flags = static_cast<pa_stream_flags_t>(flags | PA_STREAM_DONT_MOVE);
    if (pa_stream_connect_record(stream, source.empty() ? nullptr : source.c_str(), &attr, flags) <
        0) {
        pa_stream_set_state_callback(stream, nullptr, nullptr);
        pa_stream_set_read_callback(stream, nullptr, nullptr);
        pa_stream_unref(stream);
        return nullptr;
    }
    return stream;
}

void PulseWaveInput::dropStream()
{
    if (!stream_)
        return;
    pa_stream_set_state_callback(stream_, nullptr, nullptr);
    pa_stream_set_read_callback(stream_, nullptr, nullptr);
    if (PA_STREAM_IS_GOOD(pa_stream_get_state(stream_)))
        pa_stream_disconnect(stream_);
    pa_stream_unref(stream_);
    stream_ = nullptr;
}

// Replaces the stream with one from `source` (the default when empty). Its
// failure, should the source be missing, arrives in onStreamState.
void PulseWaveInput::listenTo(const std::string& source)
{
    dropStream();
    onChosen_ = !source.empty();
    stream_ = connectTo(source);
    if (!stream_ && onChosen_)
        fallBack();
}

void PulseWaveInput::fallBack()
{
    listenTo({});
    if (!fallenBack_) {
        fallenBack_ = true;
        tell(SourceChange::Kind::ChosenMissing);
    }
}

void PulseWaveInput::tell(SourceChange::Kind kind)
{
    SourceChange change{kind, chosen_};
    QMetaObject::invokeMethod(
        &guiThread_,
        [this, change] {
            if (changeHandler_)
                changeHandler_(change);
        },
        Qt::QueuedConnection);
}

void PulseWaveInput::onStreamState(pa_stream* stream, void* self)
{
    auto& me = *static_cast<PulseWaveInput*>(self);
    me.connection_->signal();
    // The chosen source is unplugged, or was never there: the default
    // listens meanwhile. The stream is replaced on the loop's next turn,
    // since this turn is still inside the failed stream's callback.
    if (stream == me.stream_ && me.onChosen_ && !PA_STREAM_IS_GOOD(pa_stream_get_state(stream)))
        me.connection_->onNextTurn(&PulseWaveInput::onChosenFailed, self);
}

void PulseWaveInput::onChosenFailed(pa_mainloop_api*, void* self)
{
    auto& me = *static_cast<PulseWaveInput*>(self);
    if (me.stream_ && me.onChosen_ && !PA_STREAM_IS_GOOD(pa_stream_get_state(me.stream_)))
        me.fallBack();
}

void PulseWaveInput::onRead(pa_stream* stream, std::size_t, void* self)
{
    auto& me = *static_cast<PulseWaveInput*>(self);
    me.callbackStart_ = BlockDelivery::Clock::now();
    const void* data = nullptr;
    std::size_t bytes = 0;
    while (pa_stream_peek(stream, &data, &bytes) == 0 && bytes > 0) {
        // A hole (data lost by the server) carries no samples: skipped.
        if (data && me.converter_)
            me.converter_->convert(static_cast<const float*>(data), bytes / sizeof(float));
        pa_stream_drop(stream);
    }
}

void PulseWaveInput::onSourceEvent(pa_context* context, pa_subscription_event_type_t type,
                                   unsigned index, void* self)
{
    auto& me = *static_cast<PulseWaveInput*>(self);
    const auto kind = type & PA_SUBSCRIPTION_EVENT_TYPE_MASK;
    if (!me.fallenBack_ || kind != PA_SUBSCRIPTION_EVENT_NEW)
        return;
    if (pa_operation* operation = pa_context_get_source_info_by_index(
            context, index, &PulseWaveInput::onSourceAppeared, self))
        pa_operation_unref(operation);
}

void PulseWaveInput::onSourceAppeared(pa_context*, const pa_source_info* info, int last, void* self)
{
    auto& me = *static_cast<PulseWaveInput*>(self);
    if (last != 0 || !info || !me.fallenBack_ || me.chosen_ != info->name)
        return;
    me.fallenBack_ = false;
    me.listenTo(me.chosen_);
    me.tell(SourceChange::Kind::ChosenBack);
}
