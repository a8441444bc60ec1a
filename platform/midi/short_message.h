#pragma once

#include <cstdint>

// A MIDI short message: a status byte and up to two data bytes. Ports, inputs
// and recordings carry it packed as on the wire: status in the low byte, then
// data 1, then data 2. Packing cuts each part to a byte; unpacking keeps the
// seven bits a data byte holds.
struct ShortMessage {
    std::uint8_t status = 0;
    std::uint8_t data1 = 0;
    std::uint8_t data2 = 0;

    static constexpr ShortMessage unpack(std::uint32_t packed)
    {
        return {static_cast<std::uint8_t>(packed & 0xFF),
                static_cast<std::uint8_t>((packed >> 8) & 0x7F),
                static_cast<std::uint8_t>((packed >> 16) & 0x7F)};
    }
    constexpr std::uint32_t pack() const
    {
        return std::uint32_t{status} | std::uint32_t{data1} << 8 | std::uint32_t{data2} << 16;
    }

    // The message kind (0x80 note-off, 0x90 note-on, ...) and its channel 0..15.
    constexpr int kind() const { return status & 0xF0; }
    constexpr int channel() const { return status & 0x0F; }
};

constexpr std::uint32_t packShortMessage(int status, int data1, int data2)
{
    return ShortMessage{static_cast<std::uint8_t>(status), static_cast<std::uint8_t>(data1),
                        static_cast<std::uint8_t>(data2)}
        .pack();
}
