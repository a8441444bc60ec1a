#pragma once

#include "music/cents_grade.h"
#include "render/colours.h"

#include <optional>

// How many cents the singer is off, drawn in the main window while it
// listens: the needle in the right of the staff panel's title band (beside
// the instruction and caption, clear of the staves, the marker and the note
// boxes), and each confirmed note's pitch as a small number in the strip
// under its column, where the cursor line was.

// The needle's box, in window coordinates.
inline constexpr int kNeedleLeft = 384;
inline constexpr int kNeedleTop = 42;
inline constexpr int kNeedleWidth = 92;
inline constexpr int kNeedleHeight = 36;
// The scale's reach either side of the note.
inline constexpr int kNeedleRangeCents = 50;

// Redraws the needle: a scale of +-50 cents with the tolerance's band, and
// the needle at `cents` (pinned at the scale's end beyond it, the figure then
// "< -50" or "> +50") in the colour of its grade with the figure beside it;
// without a pitch, the scale alone.
void drawCentsNeedle(gdi::Canvas& dc, const ColourTable& colours, std::optional<double> cents,
                     std::optional<int> toleranceCents);

// The pitch of the note confirmed in the column of `markerX`: its cents
// rounded ("+12", "-7", "0"), coloured by grade, centred on the column's
// cursor line.
void drawNoteCents(gdi::Canvas& dc, const ColourTable& colours, int markerX, double cents,
                   std::optional<int> toleranceCents);

// The colour of a grade: green within, amber near, red off.
gdi::Colour gradeColour(CentsGrade grade);
