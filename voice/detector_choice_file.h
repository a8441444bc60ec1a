#pragma once

#include "base/result.h"
#include "voice/detector_kind.h"

#include <filesystem>

// The user's choice of pitch detector, kept in a small file of its own in
// the data directory beside "vox.c20" (whose twenty lines stay as they are):
// one line "detector=classic" or "detector=precise", CR LF.
inline constexpr const char* kDetectorChoiceFileName = "detector.cfg";

// The saved choice; Classic when the file is missing, unreadable or holds
// anything else.
DetectorKind readDetectorChoice(const std::filesystem::path& dataDirectory);

// Saves the choice. The file is written beside the old one and then put in
// its place, so a failed write leaves the old choice whole.
Status writeDetectorChoice(const std::filesystem::path& dataDirectory, DetectorKind kind);
