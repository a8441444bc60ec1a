#pragma once

#include "platform/gdi/canvas.h"

#include <array>

// The colour table every drawing step of the main window names its colours from, by
// index. Entries 13..19 are a grey ramp used by the push buttons.
inline constexpr int kColourCount = 30;
inline constexpr int kBrushCount = 13; // brushes 0..12 are solid brushes of colours 0..12

using ColourTable = std::array<gdi::Colour, kColourCount>;

// The table as the first paint of the main window fills it.
ColourTable fillColours();

// Brush k of the brush table (k = 0..12): a solid brush of colour k.
gdi::Brush brushOf(const ColourTable& colours, int k);

// Colour indices with a fixed role.
namespace colour {
inline constexpr int paper = 0;
inline constexpr int text = 2;
inline constexpr int separator = 3;
inline constexpr int windowBackground = 6;
inline constexpr int panel = 8;
inline constexpr int barLine = 9;
inline constexpr int noteBoxFace = 10;
inline constexpr int buttonFace = 16;
inline constexpr int buttonLabel = 20;
inline constexpr int buttonOutline = 25;
inline constexpr int pressedOutline = 26;
} // namespace colour
