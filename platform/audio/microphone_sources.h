#pragma once

#include <functional>
#include <string>
#include <vector>

// A source the microphone can listen to, as the sound system names it.
struct MicrophoneSource {
    std::string name;        // what a choice is remembered by
    std::string description; // what the user is shown
    bool monitor = false;    // the sound of an output, not a microphone
};

// The capture sources of the sound server (PulseAudio, or PipeWire's
// PulseAudio service) in its own order, outputs' monitors only when asked
// for; where no server runs, ALSA's capture devices. Empty when there are
// none.
std::vector<MicrophoneSource> listMicrophoneSources(bool withMonitors = false);

// A change in what the microphone listens to that the user did not ask for.
struct SourceChange {
    enum class Kind {
        ChosenMissing, // the chosen source is not there: the default listens meanwhile
        ChosenBack,    // the chosen source came back and listens again
    };
    Kind kind = Kind::ChosenMissing;
    std::string name; // the chosen source
};

// Chooses the source a microphone listens to. Called on the GUI thread; the
// change handler is called there too.
class MicrophoneChoice {
public:
    using ChangeHandler = std::function<void(const SourceChange&)>;

    virtual ~MicrophoneChoice() = default;
    // From now on listens to the source named `name`, or to the desktop's
    // default source when `name` is empty. While the chosen source is missing
    // (never there, or unplugged) the default listens instead, and the chosen
    // one takes over again as soon as it appears.
    virtual void choose(const std::string& name) = 0;
    virtual const std::string& chosen() const = 0;
    virtual void setChangeHandler(ChangeHandler handler) = 0;
};
