#pragma once

#include "platform/audio/block_delivery.h"
#include "platform/audio/sound_level.h"
#include "platform/audio/wave_input.h"

// The block queue shared by every kind of wave input: subclasses open and
// close their source and feed recorded samples to `produce`.
class QueuedWaveInput : public WaveInput {
public:
    void queueBlock(std::size_t length) override
    {
        if (isOpen())
            delivery_.queue(length);
    }
    void start() override
    {
        if (isOpen())
            delivery_.setRecording(true);
    }
    void stop() override { delivery_.stop(); }
    void setBlockHandler(BlockHandler handler) override
    {
        delivery_.setHandler(std::move(handler));
    }

    const SoundLevelMeter* levelMeter() const override { return &meter_; }

    // Hands over the blocks filled so far without waiting for the event loop.
    void deliverPending() { delivery_.deliverReady(); }

protected:
    // Recording thread: samples in the capture format.
    void produce(const std::uint8_t* samples, std::size_t count,
                 BlockDelivery::Clock::time_point callbackStart)
    {
        delivery_.produce(samples, count, callbackStart);
    }

    BlockDelivery delivery_;
    SoundLevelMeter meter_; // fed by the recording thread's converter
};
