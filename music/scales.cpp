#include "music/scales.h"

#include "music/text_lines.h"

const ScaleList& builtInScales()
{
    static const ScaleList scales = {
        {2741, "MAJOR"},
        {1453, "MINOR"},
        {4095, "Chromatic"},
        {1709, "Mode - Dorian"},
        {1451, "Mode - Phrygian"},
        {2773, "Mode - Lydian"},
        {1717, "Mode - Mixolydian"},
        {661, "Pentatonic"},
        {1365, "Hexatonic"},
        {145, "Arpeggio - Major"},
        {137, "Arpeggio - Minor"},
        {585, "Arpeggio - Diminished"},
        {1741, "Romanian"},
        {195, "Tense"},
    };
    return scales;
}

ScaleBits scaleBitsOf(std::uint32_t mask)
{
    ScaleBits bits{};
    for (int i = 0; i < 12; ++i)
        bits[i] = (mask >> i) & 1u;
    return bits;
}

std::string fitScaleName(std::string name)
{
    return cutAtCharacter(std::move(name), kScaleNameLength);
}
