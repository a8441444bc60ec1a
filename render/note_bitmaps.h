#pragma once

#include <QImage>

#include <array>

// The glyph bitmaps of the staff, loaded once at start-up. All are black on white and are
// combined with the paper by AND; a bitmap that failed to load is a null image and draws
// nothing.
struct NoteBitmaps {
    QImage sol;                   // treble clef, 24 x 41
    QImage fa;                    // bass clef, 22 x 30
    QImage rest;                  // quarter rest, 7 x 20
    QImage score;                 // five staff-line pieces, 32 x 30
    QImage note;                  // open head without stem (pitch and key-press marker), 10 x 7
    QImage note1;                 // quarter note, stem up, 10 x 28
    QImage note2;                 // quarter note, stem down, 10 x 28
    QImage note10;                // highlighted, stem up
    QImage note20;                // highlighted, stem down
    QImage becar;                 // natural, 5 x 14
    QImage diez;                  // sharp, 5 x 14
    QImage bemol;                 // flat, 5 x 14
    QImage congrats;              // banner lettering, 136 x 14
    std::array<QImage, 7> shapes; // "Do_shape" .. "Si_shape", 13 x 9
    std::array<QImage, 7> highlightedShapes; // "Do_shape2" .. "Si_shape2"
    QImage doshape;                          // the tonic's shaped head, 16 x 15
    QImage micButton;                        // four 26 x 24 frames side by side
};

// Loads every bitmap by its resource name.
NoteBitmaps loadNoteBitmaps();
