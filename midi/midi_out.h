#pragma once

#include "base/result.h"
#include "platform/midi/midi_output_port.h"

#include <memory>
#include <string>
#include <vector>

// The program's one MIDI output: opens the chosen device, sends short messages
// and drops them while no device is open.
class MidiOut {
public:
    explicit MidiOut(MidiOutputSystem& system);
    ~MidiOut();
    MidiOut(const MidiOut&) = delete;
    MidiOut& operator=(const MidiOut&) = delete;

    struct StartupResult {
        std::vector<std::string> deviceNames; // devices, then "Midi Mapper"; empty without devices
        Status opened = Status::success();    // a failed open: show its message to the user
    };
    // Builds the device list, applies the stored-index rule to `midi` and opens
    // that device. Without any device nothing is opened and nothing reported.
    StartupResult openAtStartup(int& midi);

    // Closes the current device (if any) and opens `device` (-1: the mapper).
    // A failure leaves the output closed and says why.
    Status reopen(int device);
    // Resets and closes the device, if one is open.
    void close();

    // Sends one short message: status in the low byte, then the two data bytes.
    void Send(int status, int data1, int data2);
    // Note-ons and program changes. Dropped while closed.
    void Play(int status, int data1, int data2);
    // Note-offs. Dropped while closed.
    void Silence(int status, int data1, int data2);

    // Gets the open device ready to play these programs at once (the
    // built-in synthesizer reads a program's sounds from its SoundFont when
    // first selected). Call it with the timbre a drill is about to use.
    void preloadPrograms(const std::vector<int>& programs);

    bool isOpen() const { return port_ != nullptr; }

    // The key of the note most recently started; callers store it before a
    // note-on and stop the note with it.
    int currentKey = 20;

private:
    Status open(int device);

    MidiOutputSystem& system_;
    std::unique_ptr<MidiOutputPort> port_;
};
