#pragma once

#include "base/result.h"
#include "music/scales.h"

#include <filesystem>

// The scale file "scales.cnl": one line per scale in list order, the name, a
// comma and the mask in decimal, each line ending CR LF. There is no count in
// the file; the `numScales` setting says how many lines belong to the list.

inline constexpr const char* kScaleFileName = "scales.cnl";

// Loads the scale list.
//
// When the file cannot be opened it is created empty (so that the list can be
// saved at exit) and the list is the fourteen built-in scales.
//
// Otherwise up to `numScales` lines are read, clamped to kBuiltInScaleCount..
// kMaxScales: the list always offers at least the fourteen positions every
// installation has, and never more than the list can hold. In each line the
// last comma splits name and mask, so names may contain commas; a line without
// a comma keeps its position with the whole line as name and mask 0. Names
// are cut to kScaleNameLength characters.
//
// A file that ends before the wanted count does not leave holes: positions
// below kBuiltInScaleCount are completed from the built-in scales, and the
// list simply ends after the last line read when that is beyond them.
//
// The size of the result is the `numScales` the program continues with.
ScaleList loadScales(const std::filesystem::path& file, int numScales);

// Writes every record as "name,mask" CR LF from the start of the existing
// file, without truncating it: bytes of an older, longer file may remain after
// the last line, and loading never reaches them because it stops after
// `numScales` lines. Nothing is written (and the reason returned) when the
// file does not exist or cannot be opened.
Status saveScales(const std::filesystem::path& file, const ScaleList& scales);
