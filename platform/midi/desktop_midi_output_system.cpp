#include "platform/midi/desktop_midi_output_system.h"

#include "platform/midi/alsa_midi_output.h"
#include "platform/midi/library_chatter.h"
#include "platform/midi/synth_output_port.h"

#include <cstdlib>

DesktopMidiOutputSystem::DesktopMidiOutputSystem(MidiOutputOptions options)
    : DesktopMidiOutputSystem(std::move(options), std::make_unique<AlsaMidiOutputSystem>())
{
}

DesktopMidiOutputSystem::DesktopMidiOutputSystem(MidiOutputOptions options,
                                                 std::unique_ptr<MidiOutputSystem> ports)
    : options_(std::move(options)), ports_(std::move(ports))
{
    setenv("JACK_NO_START_SERVER", "1", 1);
    setMidiLibraryChatter(options_.verbose);
}

std::vector<std::string> DesktopMidiOutputSystem::deviceNames()
{
    std::vector<std::string> names{SynthOutputPort::deviceName};
    auto ports = ports_->deviceNames();
    names.insert(names.end(), ports.begin(), ports.end());
    return names;
}

MidiOutputSystem::OpenResult DesktopMidiOutputSystem::open(int device)
{
    if (device == -1 || device == 0)
        return SynthOutputPort::open(options_.soundFont);
    return ports_->open(device - 1);
}
