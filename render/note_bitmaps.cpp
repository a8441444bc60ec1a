#include "render/note_bitmaps.h"

#include "platform/gdi/artwork_loader.h"

#include <string>

NoteBitmaps loadNoteBitmaps()
{
    using gdi::loadBitmap;
    NoteBitmaps b;
    b.fa = loadBitmap("FA");
    b.sol = loadBitmap("SOL");
    b.rest = loadBitmap("REST");
    b.score = loadBitmap("SCORE");
    b.note = loadBitmap("NOTE");
    b.note1 = loadBitmap("NOTE1");
    b.note2 = loadBitmap("NOTE2");
    b.becar = loadBitmap("BECAR");
    b.diez = loadBitmap("DIEZ");
    b.bemol = loadBitmap("BEMOL");
    b.note10 = loadBitmap("NOTE10");
    b.note20 = loadBitmap("NOTE20");
    b.congrats = loadBitmap("CONGRATS");
    static constexpr const char* syllables[7] = {"Do", "Re", "Mi", "Fa", "Sol", "La", "Si"};
    for (int d = 0; d < 7; ++d) {
        b.shapes[d] = loadBitmap(std::string(syllables[d]) + "_shape");
        b.highlightedShapes[d] = loadBitmap(std::string(syllables[d]) + "_shape2");
    }
    b.doshape = loadBitmap("Doshape");
    b.micButton = loadBitmap("172");
    return b;
}
