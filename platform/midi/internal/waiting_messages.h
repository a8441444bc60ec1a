#pragma once

#include "platform/midi/scheduled_output.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// Messages sent to the built-in synthesizer while it still reads its
// SoundFont. Each is kept with the time it was sent, and once the sounds are
// there all are played on the synthesizer's clock with their spacing kept: a
// key pressed and released during loading sounds as the short note it was,
// late, rather than not at all or as a click. A reset drops the notes and
// controllers sent before it, as it would have silenced them, but keeps the
// timbres chosen.
class WaitingMessages {
public:
    // A bound for a sender gone wild; loading takes a second at most.
    static constexpr std::size_t capacity = 4096;

    // A short message packed as on the wire, sent at `sentMs` (any steadily
    // rising clock in milliseconds). Beyond the capacity it is dropped.
    void add(std::uint32_t message, std::uint32_t sentMs);
    void reset();

    // Plays every waiting message on `output`, the first at once and each
    // other as long after it as it was sent, and forgets them.
    void replayOn(ScheduledOutput& output);

    std::size_t size() const { return messages_.size(); }

private:
    struct Waiting {
        std::uint32_t message;
        std::uint32_t sentMs;
    };
    std::vector<Waiting> messages_;
};
