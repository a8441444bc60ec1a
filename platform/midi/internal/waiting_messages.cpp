#include "platform/midi/internal/waiting_messages.h"

#include "platform/midi/short_message.h"

#include <algorithm>

void WaitingMessages::add(std::uint32_t message, std::uint32_t sentMs)
{
    const ShortMessage m = ShortMessage::unpack(message);
    if (m.status == 0xFF) // a system reset, as the synthesizer takes it
        reset();
    else if (m.status >= 0xF0) // other system messages do not play
        return;
    else if (messages_.size() < capacity)
        messages_.push_back({message, sentMs});
}

void WaitingMessages::reset()
{
    std::erase_if(messages_, [](const Waiting& waiting) {
        return ShortMessage::unpack(waiting.message).kind() != 0xC0;
    });
}

void WaitingMessages::replayOn(ScheduledOutput& output)
{
    if (messages_.empty())
        return;
    const std::uint32_t now = output.clockMs();
    const std::uint32_t first = messages_.front().sentMs;
    for (const Waiting& waiting : messages_)
        output.sendAt(waiting.message, now + (waiting.sentMs - first));
    messages_.clear();
}
