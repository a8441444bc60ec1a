#include "music/melody_import.h"

#include <gtest/gtest.h>

namespace {

// A part of the given keys; a key followed by '|' in `phrases` ends a phrase.
NotatedPart partOf(std::vector<int> keys, std::vector<std::size_t> phraseEnds = {})
{
    NotatedPart part{"Voice", {}};
    for (int key : keys)
        part.notes.push_back({key, false});
    for (std::size_t end : phraseEnds)
        part.notes[end].endsPhrase = true;
    return part;
}

std::vector<int> ascending(int from, int count)
{
    std::vector<int> keys;
    for (int i = 0; i < count; ++i)
        keys.push_back(from + i % 12);
    return keys;
}

TEST(ImportedMelodyTitle, TheFirstTitleTheFileGivesMadeFitForTheMelodyFile)
{
    const struct {
        const char* name;
        std::string work, movement, file;
        bool guitar;
        std::string title;
    } rows[] = {
        {"work title first", "Ode", "Finale", "ode", false, "Ode"},
        {"then the movement title", "", "Finale", "ode", false, "Finale"},
        {"then the file's base name", "", " ", "my song", false, "my song"},
        {"commas left out, line ends a blank", "Ah, vous\r\ndirai-je", "", "x", false,
         "Ah vous dirai-je"},
        {"guitar melodies are marked", "Riff", "", "x", true, "GUITAR Riff"},
        {"a mark already there is kept", "GUITAR Riff", "", "x", true, "GUITAR Riff"},
        {"at most 98 characters", std::string(120, 'a'), "", "x", false, std::string(98, 'a')},
        {"never half a character", std::string(97, 'a') + "é", "", "x", false,
         std::string(97, 'a')},
    };
    for (const auto& r : rows) {
        NotatedScore score{r.work, r.movement, {}};
        EXPECT_EQ(importedMelodyTitle(score, r.file, r.guitar), r.title) << r.name;
    }
}

TEST(MelodiesOfPart, ALongMelodyIsCutAtItsPhraseEndsIntoNumberedMelodies)
{
    // 30 notes in phrases of 10 (a rest after notes 10, 20 and 30).
    const auto melodies = melodiesOfPart(partOf(ascending(60, 30), {9, 19, 29}), "Song");
    ASSERT_TRUE(melodies) << melodies.message();
    ASSERT_EQ(melodies->size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ((*melodies)[i].name, "Song " + std::to_string(i + 1));
        EXPECT_EQ((*melodies)[i].notes.size(), 10u);
    }
    EXPECT_EQ((*melodies)[1].notes.front(), 60 + 10);

    const struct {
        const char* name;
        std::vector<std::size_t> phraseEnds;
        std::vector<std::size_t> sizes;
    } rows[] = {
        {"short phrases join while they fit", {3, 7, 11, 15, 19, 23, 27}, {12, 12, 6}},
        {"a long phrase is cut into nearly equal pieces", {2}, {3, 9, 9, 9}},
        {"no phrase end at all", {}, {10, 10, 10}},
        {"a long phrase between short ones", {1, 16}, {2, 8, 7, 13}},
    };
    for (const auto& r : rows) {
        const auto cut = melodiesOfPart(partOf(ascending(60, 30), r.phraseEnds), "Song");
        ASSERT_TRUE(cut) << r.name;
        std::vector<std::size_t> sizes;
        for (const CustomMelody& m : *cut)
            sizes.push_back(m.notes.size());
        EXPECT_EQ(sizes, r.sizes) << r.name;
    }

    // Thirteen notes are one melody, named by the title alone.
    const auto whole = melodiesOfPart(partOf(ascending(60, 13), {5}), "Song");
    ASSERT_EQ(whole->size(), 1u);
    EXPECT_EQ(whole->front().name, "Song");
    EXPECT_EQ(whole->front().notes, ascending(60, 13));
}

TEST(MelodiesOfPart, ANumberedNameStaysWithinNinetyEightCharacters)
{
    const auto melodies = melodiesOfPart(partOf(ascending(60, 14)), std::string(98, 't'));
    ASSERT_EQ(melodies->size(), 2u);
    EXPECT_EQ(melodies->back().name, std::string(96, 't') + " 2");
}

TEST(MelodiesOfPart, AMelodyOutsideTheRangeMovesByOctavesOrIsRefusedNamingTheNote)
{
    const struct {
        const char* name;
        std::vector<int> keys;
        std::vector<int> imported; // empty: refused
        std::string refusal;
    } rows[] = {
        {"in range: unchanged", {36, 83}, {36, 83}, ""},
        {"an octave too low: up one", {30, 40}, {42, 52}, ""},
        {"two octaves too high: down two", {100, 96}, {76, 72}, ""},
        {"the smallest move that fits", {35, 70}, {47, 82}, ""},
        {"too wide for any octave", {60, 20, 100}, {}, "Note 2 (G#0) stays outside C2..B5"},
        {"47 semitones off the grid", {37, 84}, {}, "Note 2 (C6) stays outside"},
    };
    for (const auto& r : rows) {
        const auto melodies = melodiesOfPart(partOf(r.keys), "T");
        if (r.imported.empty()) {
            ASSERT_FALSE(melodies) << r.name;
            EXPECT_NE(melodies.message().find(r.refusal), std::string::npos)
                << r.name << ": " << melodies.message();
        } else {
            ASSERT_TRUE(melodies) << r.name << ": " << melodies.message();
            EXPECT_EQ(melodies->front().notes, r.imported) << r.name;
        }
    }
}

TEST(MelodiesOfPart, AnEmptyOrHugePartIsRefused)
{
    EXPECT_FALSE(melodiesOfPart(partOf({}), "T"));
    const auto huge = melodiesOfPart(partOf(ascending(60, 100'000)), "T");
    ASSERT_FALSE(huge);
    EXPECT_NE(huge.message().find("at most 2000"), std::string::npos);
}

} // namespace
