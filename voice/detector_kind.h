#pragma once

#include <array>
#include <optional>
#include <string_view>

// The two ways of hearing the sung note: the strongest bin of a spectrum
// (Classic, the default) or a time-domain period search with an octave check
// and a confidence threshold (Precise).
enum class DetectorKind { Classic, Precise };

// In the order a list of choices shows them.
inline constexpr std::array<DetectorKind, 2> allDetectorKinds{DetectorKind::Classic,
                                                              DetectorKind::Precise};

// "Classic" or "Precise", as the user sees it.
std::string_view detectorDisplayName(DetectorKind kind);

// "classic" or "precise": the word of the command line and of the choice file.
std::string_view detectorKeyword(DetectorKind kind);
// The kind named by its keyword; nothing for any other text.
std::optional<DetectorKind> detectorKindOfKeyword(std::string_view keyword);
