#include "drill/drill.h"
#include "tests/support/scripted_random_source.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

Melody melodyOf(std::vector<int> notes)
{
    Melody m;
    m.noteCount = static_cast<int>(notes.size());
    for (std::size_t i = 0; i < notes.size(); ++i)
        m.noteIndex[i] = notes[i];
    return m;
}

DetectionResult heard(int note)
{
    return {.outcome = BlockOutcome::Note, .sungNote = note};
}
DetectionResult silence()
{
    return {.outcome = BlockOutcome::Silent};
}

// Blocks as the detector reports them; 's' silent, 'w' a wrong note, 'm' the due note.
bool acceptsAfter(Drill& drill, const std::string& blocks, int cycles)
{
    bool accepted = false;
    for (char b : blocks) {
        const int due = *drill.dueNote();
        accepted = drill.judgeBlock(b == 's' ? silence() : heard(b == 'm' ? due : due + 1), cycles);
    }
    return accepted;
}

TEST(Drill, TheDueNoteNeedsCyclesPlusOneMatchesWithNoWrongNoteBetween)
{
    const struct {
        const char* name;
        const char* blocks;
        int cycles;
        bool accepted;
    } cases[] = {
        {"two matches with cycles 1", "mm", 1, true},
        {"match, wrong, match", "mwm", 1, false},
        {"silence between matches does not matter", "mssssm", 1, true},
        {"wrong note restarts the count", "mmwmm", 2, false},
        {"three matches with cycles 2", "mmwmmm", 2, true},
        {"one match is not enough", "m", 1, false},
    };
    for (const auto& c : cases) {
        Drill drill;
        drill.begin(melodyOf({24, 26, 28}));
        EXPECT_EQ(acceptsAfter(drill, c.blocks, c.cycles), c.accepted) << c.name;
    }
}

TEST(Drill, SkipRequestReadsTheNextAnalysedBlockAsTheDueNoteOnce)
{
    Drill drill;
    drill.begin(melodyOf({24, 26}));
    EXPECT_FALSE(drill.skipTo());
    drill.requestSkip();
    EXPECT_EQ(drill.skipTo(), 24);
    EXPECT_FALSE(drill.judgeBlock(silence(), 3)); // a muted block keeps the request
    EXPECT_TRUE(drill.skipRequest());
    EXPECT_TRUE(
        drill.judgeBlock({.outcome = BlockOutcome::Note, .sungNote = 24, .skipped = true}, 3));
    EXPECT_FALSE(drill.skipRequest());
}

TEST(Drill, AcceptanceWalksTheMelodyToItsEnd)
{
    for (bool autostart : {true, false}) {
        Drill drill;
        drill.begin(melodyOf({24, 26, 28, 29, 31, 33, 35, 36, 38, 40, 41, 43, 45})); // 13 notes
        for (int n = 0; n < 12; ++n)
            ASSERT_EQ(drill.accept(autostart), Drill::Acceptance::NextNote);
        EXPECT_EQ(drill.currentNoteIndex(), 12);
        if (autostart) {
            EXPECT_EQ(drill.accept(true), Drill::Acceptance::LastWithBanner);
            continue;
        }
        EXPECT_EQ(drill.accept(false), Drill::Acceptance::LastFinished);
        // Over: nothing is due, nothing more is accepted (no entry past the 13th is touched).
        EXPECT_TRUE(drill.finished());
        EXPECT_FALSE(drill.dueNote());
        EXPECT_FALSE(drill.judgeBlock(heard(0), 1));
        EXPECT_FALSE(drill.judgeBlock(heard(0), 1));
        EXPECT_EQ(drill.accept(false), Drill::Acceptance::AlreadyOver);
        drill.requestSkip();
        EXPECT_FALSE(drill.skipTo());

        drill.restart();
        EXPECT_EQ(drill.dueNote(), 24);
    }
}

TEST(Drill, ARandomKeyIsDrawnOnlyWhenScaleIsZero)
{
    ScriptedRandomSource random{13};
    Drill drill;
    drill.chooseKey(3, random);
    EXPECT_EQ(drill.keySignature(), 1);
    drill.chooseKey(0, random);
    EXPECT_EQ(drill.keySignature(), 14);
    EXPECT_EQ(random.bounds(), std::vector<int>{14}); // code 15 is never drawn
}

} // namespace
