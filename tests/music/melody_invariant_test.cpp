#include "music/melody_generator.h"

#include "music/keys.h"
#include "music/pitch.h"
#include "music/scales.h"
#include "music/uniform_random_source.h"

#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

std::string describe(const MelodySettings& s)
{
    std::ostringstream out;
    out << "melosize " << s.melosize << " scale " << s.scale << " keySignature " << s.keySignature
        << " mode " << s.mode << " range " << s.range << " level " << s.level << " drilltype "
        << s.drilltype << " noteName " << s.noteName << " custMelody " << s.custMelody;
    return out.str();
}

// Custom melody files with good lines and bad ones.
void writeMelodyFiles(const TempDir& dir)
{
    dir.write("mel.ssc", "Good,60,62,64\r\r\nLow and high,20,36,83,84\n,,,\r\nEmpty\r\n"
                         "Long,36,37,38,39,40,41,42,43,44,45,46,47,48,49,50,51\r\n");
    dir.write("mel2.ssc", "GUITAR one,40,45,50\r\nGUITAR two,52,55,-3\r\nPlain,83\r\n");
}

// Over thousands of drills with random settings and draws: every note lies in
// the drill range, and its staff step and accidental name its note index.
TEST(MelodyInvariant, EveryNoteIsInRangeAndSpelledAsItSounds)
{
    TempDir dir;
    writeMelodyFiles(dir);
    MelodyGenerator generator(dir.path());
    UniformRandomSource random(4242);
    const ScaleList& scales = builtInScales();

    for (int run = 0; run < 20000; ++run) {
        MelodySettings s;
        s.melosize = 1 + random.Random(12);
        s.scale = random.Random(16);
        s.mode = random.Random(16); // past the built-in list: a user scale
        s.scaleBits =
            scaleBitsOf(s.mode < kBuiltInScaleCount ? scales[s.mode].mask : random.Random(4096));
        s.keySignature =
            settleDrillKey(s.scale, s.mode, 1 + random.Random(15), random).keySignature;
        s.range = random.Random(6);
        s.level = random.Random(3);
        s.drilltype = random.Random(4);
        s.noteName = random.Random(3);
        s.custMelody = random.Random(6);

        const Melody m = generator.generate(s, random);
        ASSERT_GE(m.noteCount, 1) << describe(s);
        ASSERT_LE(m.noteCount, 13) << describe(s);
        for (int i = 0; i < m.noteCount; ++i) {
            const std::string where = describe(s) + " note " + std::to_string(i);
            ASSERT_GE(m.noteIndex[i], 0) << where;
            ASSERT_LE(m.noteIndex[i], 47) << where;
            ASSERT_GE(m.step[i], 0) << where;
            ASSERT_LE(m.step[i], 27) << where;
            const int a = m.accidental[i];
            ASSERT_TRUE(a == kNoAccidental || a == kSharp || a == kFlat) << where;
            const int spelled = noteIndexOfStep[m.step[i]] + (a == kSharp  ? 1
                                                              : a == kFlat ? -1
                                                                           : 0);
            ASSERT_EQ(spelled, m.noteIndex[i]) << where;
        }
    }
}

} // namespace
