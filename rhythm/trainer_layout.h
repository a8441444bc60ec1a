#pragma once

// Where things sit in the beatwise window's 400 × 220 client area. The display
// draws at these places and the trainer hit-tests the mouse against them, so
// both read them from here.
namespace layout {

constexpr int clientWidth = 400;
constexpr int clientHeight = 220;

// A drawn box: a button, the slider thumb, the tempo box.
struct Box {
    int x, y, width, height;

    // A point strictly inside the box's outline.
    constexpr bool contains(int px, int py) const
    {
        return x < px && px < x + width && y < py && py < y + height;
    }
};
constexpr Box metronomeButton{150, 70, 100, 28};
constexpr Box helpButton{375, 155, 15, 15};
constexpr Box tempoBox{175, 110, 50, 20};
constexpr int dialLeft = 20, dialTop = 10, dialRight = 380, dialBottom = 40;

} // namespace layout
