#pragma once

inline constexpr const char* kSolfaraVersion = "2.5";
// The main window's title.
inline constexpr const char* titleText = "Solfara 2.5";
