#include "platform/testing/manual_clock.h"
#include "solfara/intro_sequence.h"

#include "midi/midi_out.h"
#include "music/uniform_random_source.h"
#include "platform/testing/midi_recording.h"
#include "tests/support/event_loop.h"
#include "tests/support/pixel_count.h"

#include <QImage>

#include <gtest/gtest.h>

#include <optional>

namespace {

using Messages = std::vector<std::uint32_t>;

constexpr std::uint32_t noteOn(int key)
{
    return packShortMessage(0x90, key, 100);
}
constexpr std::uint32_t noteOff(int key)
{
    return packShortMessage(0x80, key, 80);
}
constexpr std::uint32_t programSixteen = packShortMessage(0xC0, 16, 0);
const Messages noteOffs{noteOff(33), noteOff(38), noteOff(40), noteOff(45)};

// The intro on a window-sized canvas, sounding through a recording port. With
// the default zero durations the whole intro runs inside RunIntro, and a test
// "clicks" from the callback that follows a frame.
struct IntroTest : testing::Test {
    static constexpr std::uint32_t seed = 4242;
    QImage image{500, 494, QImage::Format_RGB32};
    gdi::Canvas canvas{image};
    ColourTable colours = fillColours();
    ManualClock clock;
    RecordingMidiOutputSystem system{{"Synth"}, clock};
    MidiOut out{system};
    UniformRandomSource random{seed};
    std::optional<IntroSequence> intro;
    std::vector<std::size_t> sentByFrame; // messages sent once frame i was shown
    std::function<void(int shown)> afterFrame = [](int) {};
    int finishedCalls = 0;

    IntroTest() { EXPECT_TRUE(out.reopen(-1)); }

    void run(IntroTiming timing = {0, 0, 0})
    {
        image.fill(gdi::white);
        intro.emplace(canvas, out, random, timing);
        intro->RunIntro(
            colours,
            [this] {
                sentByFrame.push_back(sent().size());
                afterFrame(int(sentByFrame.size()));
            },
            [this] { ++finishedCalls; });
    }
    Messages sent() const
    {
        Messages result;
        for (const auto& m : system.recording()->messages())
            result.push_back(m.message);
        return result;
    }
    // The frame (0 = first) in which the n-th message went out.
    int frameOfMessage(std::size_t n) const
    {
        for (std::size_t f = 0; f < sentByFrame.size(); ++f)
            if (sentByFrame[f] > n)
                return int(f);
        return -1;
    }
    int count(gdi::Colour c) const { return countPixels(canvas, 0, 0, 500, 494, c); }
};

TEST_F(IntroTest, TheFlightSoundsItsNotesOnTheirFrames)
{
    afterFrame = [&](int) { // only the left button skips
        intro->mousePressed(Qt::RightButton);
        intro->mousePressed(Qt::MiddleButton);
    };
    run();
    EXPECT_EQ(finishedCalls, 1);
    EXPECT_FALSE(intro->isRunning());
    EXPECT_FALSE(intro->skipped());
    EXPECT_EQ(intro->framesDrawn(), 100);
    ASSERT_EQ(sentByFrame.size(), 101u); // 100 frames and the banner

    Messages expected{programSixteen, noteOn(33), noteOn(38), noteOn(40), noteOn(45)};
    expected.insert(expected.end(), noteOffs.begin(), noteOffs.end());
    EXPECT_EQ(sent(), expected);
    EXPECT_EQ(frameOfMessage(0), 0);
    EXPECT_EQ(frameOfMessage(1), 0);
    EXPECT_EQ(frameOfMessage(2), 19);
    EXPECT_EQ(frameOfMessage(3), 38);
    EXPECT_EQ(frameOfMessage(4), 100); // with the banner
}

TEST_F(IntroTest, LeftClickInAFrameEndsTheFlightThereSkipsTheBannerButReleasesAllNotes)
{
    struct Row {
        const char* name;
        int frame; // 0 = the first
        Messages noteOns;
    } rows[] = {
        {"first frame", 0, {noteOn(33)}},
        {"frame before the second note", 18, {noteOn(33)}},
        {"frame of the second note", 19, {noteOn(33), noteOn(38)}},
        {"frame of the third note", 38, {noteOn(33), noteOn(38), noteOn(40)}},
        {"last frame", 99, {noteOn(33), noteOn(38), noteOn(40)}},
    };
    for (const Row& row : rows) {
        system.recording()->clear();
        sentByFrame.clear();
        finishedCalls = 0;
        afterFrame = [&](int shown) {
            if (shown == row.frame + 1)
                intro->mousePressed(Qt::LeftButton);
        };
        run();
        EXPECT_EQ(finishedCalls, 1) << row.name;
        EXPECT_TRUE(intro->skipped()) << row.name;
        EXPECT_EQ(intro->framesDrawn(), row.frame + 1) << row.name;
        Messages expected{programSixteen};
        expected.insert(expected.end(), row.noteOns.begin(), row.noteOns.end());
        expected.insert(expected.end(), noteOffs.begin(), noteOffs.end());
        EXPECT_EQ(sent(), expected) << row.name;
        EXPECT_EQ(count(colours[16]), 0) << row.name << ": no banner";
    }
}

// Real timers: the press arrives while a frame is on screen (or while the
// banner stands), between timer callbacks, as a user's press would.
TEST_F(IntroTest, LeftClickBetweenFramesEndsTheFlightWithTheFrameOnScreen)
{
    run({5, 1, 1});
    ASSERT_TRUE(runEventsUntil([&] { return intro->framesDrawn() >= 3; }));
    const int onScreen = intro->framesDrawn();
    intro->mousePressed(Qt::LeftButton);
    ASSERT_TRUE(runEventsUntil([&] { return finishedCalls == 1; }));
    EXPECT_EQ(intro->framesDrawn(), onScreen);
    EXPECT_TRUE(intro->skipped());
    // A loaded machine may have drawn past frame 19 or 38 before the press:
    // exactly the notes of the frames on screen have sounded.
    Messages expected{programSixteen, noteOn(33)};
    if (onScreen > 19)
        expected.push_back(noteOn(38));
    if (onScreen > 38)
        expected.push_back(noteOn(40));
    for (int key : {33, 38, 40, 45})
        expected.push_back(noteOff(key));
    EXPECT_EQ(sent(), expected);
}

TEST_F(IntroTest, LeftClickDuringTheBannerEndsItsHold)
{
    // A hold of 25 x 1 s would outlast the wait below; the press ends it.
    run({0, 1000, 0});
    ASSERT_EQ(intro->framesDrawn(), 100);
    EXPECT_TRUE(intro->isRunning());
    EXPECT_GT(count(colours[16]), 0);
    intro->mousePressed(Qt::LeftButton);
    ASSERT_TRUE(runEventsUntil([&] { return finishedCalls == 1; }, std::chrono::seconds(10)));
    EXPECT_FALSE(intro->skipped());
    const Messages all = sent();
    ASSERT_EQ(all.size(), 9u);
    EXPECT_EQ(all[4], noteOn(45));
    EXPECT_EQ(Messages(all.begin() + 5, all.end()), noteOffs);
}

} // namespace
