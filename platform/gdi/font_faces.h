#pragma once

#include <QFont>

#include <string>

// Fonts requested the GDI way: a face name, a cell height and an average character width in
// pixels, a weight of 100..900. The face names the programs use ("Helv", "MS Sans Serif",
// "Arial", "Arial Narrow", "Times New Roman", "Pica", "Elite") are mapped to the installed
// Liberation fonts by one table.
namespace gdi {

enum class FontFamily { DontCare, Roman, Swiss, Modern, Script, Decorative };

struct FontSpec {
    std::string face = "Helv";
    int height = 0; // cell height in pixels (ascent + descent); 0 = a default size
    int width = 0;  // average character width in pixels; 0 = the face's own proportions
    int weight = 400;
    bool italic = false;
    bool underline = false;
    FontFamily family = FontFamily::DontCare;
    bool fixedPitch = false;
};

// The installed family that stands in for a face name ("Helv" -> "Liberation Sans"). Unknown
// names fall back by family: Modern to Liberation Mono, Roman to Liberation Serif, anything
// else to Liberation Sans.
std::string substituteFace(const std::string& face, FontFamily family = FontFamily::DontCare);

// Registers every face name of the table with Qt's own substitution list, so a plain
// QFont("Helv") in a dialog finds the same font. Safe to call more than once.
void installFontSubstitutions();

// A QFont for the request: pixel size chosen so the cell height matches, stretched to the
// requested average width where the face honours widths, never antialiased (exact pixels).
QFont makeFont(const FontSpec& wanted);

} // namespace gdi
