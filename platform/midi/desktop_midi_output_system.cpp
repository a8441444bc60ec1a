#include "platform/midi/desktop_midi_output_system.h"

#include "platform/midi/internal/alsa_midi_output.h"
#include "platform/midi/internal/synth_output_port.h"
#include "platform/midi/library_chatter.h"

#include <string>

DesktopMidiOutputSystem::DesktopMidiOutputSystem(MidiOutputOptions options)
    : DesktopMidiOutputSystem(std::move(options), std::make_unique<AlsaMidiOutputSystem>())
{
}

DesktopMidiOutputSystem::DesktopMidiOutputSystem(MidiOutputOptions options,
                                                 std::unique_ptr<MidiOutputSystem> ports)
    : DesktopMidiOutputSystem(options, std::move(ports),
                              [soundFont = options.soundFont, failed = options.soundFontFailed] {
                                  return SynthOutputPort::open(soundFont, failed);
                              })
{
}

DesktopMidiOutputSystem::DesktopMidiOutputSystem(MidiOutputOptions options,
                                                 std::unique_ptr<MidiOutputSystem> ports,
                                                 LastingOutput::Starter builtIn)
    : options_(std::move(options)), ports_(std::move(ports)), builtIn_(std::move(builtIn))
{
    setMidiLibraryChatter(options_.verbose);
}

std::vector<std::string> DesktopMidiOutputSystem::deviceNames()
{
    std::vector<std::string> names{SynthOutputPort::deviceName};
    auto ports = ports_->deviceNames();
    portCount_ = static_cast<int>(ports.size());
    names.insert(names.end(), ports.begin(), ports.end());
    return names;
}

MidiOutputSystem::OpenResult DesktopMidiOutputSystem::open(int device)
{
    if (device == -1 || device == 0)
        return builtIn_.open();
    // A stored number can outlive its device (a keyboard unplugged since).
    if (device < -1 || device > portCount_)
        return OpenResult::failure(
            "MIDI output device " + std::to_string(device) +
            " is not available. Choose another device in the Sound settings.");
    return ports_->open(device - 1);
}
