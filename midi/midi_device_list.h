#pragma once

#include <string>
#include <vector>

// The device list the program shows: the output devices in device order, each
// name cut to 29 characters, at most 19 of them, then "Midi Mapper". Without
// any device the list is empty.
inline constexpr std::size_t midiDeviceNameLength = 29;
inline constexpr std::size_t maxMidiDevices = 19;

std::vector<std::string> buildMidiDeviceList(const std::vector<std::string>& deviceNames);

// The stored-index rule: an index one past the mapper's slot (device count + 1)
// means the mapper, -1. `deviceCount` counts devices without the mapper.
int applyStoredMidiIndexRule(int midi, int deviceCount);
