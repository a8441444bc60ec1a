#pragma once

#include <QCursor>
#include <QImage>

#include <string_view>

// Bitmaps and cursors compiled into the program (the "artwork" resources), looked up by
// name without regard to case: "NOTE1", "note1" and "Note1" are the same bitmap. Numeric
// resource names of the old resource script ("172", "146", "147", "149") are accepted too.
namespace gdi {

// The bitmap as RGB32, or a null image when there is none of that name; blitting a null
// image draws nothing, so a missing bitmap never stops the drawing.
QImage loadBitmap(std::string_view name);

// The cursor of that name with its hot spot, or the arrow cursor when there is none.
QCursor loadCursor(std::string_view name);

} // namespace gdi
