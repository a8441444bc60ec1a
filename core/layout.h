#pragma once

// Height of the self-drawn title strip; most y coordinates of the main window
// are given below it.
inline constexpr int layoutTop = 25;
