#pragma once

#include "base/version.h"

// The main window's title.
inline constexpr const char* titleText = kSolfaraTitle;
