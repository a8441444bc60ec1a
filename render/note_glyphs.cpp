#include "render/note_glyphs.h"

#include "music/keys.h"
#include "music/pitch.h"

using gdi::RasterOp;

bool stemUp(Staff staff, int y)
{
    return staff == Staff::Melody ? y > 147 : y >= 292;
}

void drawStemmedNote(gdi::Canvas& dc, const NoteBitmaps& art, Staff staff, int x, int y,
                     bool highlighted, bool fullHeight)
{
    const int height = fullHeight ? 28 : 27;
    if (stemUp(staff, y))
        dc.blit(x, y - 20, 10, height, highlighted ? art.note10 : art.note1, 0, 0, RasterOp::And);
    else
        dc.blit(x, y - 1, 10, height, highlighted ? art.note20 : art.note2, 0, 0, RasterOp::And);
}

int shapeDegree(int step, ScaleMode mode, DrillType drilltype, int drillKey)
{
    if (!spellsOwnAccidentals(mode, drilltype))
        return ((step - tonicLetter(drillKey)) % 7 + 7) % 7;
    return letterOfStep(step);
}

void drawShapedHead(gdi::Canvas& dc, const NoteBitmaps& art, int x, int y, int degree,
                    bool highlighted)
{
    if (degree < 0 || degree > 6)
        return;
    const QImage& head = highlighted   ? art.highlightedShapes[degree]
                         : degree == 0 ? art.doshape
                                       : art.shapes[degree];
    dc.blit(x, y - 1, 13, 9, head, 0, 0, RasterOp::And);
}

void drawAccidental(gdi::Canvas& dc, const NoteBitmaps& art, int x, int y, Accidental accidental)
{
    switch (accidental) {
    case Accidental::Sharp:
        dc.blit(x - 6, y - 3, 6, 14, art.diez, 0, 0, RasterOp::And);
        break;
    case Accidental::Flat:
        dc.blit(x - 6, y - 6, 6, 14, art.bemol, 0, 0, RasterOp::And);
        break;
    case Accidental::Natural:
        dc.blit(x - 6, y - 3, 5, 14, art.becar, 0, 0, RasterOp::And);
        break;
    default:
        break;
    }
}

int trebleEquivalentPosition(ClefCase clef, int staffBaseWithTop, int y)
{
    int a = staffBaseWithTop;
    if (clef == ClefCase::Guitar)
        a += 21;
    else if (clef == ClefCase::Bass)
        a += 36;
    const int diff = a - y;
    return diff >= 0 ? diff / 3 : -((-diff + 2) / 3); // rounds towards lower positions
}

void drawLedgerLines(gdi::Canvas& dc, ClefCase clef, int x, int y, int staffBaseWithTop)
{
    const int p = trebleEquivalentPosition(clef, staffBaseWithTop, y);
    const int a = staffBaseWithTop + (clef == ClefCase::Guitar ? 21
                                      : clef == ClefCase::Bass ? 36
                                                               : 0);
    const gdi::Pen pen = gdi::Pen::solid(gdi::black);
    auto lineAt = [&](int q, int from, int to) {
        const int yq = a - 3 * q + 3;
        dc.line(from, yq, to, yq, pen);
    };
    if (p >= 0 && p <= 14) {
        if (p == 14) {
            lineAt(14, x - 3, x + 13);
            return;
        }
        for (int q = p % 2 == 0 ? p : p + 1; q <= 14; q += 2)
            lineAt(q, x - 2, x + 14);
    } else if (p >= 26 && p <= 39) {
        for (int q = 26; q <= p; q += 2)
            lineAt(q, x - 3, x + 13);
    }
}

int restCountAfter(int noteCount)
{
    if (noteCount <= 0 || noteCount >= 13 || noteCount % 4 == 0)
        return 0;
    return 4 - noteCount % 4;
}

int drawRests(gdi::Canvas& dc, const NoteBitmaps& art, int firstNoteX, int noteCount)
{
    const int rests = restCountAfter(noteCount);
    for (int r = 0; r < rests; ++r)
        dc.blit(firstNoteX + kColumnWidth * (noteCount + r), layoutTop + 115, 7, 20, art.rest, 0, 0,
                RasterOp::And);
    return rests;
}
