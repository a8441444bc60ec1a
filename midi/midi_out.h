#pragma once

#include "base/result.h"
#include "midi/midi_messages.h"
#include "platform/midi/midi_output_port.h"

#include <memory>
#include <string>
#include <vector>

class MidiOut;

// The channels a program change or a note's note-offs go to: the drill's channel 1 alone,
// or channel 13 as well.
enum class MidiChannels { One, OneAndThirteen };

// How a started note is stopped.
struct NoteRelease {
    int velocity = playbackReleaseVelocity;
    MidiChannels channels = MidiChannels::One;
};

// A note that sounds: the only way to stop it is through this handle, and a handle that is
// destroyed or assigned over stops its note first, so no note can be left hanging.
// Move-only; the MidiOut it came from must outlive it.
class SoundingNote {
public:
    SoundingNote() = default;
    ~SoundingNote() { stop(); }
    SoundingNote(SoundingNote&& other) noexcept { *this = std::move(other); }
    SoundingNote& operator=(SoundingNote&& other) noexcept;
    SoundingNote(const SoundingNote&) = delete;
    SoundingNote& operator=(const SoundingNote&) = delete;

    // The note-offs, once; nothing when the note no longer sounds.
    void stop();
    bool sounding() const { return out_ != nullptr; }
    int key() const { return key_; }

private:
    friend class MidiOut;
    SoundingNote(MidiOut& out, int key, NoteRelease release)
        : out_(&out), key_(key), release_(release)
    {
    }

    MidiOut* out_ = nullptr;
    int key_ = 0;
    NoteRelease release_;
};

// The program's one MIDI output: opens the chosen device and sounds notes and timbres on
// it; with no device open, what it is asked to send is dropped (a note-on would go to the
// PC speaker of the original, and this program has no speaker tone).
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

    // Starts `key` on channel 1 at `velocity`. The note sounds until the handle is stopped,
    // assigned over or destroyed; its note-offs then go out as `release` says.
    [[nodiscard]] SoundingNote startNote(int key, int velocity, NoteRelease release = {});
    // A note-off on channel 1 for a key that may or may not sound: the intro releases every
    // key it could have started, whether a skip let it start them or not.
    void releaseKey(int key, int velocity);
    // A program change; `filler` is the second data byte.
    void chooseTimbre(int program, MidiChannels channels = MidiChannels::One, int filler = 0);

    // Gets the open device ready to play these programs at once (the
    // built-in synthesizer reads a program's sounds from its SoundFont when
    // first selected). Call it with the timbre a drill is about to use.
    void preloadPrograms(const std::vector<int>& programs);

    bool isOpen() const { return port_ != nullptr; }

private:
    friend class SoundingNote;
    Status open(int device);
    // One short message to the open device; dropped while none is open.
    void send(int status, int data1, int data2);

    MidiOutputSystem& system_;
    std::unique_ptr<MidiOutputPort> port_;
};
