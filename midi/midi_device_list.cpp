#include "midi/midi_device_list.h"

#include <algorithm>

std::vector<std::string> buildMidiDeviceList(const std::vector<std::string>& deviceNames)
{
    std::vector<std::string> list;
    std::size_t count = std::min(deviceNames.size(), maxMidiDevices);
    if (count == 0)
        return list;
    for (std::size_t i = 0; i < count; ++i)
        list.push_back(deviceNames[i].substr(0, midiDeviceNameLength));
    list.push_back("Midi Mapper");
    return list;
}

int applyStoredMidiIndexRule(int midi, int deviceCount)
{
    return midi == deviceCount + 1 ? -1 : midi;
}
