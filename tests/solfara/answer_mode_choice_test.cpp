#include "solfara/answer_mode_choice.h"

#include <gtest/gtest.h>

namespace {

TEST(AnswerModeChoice, EachBandFromEachMode)
{
    const ListeningState mic{2, false, false}, mutedPiano{0, true, true}, guitar{1, true, false};
    const struct {
        const char* name;
        ModeBand band;
        ListeningState from;
        ListeningState to;
        bool start, stop, micButton, newMelody;
    } rows[] = {
        // clang-format off
        {"mic from muted piano listens again", ModeBand::Mic, mutedPiano, {2, false, false}, true, false, false, false},
        {"mic while in mic", ModeBand::Mic, mic, {2, false, false}, true, false, false, false},
        {"piano from mic stops listening", ModeBand::Piano, mic, {0, true, false}, false, true, true, false},
        {"piano again stops capture again", ModeBand::Piano, mutedPiano, {0, true, true}, false, true, true, false},
        {"guitar always starts a new melody", ModeBand::Guitar, guitar, {1, true, false}, false, true, true, true},
        {"guitar from mic", ModeBand::Guitar, mic, {1, true, false}, false, true, true, true},
        {"boundary row in piano still stops listening", ModeBand::None, {0, false, false}, {0, true, false}, false, true, true, false},
        {"boundary row in guitar also draws a new melody", ModeBand::None, guitar, {1, true, false}, false, true, true, true},
        {"boundary row in mic changes nothing", ModeBand::None, mic, mic, false, false, false, false},
        // clang-format on
    };
    for (const auto& r : rows) {
        const AnswerModeChoice c = chooseAnswerMode(r.band, r.from);
        EXPECT_EQ(c.state.noteName, r.to.noteName) << r.name;
        EXPECT_EQ(c.state.micOff, r.to.micOff) << r.name;
        EXPECT_EQ(c.state.micMuted, r.to.micMuted) << r.name;
        EXPECT_EQ(c.startCapture, r.start) << r.name;
        EXPECT_EQ(c.stopCapture, r.stop) << r.name;
        EXPECT_EQ(c.micButtonVisible, r.micButton) << r.name;
        EXPECT_EQ(c.newMelody, r.newMelody) << r.name;
    }
}

} // namespace
