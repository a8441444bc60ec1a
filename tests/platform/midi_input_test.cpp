#include "platform/midi/midi_input.h"

#include <gtest/gtest.h>

TEST(MidiInput, PacksShortMessagesStatusInTheLowByte)
{
    EXPECT_EQ(MidiInput::packShortMessage({0x90, 60, 100}), 0x643C90u);
    EXPECT_EQ(MidiInput::packShortMessage({0xC0, 5}), 0x05C0u);
    EXPECT_EQ(MidiInput::packShortMessage({0xF8}), 0xF8u);
    EXPECT_FALSE(MidiInput::packShortMessage({}));
    EXPECT_FALSE(MidiInput::packShortMessage({0xF0, 1, 2, 3, 0xF7})); // system exclusive
    EXPECT_FALSE(MidiInput::packShortMessage({0x3C, 100}));           // no status byte
}

TEST(MidiInput, OpensTheFirstPortOrReportsNone)
{
    MidiInput input;
    bool opened = input.openFirstPort();
    EXPECT_EQ(opened, MidiInput::portCount() > 0);
    EXPECT_EQ(input.isOpen(), opened);
    input.close();
    EXPECT_FALSE(input.isOpen());
}
