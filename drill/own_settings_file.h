#pragma once

#include "base/result.h"
#include "drill/practice_choices.h"
#include "voice/detector_kind.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// The settings of ours that "vox.c20" has no line for (its twenty lines stay
// as they are), kept in one small file beside it: a line "key=value" each,
// CR LF. Lines of keys this version does not know are kept as they stand.
inline constexpr const char* kOwnSettingsFileName = "solfara.cfg";
// Where the detector choice was kept before: read when "solfara.cfg" has no
// detector line, never written.
inline constexpr const char* kOldDetectorChoiceFileName = "detector.cfg";

struct OwnSettings {
    DetectorKind detector = DetectorKind::Classic;
    // The sound server's name of the chosen microphone; empty: the default.
    std::string microphone = {};
    // The microphone check has been offered at a first start.
    bool microphoneCheckOffered = false;
    // The tolerance and sight mode of the menu.
    PracticeChoices practice = {};
    // Lines of other keys, in file order.
    std::vector<std::string> otherLines = {};
};

// The saved settings; the defaults for whatever is missing or unreadable.
OwnSettings readOwnSettings(const std::filesystem::path& dataDirectory);

// Saves the settings. The file is written beside the old one and then put
// in its place, so a failed write leaves the old settings whole.
Status writeOwnSettings(const std::filesystem::path& dataDirectory, const OwnSettings& settings);

// Reads the settings, changes them with `change` and saves them.
Status updateOwnSettings(const std::filesystem::path& dataDirectory,
                         const std::function<void(OwnSettings&)>& change);
