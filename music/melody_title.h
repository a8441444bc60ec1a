#pragma once

#include "music/melody.h"

#include <string>

// The caption line above the staves that names the melody in use, for voice
// range `range` and transposition `transpose` (0..48, 24 = none):
// "Bass - Algorithmic Melody", "Contralto - Algorithmic Melody - transpose +3" or
// "Soprano - Custom Melody - Happy".
std::string melodyTitle(const Melody& melody, int range, int transpose);
