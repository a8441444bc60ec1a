#pragma once

#include "platform/midi/midi_output_port.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

// The program's one MIDI output, shared by the GUI thread and the metronome
// thread. Every send and every replacement of the port goes through one lock,
// so the port can be reopened while the metronome is ticking.
class SharedMidiOutput {
public:
    explicit SharedMidiOutput(MidiOutputSystem& system) : system_(system) {}
    ~SharedMidiOutput();

    // Opens the mapper (device -1); a failure leaves the output closed and says why.
    Status open();

    // Resets and closes the current port and opens the mapper again. A failed
    // open leaves the output closed.
    Status reopen();

    // Resets and closes the port.
    void close();

    bool isOpen() const;

    // Gets the port ready to play these programs at once (see MidiOutputPort).
    void preloadPrograms(const std::vector<int>& programs);

    // Sends one short message packed from its bytes; dropped when closed.
    void send(std::uint8_t status, std::uint8_t data1, std::uint8_t data2);

    // The open port's own clock for messages sent ahead (see
    // ScheduledOutput); empty when the port has none or none is open.
    std::optional<std::uint32_t> scheduleClockMs();
    // Plays a message at `timeMs` on that clock; dropped when there is none.
    void sendAt(std::uint8_t status, std::uint8_t data1, std::uint8_t data2, std::uint32_t timeMs);
    // Drops the messages sent ahead that have not played yet.
    void cancelScheduled();

private:
    std::unique_ptr<MidiOutputPort> take();
    ScheduledOutput* scheduled(); // with mutex_ held

    MidiOutputSystem& system_;
    mutable std::mutex mutex_;
    std::unique_ptr<MidiOutputPort> port_;
};
