#pragma once

#include "rhythm/pulse_judge.h"

#include <string>

// The two lines of the status area.
std::string steadinessLine(const HitStats& stats);
std::string runLine(const HitStats& stats);

// The window's title, which also heads its other messages.
inline constexpr const char* beatwiseCaption = "Beatwise";

// The text of the results box and its caption.
std::string resultsText(const ResultsReport& report);
inline constexpr const char* resultsCaption = "Beatwise results";
