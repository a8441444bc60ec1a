#pragma once

#include "voice/detector_kind.h"

#include <iosfwd>
#include <string>

// `solfara --detect FILE`: reads a recording as the microphone would deliver
// it, prints one line per block with what the detector of `kind` hears (default
// microphone settings: gain 63, filter 10, A = 440 Hz, no transposition) and
// returns the exit code: 0, or 1 with a message on `err` when the file
// cannot be read.
int printRecordingDetection(const std::string& path, std::ostream& out, std::ostream& err,
                            DetectorKind kind = DetectorKind::Classic);
