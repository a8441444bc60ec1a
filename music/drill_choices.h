#pragma once

#include "music/answer_mode.h"

// The user's choices that shape a drill, as the program reasons about them. The settings
// file keeps each as a number (`drilltype`, `mode`, `notation`); these read them.

// Where the melody comes from: composed by the program, a custom melody drawn at random,
// or the one custom melody chosen by its line.
enum class DrillType { Composed, RandomCustom, FixedCustom };

// `drilltype` 2 and 3 are the custom drills; any other value, a 0 from a hand-edited file
// included, composes.
constexpr DrillType drillTypeOf(int drilltype)
{
    return drilltype == 2 ? DrillType::RandomCustom
           : drilltype == 3 ? DrillType::FixedCustom
                            : DrillType::Composed;
}

constexpr bool isCustomDrill(DrillType type)
{
    return type != DrillType::Composed;
}

// How a drilled scale is written: MAJOR and MINOR (list positions 0 and 1) in diatonic
// steps under a key signature, every other scale of the list with its own signs.
enum class ScaleMode { Major, Minor, Other };

constexpr ScaleMode scaleModeOf(int mode)
{
    return mode == 0 ? ScaleMode::Major : mode == 1 ? ScaleMode::Minor : ScaleMode::Other;
}

constexpr bool isDiatonic(ScaleMode mode)
{
    return mode != ScaleMode::Other;
}

// The names notes are shown by: letters ("C,D,E") for `notation` 0, solfege ("Do,Re,Mi")
// for any other value.
enum class Notation { Letters, Solfege };

constexpr Notation notationOf(int notation)
{
    return notation == 0 ? Notation::Letters : Notation::Solfege;
}
