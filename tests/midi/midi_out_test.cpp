#include "midi/midi_device_list.h"
#include "midi/midi_messages.h"
#include "midi/midi_out.h"
#include "platform/testing/manual_clock.h"
#include "platform/testing/midi_recording.h"

#include <gtest/gtest.h>

#include <array>

namespace {

using Names = std::vector<std::string>;

TEST(MidiDeviceList, NamesCutTo29CharactersAtMost19DevicesThenTheMapper)
{
    EXPECT_EQ(buildMidiDeviceList({"A very long MIDI device product name", "Short"}),
              (Names{"A very long MIDI device produ", "Short", "Midi Mapper"}));
    auto many = buildMidiDeviceList(Names(25, "dev"));
    EXPECT_EQ(many.size(), 20u);
    EXPECT_EQ(many.back(), "Midi Mapper");
    EXPECT_TRUE(buildMidiDeviceList({}).empty());
}

struct MidiOutTest : testing::Test {
    ManualClock clock;
    RecordingMidiOutputSystem system{{"Synth", "Port A"}, clock};
    MidiRecording& recording = *system.recording();
};

TEST_F(MidiOutTest, StartUpOpensTheStoredDevice)
{
    MidiOut out(system);
    int midi = 1;
    auto result = out.openAtStartup(midi);
    EXPECT_EQ(result.deviceNames, (Names{"Synth", "Port A", "Midi Mapper"}));
    EXPECT_TRUE(result.opened);
    EXPECT_TRUE(out.isOpen());
    midi = 3; // two devices: one past the mapper's slot
    (void)out.openAtStartup(midi);
    EXPECT_EQ(midi, -1);
    EXPECT_EQ(system.openedDevices(), (std::vector<int>{1, -1}));
    // {stored, device count, used}: the mapper's own slot (count) stays.
    for (auto [stored, count, used] : {std::array{2, 1, -1}, {1, 1, 1}, {0, 1, 0}, {-1, 1, -1}})
        EXPECT_EQ(applyStoredMidiIndexRule(stored, count), used) << stored;
}

TEST_F(MidiOutTest, NoDevicesMeansQuietlyClosed)
{
    RecordingMidiOutputSystem empty({}, clock);
    MidiOut out(empty);
    int midi = -1;
    auto result = out.openAtStartup(midi);
    EXPECT_TRUE(result.deviceNames.empty());
    EXPECT_TRUE(result.opened);
    EXPECT_FALSE(out.isOpen());
    EXPECT_TRUE(empty.openedDevices().empty());
}

// Status in the low byte, then the data bytes; a note's note-offs go out once, on the
// channels named when it started, whether it is stopped, assigned over or destroyed.
TEST_F(MidiOutTest, ANoteSoundsUntilItsHandleStopsItOnceOnTheChannelsItNamed)
{
    MidiOut out(system);
    ASSERT_TRUE(out.reopen(0));
    clock.advance(7);
    out.chooseTimbre(5, MidiChannels::OneAndThirteen, 94);
    SoundingNote held = out.startNote(69, 127, {94, MidiChannels::OneAndThirteen});
    EXPECT_TRUE(held.sounding());
    held.stop();
    held.stop();
    EXPECT_FALSE(held.sounding());
    {
        SoundingNote first = out.startNote(60, 100, {80});
        first = out.startNote(62, 100); // the first one stops as the second starts
    }
    std::vector<std::uint32_t> sent;
    for (const auto& m : recording.messages())
        sent.push_back(m.message);
    EXPECT_EQ(sent,
              (std::vector<std::uint32_t>{0x5E05C0u, 0x5E05CCu, 0x7F4590u, 0x5E4580u, 0x5E458Cu,
                                          0x643C90u, 0x643E90u, 0x503C80u, 0x5E3E80u}));
    EXPECT_EQ(recording.messages()[0].timeMs, 7u);
}

TEST_F(MidiOutTest, AFailedReopenLeavesTheOutputClosed)
{
    {
        MidiOut out(system);
        ASSERT_TRUE(out.reopen(0));
        system.failOpen(1, "busy");
        Status busy = out.reopen(1);
        EXPECT_FALSE(busy);
        EXPECT_FALSE(out.isOpen());
        EXPECT_EQ(busy.message(), "busy");
        EXPECT_EQ(recording.resetCount(), 1);
        EXPECT_EQ(recording.closeCount(), 1);
        out.chooseTimbre(1);
        out.startNote(60, 100).stop();
        out.releaseKey(60, 94);
        out.close(); // nothing open: nothing to reset
        EXPECT_TRUE(recording.messages().empty());
        EXPECT_EQ(recording.resetCount(), 1);
        EXPECT_TRUE(out.reopen(-1));
        EXPECT_EQ(system.openedDevices(), (std::vector<int>{0, -1}));
    }
    // Destruction resets and closes the open device.
    EXPECT_EQ(recording.resetCount(), 2);
    EXPECT_EQ(recording.closeCount(), 2);
}

} // namespace
