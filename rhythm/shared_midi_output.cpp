#include "rhythm/shared_midi_output.h"

#include "platform/midi/short_message.h"

namespace {

constexpr int mapperDevice = -1;

void shutDown(std::unique_ptr<MidiOutputPort> port)
{
    if (port) {
        port->reset();
        port->close();
    }
}

} // namespace

SharedMidiOutput::~SharedMidiOutput()
{
    close();
}

Status SharedMidiOutput::open()
{
    // Opening may take a while (a synthesizer loads its sounds): do it outside
    // the lock so that ticks are not held up, and only swap the port inside.
    auto opened = system_.open(mapperDevice);
    const Status status = opened ? Status::success() : opened.status();
    std::unique_ptr<MidiOutputPort> old;
    {
        std::lock_guard lock(mutex_);
        old = std::move(port_);
        port_ = opened ? std::move(opened).value() : nullptr;
    }
    shutDown(std::move(old));
    return status;
}

Status SharedMidiOutput::reopen()
{
    shutDown(take());
    return open();
}

void SharedMidiOutput::close()
{
    shutDown(take());
}

std::unique_ptr<MidiOutputPort> SharedMidiOutput::take()
{
    std::lock_guard lock(mutex_);
    return std::move(port_);
}

bool SharedMidiOutput::isOpen() const
{
    std::lock_guard lock(mutex_);
    return port_ != nullptr;
}

void SharedMidiOutput::preloadPrograms(const std::vector<int>& programs)
{
    std::lock_guard lock(mutex_);
    if (port_)
        port_->preloadPrograms(programs);
}

void SharedMidiOutput::send(std::uint8_t status, std::uint8_t data1, std::uint8_t data2)
{
    std::lock_guard lock(mutex_);
    if (port_)
        port_->sendShortMessage(ShortMessage{status, data1, data2}.pack());
}

ScheduledOutput* SharedMidiOutput::scheduled()
{
    return port_ ? port_->scheduledOutput() : nullptr;
}

std::optional<std::uint32_t> SharedMidiOutput::scheduleClockMs()
{
    std::lock_guard lock(mutex_);
    if (ScheduledOutput* output = scheduled())
        return output->clockMs();
    return std::nullopt;
}

void SharedMidiOutput::sendAt(std::uint8_t status, std::uint8_t data1, std::uint8_t data2,
                              std::uint32_t timeMs)
{
    std::lock_guard lock(mutex_);
    if (ScheduledOutput* output = scheduled())
        output->sendAt(ShortMessage{status, data1, data2}.pack(), timeMs);
}

void SharedMidiOutput::cancelScheduled()
{
    std::lock_guard lock(mutex_);
    if (ScheduledOutput* output = scheduled())
        output->cancelPending();
}
