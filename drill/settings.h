#pragma once

#include <cstdint>

// The twenty user settings, with the values of a fresh installation. Each is
// a 32-bit integer; the meaning and range of each is given beside it.
struct Settings {
    std::int32_t autostart = 1;  // 1: after the last sung note, banner and a new drill at once
    std::int32_t cycles = 1;     // extra matching blocks before a note counts, 1..9
    std::int32_t range = 1;      // voice range 0..5, Soprano .. Bass
    std::int32_t melosize = 7;   // notes of a composed melody, 1..12
    std::int32_t scale = 1;      // key index 0..15, 0 = a random key every drill
    std::int32_t numScales = 14; // entries of the scale list
    std::int32_t mode = 0;       // index of the drilled scale in the scale list
    std::int32_t level = 1;      // 0 Beginner, 1 Intermediate, 2 Advanced
    std::int32_t midi = -1;      // MIDI output device, -1 = the mapper
    std::int32_t midiVol = 100;  // note-on velocity, 0..128
    std::int32_t miditimbre = 0; // General MIDI program, 0..127
    std::int32_t micVol = 63;    // microphone gain, 63 = unity, 0..128
    std::int32_t micFilter = 10; // silence threshold, 0..128
    std::int32_t A = 440;        // tuning of A in Hz, 430..450
    std::int32_t transpose = 24; // 0..48, semitone offset transpose - 24
    std::int32_t notation = 1;   // 0 letter names, 1 Do-Re-Mi names
    std::int32_t noteName = 2;   // answer mode: 0 piano, 1 guitar, 2 microphone only
    std::int32_t drilltype = 1;  // 1 composed, 2 random custom melody, 3 melody custMelody
    std::int32_t custMelody = 0; // line of the chosen custom melody
    std::int32_t shapeNote = 0;  // 1: shaped note heads

    bool operator==(const Settings&) const = default;
};
