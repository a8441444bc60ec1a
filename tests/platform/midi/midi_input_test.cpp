#include "platform/midi/midi_input.h"
#include "platform/midi/short_message.h"

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
    const Status opened = input.openFirstPort();
    EXPECT_EQ(opened.ok(), MidiInput::portCount() > 0);
    EXPECT_EQ(input.isOpen(), opened.ok());
    EXPECT_EQ(opened.message().empty(), opened.ok()) << "a failure says why";
    input.close();
    EXPECT_FALSE(input.isOpen());
}

// Ports, inputs and recordings all read a message through ShortMessage.
TEST(ShortMessage, RoundTripsSevenBitDataBytes)
{
    struct Row {
        const char* name;
        std::uint32_t packed;
        ShortMessage unpacked;
        int kind, channel;
    };
    const Row rows[] = {
        {"note-on channel 1", 0x643C90u, {0x90, 60, 100}, 0x90, 0},
        {"note-off channel 13", 0x5E458Cu, {0x8C, 69, 94}, 0x80, 12},
        {"program change", 0x05C0u, {0xC0, 5, 0}, 0xC0, 0},
        {"data bytes with the top bit set", 0xFFFF99u, {0x99, 0x7F, 0x7F}, 0x90, 9},
    };
    for (const Row& r : rows) {
        const ShortMessage m = ShortMessage::unpack(r.packed);
        EXPECT_EQ(m.status, r.unpacked.status) << r.name;
        EXPECT_EQ(m.data1, r.unpacked.data1) << r.name;
        EXPECT_EQ(m.data2, r.unpacked.data2) << r.name;
        EXPECT_EQ(m.kind(), r.kind) << r.name;
        EXPECT_EQ(m.channel(), r.channel) << r.name;
    }
    EXPECT_EQ(packShortMessage(0x1C0, 0x105, 0), 0x05C0u); // each part cut to a byte
}
