#include "notation/standard_midi_file.h"

#include <gtest/gtest.h>

namespace {

using Bytes = std::string;

Bytes be(std::uint32_t value, int length)
{
    Bytes out;
    for (int i = length - 1; i >= 0; --i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    return out;
}

Bytes track(const Bytes& events)
{
    return "MTrk" + be(static_cast<std::uint32_t>(events.size() + 4), 4) + events +
           Bytes("\x00\xFF\x2F\x00", 4);
}

Bytes midiFile(int format, const std::vector<Bytes>& tracks, int ticksPerQuarter = 96)
{
    Bytes file = "MThd" + be(6, 4) + be(format, 2) +
                 be(static_cast<std::uint32_t>(tracks.size()), 2) + be(ticksPerQuarter, 2);
    for (const Bytes& t : tracks)
        file += track(t);
    return file;
}

Bytes name(const std::string& text)
{
    return Bytes("\x00\xFF\x03", 3) + static_cast<char>(text.size()) + text;
}

// A note of `ticks` on channel `channel` (0-based) starting `delay` ticks after the last event
// (delays and lengths below 128 ticks, one byte each).
Bytes note(int key, int ticks = 96, int channel = 0, int delay = 0)
{
    const char on = static_cast<char>(0x90 | channel), off = static_cast<char>(0x80 | channel);
    return Bytes{static_cast<char>(delay), on,  static_cast<char>(key), 100,
                 static_cast<char>(ticks), off, static_cast<char>(key), 64};
}

std::vector<int> keysOf(const NotatedPart& part)
{
    std::vector<int> keys;
    for (const NotatedNote& n : part.notes)
        keys.push_back(n.key);
    return keys;
}

TEST(ReadStandardMidiFile, EachTrackWithNotesIsAPartAndTheDrumsAreLeftOut)
{
    const Bytes drums = note(36, 96, 9) + note(38, 96, 9);
    const auto read = readStandardMidiFile(midiFile(
        1, {name("Song"), name("Flute") + note(72) + note(74), drums, note(48) + note(50)}));
    ASSERT_TRUE(read) << read.message();
    EXPECT_EQ(read->workTitle, "Song");
    ASSERT_EQ(read->parts.size(), 2u);
    EXPECT_EQ(read->parts[0].name, "Flute");
    EXPECT_EQ(keysOf(read->parts[0]), (std::vector<int>{72, 74}));
    EXPECT_EQ(read->parts[1].name, "Track 4");
}

TEST(ReadStandardMidiFile, FormatZeroSplitsItsChannelsIntoParts)
{
    const auto read =
        readStandardMidiFile(midiFile(0, {name("Duet") + note(60, 96, 0) + note(43, 96, 2)}));
    ASSERT_TRUE(read) << read.message();
    EXPECT_EQ(read->workTitle, "Duet");
    ASSERT_EQ(read->parts.size(), 2u);
    EXPECT_EQ(read->parts[0].name, "Channel 1");
    EXPECT_EQ(keysOf(read->parts[1]), std::vector<int>{43});
}

TEST(ReadStandardMidiFile, EventsAsSequencersWriteThem)
{
    // Running status throughout, a note-on of velocity 0 as the note-off, a chord (C E G
    // together gives G), a system exclusive message and an eighth rest before the last note.
    const Bytes events =
        Bytes("\x00\x90\x3C\x64", 4) + Bytes("\x00\x40\x64", 3) + Bytes("\x00\x43\x64", 3) +
        Bytes("\x60\x3C\x00", 3) + Bytes("\x00\x40\x00", 3) + Bytes("\x00\x43\x00", 3) +
        Bytes("\x00\xF0\x02\x7E\xF7", 5) + Bytes("\x00\x90\x3E\x64", 4) + Bytes("\x60\x3E\x00", 3) +
        Bytes("\x30\x3F\x64", 3) + Bytes("\x60\x3F\x00", 3);
    const auto read = readStandardMidiFile(midiFile(1, {events}));
    ASSERT_TRUE(read) << read.message();
    const NotatedPart& part = read->parts.front();
    EXPECT_EQ(keysOf(part), (std::vector<int>{67, 62, 63}));
    EXPECT_FALSE(part.notes[0].endsPhrase) << "legato: no rest";
    EXPECT_TRUE(part.notes[1].endsPhrase) << "48 ticks of 96 to the quarter: an eighth rest";
}

TEST(ReadStandardMidiFile, RefusesDamagedOrUnreadableFiles)
{
    const Bytes good = midiFile(1, {note(60)});
    const struct {
        const char* name;
        Bytes bytes;
        std::string saying;
    } rows[] = {
        {"not a MIDI file", "RIFF....WAVE", "does not begin"},
        {"cut in the header", good.substr(0, 10), "header is cut short"},
        {"cut in a track", good.substr(0, good.size() - 6), "cut short"},
        {"format 2", midiFile(2, {note(60)}), "format 2"},
        {"SMPTE time", midiFile(1, {note(60)}, 0xE728), "SMPTE"},
        {"drums only", midiFile(1, {note(36, 96, 9)}), "no notes outside the drums"},
        {"data without status", midiFile(1, {Bytes("\x00\x3C\x40", 3)}), "no status"},
        {"an endless quantity", midiFile(1, {Bytes("\xFF\xFF\xFF\xFF\x7F", 5)}), "cut short"},
    };
    for (const auto& r : rows) {
        const auto read = readStandardMidiFile(r.bytes);
        ASSERT_FALSE(read) << r.name;
        EXPECT_NE(read.message().find(r.saying), std::string::npos)
            << r.name << ": " << read.message();
    }
}

TEST(StandardMidiFileOf, IsAFormatZeroFileOfQuarterNotesAt60Bpm)
{
    const Bytes file = standardMidiFileOf({"Tune", {60, 64}});
    EXPECT_EQ(file.substr(0, 14), "MThd" + be(6, 4) + be(0, 2) + be(1, 2) + be(480, 2));
    EXPECT_NE(file.find(Bytes("\xFF\x51\x03\x0F\x42\x40", 6)), Bytes::npos) << "1 000 000 µs";
    const auto read = readStandardMidiFile(file);
    ASSERT_TRUE(read) << read.message();
    EXPECT_EQ(read->workTitle, "Tune");
    EXPECT_EQ(keysOf(read->parts.front()), (std::vector<int>{60, 64}));
}

} // namespace
