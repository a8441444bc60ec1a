#pragma once

#include "music/keys.h"
#include "music/pitch.h"

#include <ostream>
#include <string_view>

// Table rows name a note's sign in one word, and failures print it by name.
inline constexpr Accidental plain = Accidental::None;
inline constexpr Accidental sharp = Accidental::Sharp;
inline constexpr Accidental flat = Accidental::Flat;
inline constexpr Accidental natural = Accidental::Natural;

inline void PrintTo(Accidental a, std::ostream* os)
{
    *os << (a == plain ? "plain" : a == sharp ? "sharp" : a == flat ? "flat" : "natural");
}

// The signs of a signature letter by letter from C: "...#..." is F sharp, 'b' a flat.
inline KeyAccidentals signsOf(std::string_view letters)
{
    KeyAccidentals marks{};
    for (std::size_t i = 0; i < marks.size() && i < letters.size(); ++i)
        marks[i] = letters[i] == '#' ? sharp : letters[i] == 'b' ? flat : plain;
    return marks;
}
