#pragma once

#include "base/result.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

class SoundLevelMeter;

// One filled capture block as it reaches the GUI thread.
struct CapturedBlock {
    std::span<const std::uint8_t> samples; // unsigned 8-bit, 11025 Hz, mono
    // When the callback that brought the block's last sample began.
    std::chrono::steady_clock::time_point completedAt;
};

// The microphone, as the program uses it: one block of a chosen length is
// queued at a time; once filled it is handed to the block handler on the
// GUI thread, and nothing is recorded until the next block is queued.
// Samples that arrive while no block is queued are dropped.
class WaveInput {
public:
    using BlockHandler = std::function<void(const CapturedBlock&)>;

    virtual ~WaveInput() = default;

    // Opens the device in the capture format; fails with the reason when it
    // cannot be opened.
    virtual Status open() = 0;
    // Stops recording, drops the queued block and releases the device.
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    // Queues one block of `length` samples (1024 or 2048). Ignored when the
    // device is not open or a block is already queued.
    virtual void queueBlock(std::size_t length) = 0;
    // Starts (or keeps) recording into the queued block. Ignored when closed.
    virtual void start() = 0;
    // Stops recording and drops the queued block, partly filled or not; a
    // block filled before the stop is not delivered any more.
    virtual void stop() = 0;

    // Called on the GUI thread with each filled block, in order.
    virtual void setBlockHandler(BlockHandler handler) = 0;

    // The level of everything captured while open, queued block or not;
    // null for an input that does not measure it.
    virtual const SoundLevelMeter* levelMeter() const { return nullptr; }
};
