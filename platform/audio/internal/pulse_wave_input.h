#pragma once

#include "platform/audio/microphone_sources.h"
#include "platform/audio/queued_wave_input.h"

#include <QObject>
#include <pulse/def.h>

#include <memory>
#include <string>

class CaptureConverter;
class PulseConnection;
struct pa_context;
struct pa_mainloop_api;
struct pa_stream;
struct pa_source_info;

// The microphone as a record stream of the sound server (PulseAudio, or
// PipeWire's PulseAudio service), from the chosen source or the default one.
// The server delivers mono floats at the capture rate; they are measured and
// quantised to the capture format on the connection's thread.
//
// A chosen source is listened to without letting the server move the stream
// elsewhere: when it goes away the stream fails, the default source takes
// over and the change handler hears of it; when a source of the chosen name
// appears again (the server announces it at once) it takes over again.
//
// Threads: open, close, choose and the handlers belong to the GUI thread;
// the stream's callbacks and every reconnection run on the connection's
// thread, under its lock.
class PulseWaveInput final : public QueuedWaveInput, public MicrophoneChoice {
public:
    explicit PulseWaveInput(std::string chosenSource = {});
    ~PulseWaveInput() override;

    // Fails when no server runs or neither the chosen nor the default source
    // can be recorded from.
    Status open() override;
    void close() override;
    bool isOpen() const override { return connection_ != nullptr; }

    void choose(const std::string& name) override;
    const std::string& chosen() const override { return chosen_; }
    void setChangeHandler(ChangeHandler handler) override { changeHandler_ = std::move(handler); }

    // True while the default source listens in place of a chosen one.
    bool fallenBack() const;

private:
    bool listenFirst();
    // Connection's thread, under the lock.
    pa_stream* connectTo(const std::string& source);
    void dropStream();
    void listenTo(const std::string& source);
    void fallBack();
    void tell(SourceChange::Kind kind);

    static void onStreamState(pa_stream* stream, void* self);
    static void onChosenFailed(pa_mainloop_api*, void* self);
    static void onRead(pa_stream* stream, std::size_t bytes, void* self);
    static void onSourceEvent(pa_context* context, pa_subscription_event_type_t type,
                              unsigned index, void* self);
    static void onSourceAppeared(pa_context* context, const pa_source_info* info, int last,
                                 void* self);

    std::unique_ptr<PulseConnection> connection_;
    std::unique_ptr<CaptureConverter> converter_;
    QObject guiThread_; // changes reach the handler through its event queue
    ChangeHandler changeHandler_;
    // Under the connection's lock (written on the GUI thread while held).
    std::string chosen_;
    pa_stream* stream_ = nullptr;
    bool onChosen_ = false;
    bool fallenBack_ = false;
    BlockDelivery::Clock::time_point callbackStart_; // connection's thread only
};
