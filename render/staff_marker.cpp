#include "render/staff_marker.h"

#include "render/layout_top.h"
#include "render/note_glyphs.h"

void drawStaffMarker(gdi::Canvas& dc, const NoteBitmaps& art, const StaffMarker& marker)
{
    dc.blit(marker.column, marker.y, 10, 7, art.note, 0, 0, gdi::RasterOp::And);
    drawAccidental(dc, art, marker.column, marker.y, marker.accidental);
}

void eraseStaffMarker(gdi::Canvas& dc, const ColourTable& colours, const NoteBitmaps& art,
                      const StaffMarker& marker)
{
    const int left = marker.column - 13;
    dc.fill(left, marker.y - 6, 23, marker.bottom() - marker.y + 10, colours[colour::paper]);
    dc.blit(left, layoutTop + 255, 23, 61, art.score, 0, 0, gdi::RasterOp::And);
}
