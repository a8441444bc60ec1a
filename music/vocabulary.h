#pragma once

#include <array>
#include <string>
#include <string_view>

// Fixed lists offered by the settings pages and used in titles. A list
// position is the stored setting value.

// `level` 0..2.
inline constexpr std::array<std::string_view, 3> levelNames = {"Beginner", "Intermediate",
                                                               "Advanced"};

// `notation` 0..1.
inline constexpr std::array<std::string_view, 2> notationNames = {"C,D,E", "Do,Re,Mi"};

// `transpose` 0..48 shown as "-24" .. "-1", "0", "+1" .. "+24".
inline constexpr int kTransposeCount = 49;
inline constexpr int kNoTranspose = 24;
const std::array<std::string, kTransposeCount>& transposeNames();

// Melody lengths offered, "1" .. "12"; entry i stands for `melosize` i + 1.
inline constexpr int kMinMelodyLength = 1;
inline constexpr int kMaxMelodyLength = 12;
const std::array<std::string, kMaxMelodyLength>& melodyLengthNames();
