#include "midi/melody_playback.h"
#include "platform/testing/midi_recording.h"
#include "tests/support/event_loop.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using Messages = std::vector<std::uint32_t>;
using Events = std::vector<std::string>;

// Playback through a recording port. Only the order of what happens is
// checked: the timing is measured in bench/.
struct MelodyPlaybackTest : testing::Test {
    SteadyClock clock;
    RecordingMidiOutputSystem system{{"Synth"}, clock};
    MidiOut out{system};
    MelodyPlayback playback{out};
    Events events; // callbacks, each with the message count at that moment
    std::optional<bool> stopped;

    MelodyPlaybackTest() { EXPECT_TRUE(out.reopen(-1)); }

    // Plays `notes` at 20 ms each; the highlight of note `stopAt` asks to stop.
    void play(const std::vector<int>& notes, MelodyPlayback::Sound sound, int stopAt = -1)
    {
        auto count = [this] { return std::to_string(system.recording()->messages().size()); };
        auto highlight = [=, this](int i) {
            events.push_back("on" + std::to_string(i) + "@" + count());
            if (i == stopAt)
                playback.requestStop();
        };
        auto unhighlight = [=, this](int i) {
            events.push_back("off" + std::to_string(i) + "@" + count());
        };
        playback.play(notes, sound, {highlight, unhighlight, [this](bool s) { stopped = s; }}, 20);
    }
    void waitUntilFinished()
    {
        ASSERT_TRUE(runEventsUntil([&] { return stopped.has_value(); }));
    }
    Messages sent()
    {
        Messages result;
        for (const auto& m : system.recording()->messages())
            result.push_back(m.message);
        return result;
    }
};

TEST_F(MelodyPlaybackTest, SendsTimbreOnBothChannelsThenEachNoteInOrder)
{
    play({33, 24, 28}, {40, 128, 24});
    EXPECT_TRUE(playback.isPlaying());
    waitUntilFinished();

    EXPECT_EQ(sent(), (Messages{packShortMessage(0xC0, 40, 94), packShortMessage(0xCC, 40, 94),  //
                                packShortMessage(0x90, 69, 127), packShortMessage(0x80, 69, 94), //
                                packShortMessage(0x90, 60, 127), packShortMessage(0x80, 60, 94), //
                                packShortMessage(0x90, 64, 127), packShortMessage(0x80, 64, 94)}));
    // Each highlight follows its note-on, each removal its note-off.
    EXPECT_EQ(events, (Events{"on0@3", "off0@4", "on1@5", "off1@6", "on2@7", "off2@8"}));
    EXPECT_FALSE(*stopped);
    EXPECT_FALSE(playback.isPlaying());
}

TEST_F(MelodyPlaybackTest, StopRequestEndsAfterTheCurrentNote)
{
    play({0, 2, 4}, {0, 0, 12}, 1); // the note-off of the second note still follows
    waitUntilFinished();
    EXPECT_TRUE(*stopped);
    EXPECT_EQ(events, (Events{"on0@3", "off0@4", "on1@5", "off1@6"}));
    // An octave down, and a midiVol of 0 gives silent note-ons.
    EXPECT_EQ(sent().back(), packShortMessage(0x80, 26, 94));
    EXPECT_EQ(sent()[2], packShortMessage(0x90, 24, 0));
}

TEST_F(MelodyPlaybackTest, ClosedOutputStillRunsTheHighlightsSilently)
{
    out.close();
    system.recording()->clear();
    play({0, 2}, {});
    waitUntilFinished();
    EXPECT_TRUE(sent().empty());
    EXPECT_EQ(events, (Events{"on0@0", "off0@0", "on1@0", "off1@0"}));
    EXPECT_FALSE(*stopped);
}

} // namespace
