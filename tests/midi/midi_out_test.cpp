#include "midi/midi_device_list.h"
#include "midi/midi_messages.h"
#include "midi/midi_out.h"
#include "platform/midi/midi_recording.h"

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

TEST_F(MidiOutTest, StartupListsDevicesAndOpensTheStoredOneOnePastTheMapperMeaningTheMapper)
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

TEST_F(MidiOutTest, NoDevicesMeansClosedAndNothingReported)
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

TEST_F(MidiOutTest, SendPacksStatusAndDataBytesLowByteFirst)
{
    MidiOut out(system);
    ASSERT_TRUE(out.reopen(0));
    clock.advance(7);
    out.Send(midiStatus::programChange, 5, 94);
    out.Play(midiStatus::noteOn, 69, 127);
    out.Silence(midiStatus::noteOffChannel13, 69, 94);
    auto messages = recording.messages();
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0].message, 0x5E05C0u);
    EXPECT_EQ(messages[0].timeMs, 7u);
    EXPECT_EQ(messages[1].message, 0x7F4590u);
    EXPECT_EQ(messages[2].message, 0x5E458Cu);
}

TEST_F(MidiOutTest, ReopenClosesTheOldDeviceAFailureLeavesItClosedAndSendsAreDropped)
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
        out.Send(midiStatus::noteOn, 60, 100);
        out.Play(midiStatus::noteOn, 60, 100);
        out.Silence(midiStatus::noteOff, 60, 94);
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
