#pragma once

#include "platform/clock/clock.h"
#include "platform/midi/midi_output_port.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

// One message as a recording port received it.
struct RecordedMidiMessage {
    std::uint32_t message = 0;                     // packed as sent: status in the low byte
    std::uint32_t timeMs = 0;                      // the port's clock when it arrived
    std::chrono::steady_clock::time_point arrival; // wall time, for timing measurements

    int status() const { return ShortMessage::unpack(message).status; }
    int data1() const { return ShortMessage::unpack(message).data1; }
    int data2() const { return ShortMessage::unpack(message).data2; }
};

// The log of everything sent to recording ports. Shared between a port and the
// test that made it, so the log outlives the port. Safe to use from several
// threads (a metronome thread sends while the test thread reads).
class MidiRecording {
public:
    void addMessage(std::uint32_t message, std::uint32_t timeMs);
    void addReset();
    void addClose();
    void setPreloaded(std::vector<int> programs);

    std::vector<RecordedMidiMessage> messages() const;
    int resetCount() const;
    int closeCount() const;
    // The programs the last preload asked the port to keep loaded.
    std::vector<int> preloadedPrograms() const;
    void clear();

private:
    mutable std::mutex mutex_;
    std::vector<RecordedMidiMessage> messages_;
    int resets_ = 0;
    int closes_ = 0;
    std::vector<int> preloaded_;
};

// An output port that sounds nothing and keeps every message with its time.
// After close() it drops messages, as a closed device would.
class RecordingMidiOutputPort final : public MidiOutputPort {
public:
    RecordingMidiOutputPort(std::string name, Clock& clock,
                            std::shared_ptr<MidiRecording> recording = nullptr);

    void sendShortMessage(std::uint32_t message) override;
    void reset() override;
    void close() override;
    void preloadPrograms(const std::vector<int>& programs) override;
    std::string name() const override { return name_; }

    const std::shared_ptr<MidiRecording>& recording() const { return recording_; }
    bool isClosed() const { return closed_; }

private:
    std::string name_;
    Clock& clock_;
    std::shared_ptr<MidiRecording> recording_;
    std::atomic<bool> closed_{false};
};

// A MIDI system of recording ports for tests: the given device names, and
// every open (the mapper -1 included) gives a port that writes to one shared
// recording, unless the test made that device fail.
class RecordingMidiOutputSystem final : public MidiOutputSystem {
public:
    RecordingMidiOutputSystem(std::vector<std::string> names, Clock& clock);

    std::vector<std::string> deviceNames() override { return names_; }
    OpenResult open(int device) override;

    // Makes open(device) fail with `error` from now on.
    void failOpen(int device, std::string error);

    const std::shared_ptr<MidiRecording>& recording() const { return recording_; }
    const std::vector<int>& openedDevices() const { return opened_; }

private:
    std::vector<std::string> names_;
    Clock& clock_;
    std::shared_ptr<MidiRecording> recording_ = std::make_shared<MidiRecording>();
    std::vector<std::pair<int, std::string>> failures_;
    std::vector<int> opened_;
};
