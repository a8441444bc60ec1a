#include "midi/melody_playback.h"
#include "platform/midi/midi_recording.h"

#include <QEventLoop>
#include <QTimer>
#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using Messages = std::vector<std::uint32_t>;

struct MelodyPlaybackTest : testing::Test {
    SteadyClock clock;
    RecordingMidiOutputSystem system{{"Synth"}, clock};
    MidiOut out{system};
    MelodyPlayback playback{out};
    std::vector<std::string> events; // callbacks, each with the message count at that moment
    std::optional<bool> stopped;

    MelodyPlaybackTest() { out.reopen(-1); }

    MelodyPlayback::Callbacks callbacks()
    {
        auto count = [this] { return std::to_string(system.recording()->messages().size()); };
        return {
            [this, count](int i) { events.push_back("on" + std::to_string(i) + "@" + count()); },
            [this, count](int i) { events.push_back("off" + std::to_string(i) + "@" + count()); },
            [this](bool s) { stopped = s; }};
    }

    void waitUntilFinished()
    {
        QEventLoop loop;
        QTimer poll;
        poll.callOnTimeout([&] {
            if (stopped)
                loop.quit();
        });
        poll.start(1);
        QTimer::singleShot(5000, &loop, &QEventLoop::quit);
        loop.exec();
        ASSERT_TRUE(stopped) << "playback did not finish";
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
    playback.play({33, 24, 28}, {40, 128, 24}, callbacks(), 5);
    EXPECT_TRUE(playback.isPlaying());
    waitUntilFinished();

    EXPECT_EQ(sent(), (Messages{packShortMessage(0xC0, 40, 94), packShortMessage(0xCC, 40, 94),  //
                                packShortMessage(0x90, 69, 127), packShortMessage(0x80, 69, 94), //
                                packShortMessage(0x90, 60, 127), packShortMessage(0x80, 60, 94), //
                                packShortMessage(0x90, 64, 127), packShortMessage(0x80, 64, 94)}));
    // Each highlight follows its note-on, each removal its note-off.
    EXPECT_EQ(events,
              (std::vector<std::string>{"on0@3", "off0@4", "on1@5", "off1@6", "on2@7", "off2@8"}));
    EXPECT_FALSE(*stopped);
    EXPECT_FALSE(playback.isPlaying());
    EXPECT_EQ(out.currentKey, 64);
}

TEST_F(MelodyPlaybackTest, StopRequestEndsAfterTheCurrentNote)
{
    auto cb = callbacks();
    auto highlight = cb.highlight;
    cb.highlight = [&](int i) {
        highlight(i);
        if (i == 1)
            playback.requestStop();
    };
    playback.play({0, 2, 4, 5}, {}, cb, 5);
    waitUntilFinished();
    EXPECT_TRUE(*stopped);
    EXPECT_EQ(events, (std::vector<std::string>{"on0@3", "off0@4", "on1@5", "off1@6"}));
    EXPECT_EQ(sent().back(), packShortMessage(0x80, 38, 94));
}

TEST_F(MelodyPlaybackTest, StopRequestDuringANoteFromTheEventLoop)
{
    playback.play({0, 2, 4}, {0, 0, 12}, callbacks(), 60);
    QTimer::singleShot(15, [&] { playback.requestStop(); });
    waitUntilFinished();
    EXPECT_TRUE(*stopped);
    EXPECT_EQ(events, (std::vector<std::string>{"on0@3", "off0@4"}));
    // An octave down, and a midiVol of 0 gives silent note-ons.
    EXPECT_EQ(sent()[2], packShortMessage(0x90, 24, 0));
}

TEST_F(MelodyPlaybackTest, ClosedOutputStillRunsTheHighlightsSilently)
{
    out.close();
    system.recording()->clear();
    playback.play({0, 2}, {}, callbacks(), 5);
    waitUntilFinished();
    EXPECT_TRUE(sent().empty());
    EXPECT_EQ(events, (std::vector<std::string>{"on0@0", "off0@0", "on1@0", "off1@0"}));
    EXPECT_FALSE(*stopped);
}

} // namespace
