#pragma once

#include "platform/audio/queued_wave_input.h"

#include <cstdint>
#include <span>
#include <vector>

// A wave input for tests: the test "records" samples with feed() and sees
// every call the program made. Blocks reach the handler from the event loop,
// or at once through deliverPending().
class ScriptedWaveInput final : public QueuedWaveInput {
public:
    Status open() override
    {
        ++opens;
        open_ = !failOpen;
        return open_ ? Status::success()
                     : Status::failure("The scripted microphone fails to open.");
    }
    void close() override
    {
        ++closes;
        stop();
        open_ = false;
    }
    bool isOpen() const override { return open_; }
    void queueBlock(std::size_t length) override
    {
        queuedLengths.push_back(length);
        QueuedWaveInput::queueBlock(length);
    }
    void start() override
    {
        ++starts;
        QueuedWaveInput::start();
    }
    void stop() override
    {
        ++stops;
        QueuedWaveInput::stop();
    }

    // Samples in the capture format, as the device would record them now.
    void feed(std::span<const std::uint8_t> samples)
    {
        produce(samples.data(), samples.size(), BlockDelivery::Clock::now());
    }
    // Sound as a device's converter measures it, for the level meter.
    void feedSound(std::span<const float> samples) { meter_.feed(samples.data(), samples.size()); }
    bool blockQueued() const { return delivery_.blockQueued(); }

    bool failOpen = false; // every open fails, as with a device in use
    int opens = 0;
    int closes = 0;
    int starts = 0;
    int stops = 0;
    std::vector<std::size_t> queuedLengths; // every queueBlock call, accepted or not

private:
    bool open_ = false;
};
