#pragma once

// Height of the self-drawn title strip of the main window; most y coordinates of the
// window are given below it ("L + n").
inline constexpr int layoutTop = 25;
