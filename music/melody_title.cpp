#include "music/melody_title.h"

#include "music/vocabulary.h"
#include "music/voice_ranges.h"

#include <algorithm>

std::string melodyTitle(const Melody& melody, int range, int transpose)
{
    const std::string rangeName(rangeNames[std::clamp(range, 0, kRangeCount - 1)]);
    if (melody.isCustom)
        return rangeName + " - Custom Melody - " + melody.melodyName;
    if (transpose == kNoTranspose)
        return rangeName + " - Algorithmic Melody";
    return rangeName + " - Algorithmic Melody - transpose " +
           transposeNames()[std::clamp(transpose, 0, kTransposeCount - 1)];
}
