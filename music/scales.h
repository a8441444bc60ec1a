#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// One entry of the scale list: a 12-bit semitone mask (bit i set = the
// semitone i above the tonic belongs to the scale, bit 0 is the tonic) and a
// name of at most kScaleNameLength characters.
struct ScaleRecord {
    std::uint32_t mask = 0;
    std::string name;

    bool operator==(const ScaleRecord&) const = default;
};

inline constexpr std::size_t kScaleNameLength = 31;
// The list never holds more than this many scales (the Scales page adds none
// beyond it).
inline constexpr int kMaxScales = 99;
inline constexpr int kBuiltInScaleCount = 14;

// List positions 0 and 1 are always drilled as MAJOR and MINOR, whatever
// their masks say.
inline constexpr int kMajorMode = 0;
inline constexpr int kMinorMode = 1;

// The scale list; its index is the `mode` setting.
using ScaleList = std::vector<ScaleRecord>;

// The fourteen scales of a fresh installation, MAJOR (2741) to Tense (195).
const ScaleList& builtInScales();

// scaleBits: flag i = bit i of `mask`, for the twelve semitones.
using ScaleBits = std::array<int, 12>;
ScaleBits scaleBitsOf(std::uint32_t mask);

// Cuts a name to the record's kScaleNameLength characters without splitting
// a UTF-8 sequence.
std::string fitScaleName(std::string name);
