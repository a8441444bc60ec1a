#pragma once

#include "music/melody_generator.h"
#include "tests/support/accidentals.h"
#include "tests/support/scripted_random_source.h"
#include "platform/testing/temp_dir.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

// Each note of a melody: its staff step, its sign and the note index it sounds.
struct SpelledNote {
    int step;
    Accidental accidental;
    int index;
    bool operator==(const SpelledNote&) const = default;
};

inline void PrintTo(const SpelledNote& n, std::ostream* os)
{
    *os << "{step " << n.step << ", ";
    PrintTo(n.accidental, os);
    *os << ", index " << n.index << "}";
}

inline std::vector<SpelledNote> notesOf(const Melody& m)
{
    std::vector<SpelledNote> notes;
    for (int i = 0; i < m.noteCount; ++i)
        notes.push_back({m.step[i], m.accidental[i], m.noteIndex[i]});
    return notes;
}

// A melody generator over a temporary data directory.
class GeneratorTest : public ::testing::Test {
protected:
    // Generates with scripted draws, every one of which must be used, and
    // keeps the bounds they were drawn with.
    Melody generate(const MelodySettings& settings, std::vector<int> draws)
    {
        ScriptedRandomSource random(std::move(draws));
        Melody melody = generator.generate(settings, random);
        EXPECT_TRUE(random.exhausted());
        bounds = random.bounds();
        return melody;
    }

    TempDir dir;
    MelodyGenerator generator{dir.path()};
    std::vector<int> bounds;
};
