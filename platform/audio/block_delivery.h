#pragma once

#include "platform/audio/capture_format.h"
#include "platform/audio/wave_input.h"

#include <QSocketNotifier>

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>

// Carries capture blocks from the thread that records them to the GUI thread.
// The GUI thread queues one block of a chosen length at a time; the recording
// thread fills it and publishes it through a lock-free single-producer,
// single-consumer ring of blocks, then wakes the GUI thread through its event
// loop. Samples that arrive while no block is queued are dropped, so at most
// one block is in flight.
class BlockDelivery {
public:
    using Clock = std::chrono::steady_clock;

    // Must be made on the GUI thread, with the Qt application running.
    BlockDelivery();
    ~BlockDelivery();
    BlockDelivery(const BlockDelivery&) = delete;
    BlockDelivery& operator=(const BlockDelivery&) = delete;

    // GUI thread.
    void setHandler(WaveInput::BlockHandler handler) { handler_ = std::move(handler); }
    // Queues a block of `length` samples (at most 2048) unless one is queued.
    void queue(std::size_t length);
    void setRecording(bool recording) { recording_.store(recording, std::memory_order_release); }
    // Stops recording and forgets the queued block and any block not yet handed over.
    void stop();
    // Hands every filled block to the handler, in order. Runs from the event
    // loop after each wake; tests may call it directly.
    void deliverReady();
    bool blockQueued() const { return lengthOf(request_.load(std::memory_order_acquire)) != 0; }

    // Recording thread: appends samples to the queued block. `callbackStart`
    // is when the callback that brought them began.
    void produce(const std::uint8_t* samples, std::size_t count, Clock::time_point callbackStart);

private:
    struct Slot {
        std::uint32_t generation = 0;
        std::uint32_t length = 0;
        Clock::time_point completedAt;
        std::array<std::uint8_t, longBlockLength> data{};
    };
    static constexpr std::uint32_t slotCount = 4;

    // A request packs the generation (high half) and the queued length (low
    // half, 0 when nothing is queued); stop() moves to a new generation so a
    // block begun or filled before it is never delivered.
    static std::uint32_t generationOf(std::uint64_t request)
    {
        return std::uint32_t(request >> 32);
    }
    static std::uint32_t lengthOf(std::uint64_t request) { return std::uint32_t(request); }
    static std::uint64_t makeRequest(std::uint32_t generation, std::uint32_t length)
    {
        return (std::uint64_t(generation) << 32) | length;
    }
    void wakeGuiThread();

    std::array<Slot, slotCount> slots_;
    std::atomic<std::uint32_t> head_{0}; // written by the recording thread
    std::atomic<std::uint32_t> tail_{0}; // written by the GUI thread
    std::atomic<std::uint64_t> request_{0};
    std::atomic<bool> recording_{false};
    std::atomic<bool> wakePending_{false};

    // Recording thread only: the block being filled.
    std::uint64_t fillingRequest_ = 0;
    std::size_t filled_ = 0;

    // GUI thread only.
    WaveInput::BlockHandler handler_;
    bool delivering_ = false;
    int wakeFd_ = -1;
    std::unique_ptr<QSocketNotifier> wakeNotifier_;
};
