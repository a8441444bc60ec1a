#include "platform/audio/block_delivery.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

BlockDelivery::BlockDelivery() : wakeFd_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC))
{
    if (wakeFd_ < 0)
        return; // blocks can still be fetched with deliverReady()
    wakeNotifier_ = std::make_unique<QSocketNotifier>(wakeFd_, QSocketNotifier::Read);
    QObject::connect(wakeNotifier_.get(), &QSocketNotifier::activated, [this] {
        eventfd_t count;
        eventfd_read(wakeFd_, &count);
        deliverReady();
    });
}

BlockDelivery::~BlockDelivery()
{
    wakeNotifier_.reset();
    if (wakeFd_ >= 0)
        ::close(wakeFd_);
}

void BlockDelivery::queue(std::size_t length)
{
    const std::uint64_t request = request_.load(std::memory_order_acquire);
    if (lengthOf(request) != 0 || length == 0 || length > longBlockLength)
        return;
    request_.store(makeRequest(generationOf(request), std::uint32_t(length)),
                   std::memory_order_release);
}

void BlockDelivery::stop()
{
    recording_.store(false, std::memory_order_release);
    const std::uint64_t request = request_.load(std::memory_order_acquire);
    request_.store(makeRequest(generationOf(request) + 1, 0), std::memory_order_release);
}

void BlockDelivery::produce(const std::uint8_t* samples, std::size_t count,
                            Clock::time_point callbackStart)
{
    std::uint64_t request = request_.load(std::memory_order_acquire);
    if (!recording_.load(std::memory_order_acquire) || lengthOf(request) == 0) {
        filled_ = 0;
        return;
    }
    if (request != fillingRequest_) {
        fillingRequest_ = request;
        filled_ = 0;
    }
    const std::uint32_t head = head_.load(std::memory_order_relaxed);
    if (head - tail_.load(std::memory_order_acquire) == slotCount)
        return; // the GUI thread is behind by whole blocks: drop, as a device overrun would

    Slot& slot = slots_[head % slotCount];
    const std::size_t length = lengthOf(request);
    const std::size_t take = std::min(count, length - filled_);
    std::memcpy(slot.data.data() + filled_, samples, take);
    filled_ += take;
    if (filled_ < length)
        return;

    slot.generation = generationOf(request);
    slot.length = std::uint32_t(length);
    slot.completedAt = callbackStart;
    head_.store(head + 1, std::memory_order_release);
    filled_ = 0;
    fillingRequest_ = 0;
    // The block is no longer queued; the rest of these samples is dropped.
    // Fails harmlessly when the GUI thread stopped meanwhile.
    request_.compare_exchange_strong(request, makeRequest(generationOf(request), 0),
                                     std::memory_order_acq_rel);
    wakeGuiThread();
}

void BlockDelivery::wakeGuiThread()
{
    if (wakePending_.exchange(true, std::memory_order_acq_rel) || wakeFd_ < 0)
        return;
    eventfd_write(wakeFd_, 1);
}

void BlockDelivery::deliverReady()
{
    // A read-modify-write, so a block published before a wake that was
    // skipped (one was pending) is seen by the drain below.
    wakePending_.exchange(false, std::memory_order_acq_rel);
    if (delivering_)
        return; // a handler that runs the event loop gets the next block afterwards
    delivering_ = true;
    std::uint32_t tail = tail_.load(std::memory_order_relaxed);
    while (tail != head_.load(std::memory_order_acquire)) {
        const Slot& slot = slots_[tail % slotCount];
        const bool current =
            slot.generation == generationOf(request_.load(std::memory_order_acquire));
        if (current && handler_)
            handler_(CapturedBlock{{slot.data.data(), slot.length}, slot.completedAt});
        tail_.store(++tail, std::memory_order_release);
    }
    delivering_ = false;
}
