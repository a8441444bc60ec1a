#include "midi/midi_device_list.h"
#include "midi/midi_messages.h"
#include "midi/midi_out.h"
#include "platform/midi/midi_recording.h"

#include <gtest/gtest.h>

namespace {

struct MidiOutTest : testing::Test {
    ManualClock clock;
    RecordingMidiOutputSystem system{{"Synth", "Port A"}, clock};
    MidiRecording& recording = *system.recording();
};

TEST(MidiDeviceList, NamesAreCutTo29CharactersAndMapperComesLast)
{
    auto list = buildMidiDeviceList({"A very long MIDI device product name", "Short"});
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0], "A very long MIDI device produ");
    EXPECT_EQ(list[0].size(), 29u);
    EXPECT_EQ(list[1], "Short");
    EXPECT_EQ(list[2], "Midi Mapper");
}

TEST(MidiDeviceList, AtMost19DevicesPlusTheMapper)
{
    std::vector<std::string> many(25, "dev");
    auto list = buildMidiDeviceList(many);
    EXPECT_EQ(list.size(), 20u);
    EXPECT_EQ(list.back(), "Midi Mapper");
    EXPECT_TRUE(buildMidiDeviceList({}).empty());
}

TEST(MidiDeviceList, IndexOnePastTheMapperMeansTheMapper)
{
    EXPECT_EQ(applyStoredMidiIndexRule(2, 1), -1);
    EXPECT_EQ(applyStoredMidiIndexRule(1, 1), 1); // the mapper's own slot stays as it is
    EXPECT_EQ(applyStoredMidiIndexRule(0, 1), 0);
    EXPECT_EQ(applyStoredMidiIndexRule(-1, 1), -1);
}

TEST(MidiMessages, KeysAndVelocities)
{
    EXPECT_EQ(midiKey(0, 24), 36);
    EXPECT_EQ(midiKey(24, 24), 60);
    EXPECT_EQ(midiKey(33, 24), 69);
    EXPECT_EQ(midiKey(24, 12), 48);
    EXPECT_EQ(noteOnVelocity(100), 100);
    EXPECT_EQ(noteOnVelocity(128), 127);
    EXPECT_EQ(noteOnVelocity(0), 0);
    EXPECT_EQ(noteOnVelocity(-5), 0);
}

TEST_F(MidiOutTest, StartupListsDevicesAndOpensTheStoredOne)
{
    MidiOut out(system);
    int midi = 1;
    auto result = out.openAtStartup(midi);
    EXPECT_EQ(result.deviceNames, (std::vector<std::string>{"Synth", "Port A", "Midi Mapper"}));
    EXPECT_FALSE(result.error);
    EXPECT_TRUE(out.isOpen());
    EXPECT_EQ(system.openedDevices(), std::vector<int>{1});
    EXPECT_EQ(out.currentKey, 20);
}

TEST_F(MidiOutTest, StoredIndexCountPlusOneOpensTheMapper)
{
    MidiOut out(system);
    int midi = 3; // two devices: 3 is one past the mapper's slot
    out.openAtStartup(midi);
    EXPECT_EQ(midi, -1);
    EXPECT_EQ(system.openedDevices(), std::vector<int>{-1});
}

TEST_F(MidiOutTest, NoDevicesMeansClosedAndSilent)
{
    RecordingMidiOutputSystem empty({}, clock);
    MidiOut out(empty);
    int midi = -1;
    auto result = out.openAtStartup(midi);
    EXPECT_TRUE(result.deviceNames.empty());
    EXPECT_FALSE(result.error);
    EXPECT_FALSE(out.isOpen());
    EXPECT_TRUE(empty.openedDevices().empty());
}

TEST_F(MidiOutTest, FailedOpenReportsTheReasonAndDropsEverySend)
{
    system.failOpen(-1, "No SoundFont found.");
    MidiOut out(system);
    int midi = -1;
    auto result = out.openAtStartup(midi);
    ASSERT_TRUE(result.error);
    EXPECT_EQ(*result.error, "No SoundFont found.");
    EXPECT_FALSE(out.isOpen());
    out.Play(midiStatus::noteOn, 60, 100);
    out.Play(midiStatus::programChange, 0, 94);
    out.Silence(midiStatus::noteOff, 60, 94);
    out.Send(midiStatus::noteOn, 60, 100);
    out.close();
    EXPECT_TRUE(recording.messages().empty());
    EXPECT_EQ(recording.resetCount(), 0);
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
    EXPECT_EQ(messages[2].status(), 0x8C);
    EXPECT_EQ(messages[2].data1(), 69);
    EXPECT_EQ(messages[2].data2(), 94);
}

TEST_F(MidiOutTest, ReopenClosesTheOldDeviceFirstAndAFailureLeavesItClosed)
{
    MidiOut out(system);
    ASSERT_TRUE(out.reopen(0));
    system.failOpen(1, "busy");
    EXPECT_FALSE(out.reopen(1));
    EXPECT_FALSE(out.isOpen());
    EXPECT_EQ(out.lastError(), "busy");
    EXPECT_EQ(recording.resetCount(), 1);
    EXPECT_EQ(recording.closeCount(), 1);
    out.Play(midiStatus::noteOn, 60, 100);
    EXPECT_TRUE(recording.messages().empty());
    EXPECT_TRUE(out.reopen(-1));
    EXPECT_EQ(system.openedDevices(), (std::vector<int>{0, -1}));
}

TEST_F(MidiOutTest, DestructionResetsAndClosesTheDevice)
{
    {
        MidiOut out(system);
        out.reopen(-1);
    }
    EXPECT_EQ(recording.resetCount(), 1);
    EXPECT_EQ(recording.closeCount(), 1);
}

TEST(RecordingMidiPort, DropsMessagesAfterClose)
{
    ManualClock clock(100);
    RecordingMidiOutputPort port("test", clock);
    port.sendShortMessage(0x90);
    port.close();
    port.sendShortMessage(0x80);
    port.close();
    ASSERT_EQ(port.recording()->messages().size(), 1u);
    EXPECT_EQ(port.recording()->messages()[0].timeMs, 100u);
    EXPECT_EQ(port.recording()->closeCount(), 1);
}

} // namespace
