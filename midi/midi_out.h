#pragma once

#include "platform/midi/midi_output_port.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

// The program's one MIDI output and its conventions (channels, status bytes,
// the closed-device fallbacks).
class MidiOut {
public:
    explicit MidiOut(MidiOutputSystem& system);
    ~MidiOut();

    struct StartupResult {
        std::vector<std::string> deviceNames;  // devices, then "Midi Mapper"; empty without devices
        std::optional<std::string> error;      // set when the open failed: show it to the user
    };
    // Builds the device list, applies the stored-index rule to `midi` and opens it.
    StartupResult openAtStartup(int& midi);

    // Closes the current device (if any) and opens `device` (-1: the mapper).
    bool reopen(int device);
    void close();

    void Send(int status, int data1, int data2);
    void Play(int status, int data1, int data2);     // note-ons and program changes
    void Silence(int status, int data1, int data2);  // note-offs

    bool isOpen() const { return port_ != nullptr; }

    int currentKey = 20;

private:
    MidiOutputSystem& system_;
    std::unique_ptr<MidiOutputPort> port_;
};
