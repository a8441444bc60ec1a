#include "notation/music_xml.h"

#include <gtest/gtest.h>

namespace {

// A partwise score with one measure per part; `measures` holds each part's measure content.
std::string score(const std::vector<std::string>& measures, const std::string& head = "",
                  const std::string& doctype = "")
{
    std::string xml = "<?xml version=\"1.0\"?>\n" + doctype + "<score-partwise version=\"4.0\">" +
                      head + "<part-list>";
    for (std::size_t i = 0; i < measures.size(); ++i)
        xml += "<score-part id=\"P" + std::to_string(i + 1) + "\"><part-name>Part " +
               std::to_string(i + 1) + "</part-name></score-part>";
    xml += "</part-list>";
    for (std::size_t i = 0; i < measures.size(); ++i)
        xml += "<part id=\"P" + std::to_string(i + 1) + "\"><measure number=\"1\">" + measures[i] +
               "</measure></part>";
    return xml + "</score-partwise>";
}

// A quarter note of pitch like "C4", "F#4" or "Bb3", with extra elements inside <note>.
std::string note(const std::string& pitch, const std::string& extra = "",
                 const std::string& notations = "")
{
    const int alter = pitch.size() == 3 ? (pitch[1] == '#' ? 1 : -1) : 0;
    std::string xml = "<note>" + extra + "<pitch><step>" + pitch.substr(0, 1) + "</step>";
    if (alter)
        xml += "<alter>" + std::to_string(alter) + "</alter>";
    xml += "<octave>" + pitch.substr(pitch.size() - 1) + "</octave></pitch><duration>1</duration>";
    if (!notations.empty())
        xml += "<notations>" + notations + "</notations>";
    return xml + "</note>";
}

const std::string rest = "<note><rest/><duration>1</duration></note>";

std::vector<int> keysOf(const NotatedPart& part)
{
    std::vector<int> keys;
    for (const NotatedNote& n : part.notes)
        keys.push_back(n.key);
    return keys;
}

std::vector<bool> phraseEndsOf(const NotatedPart& part)
{
    std::vector<bool> ends;
    for (const NotatedNote& n : part.notes)
        ends.push_back(n.endsPhrase);
    return ends;
}

TEST(ReadMusicXml, WhatTheMelodyIsMadeOf)
{
    const struct {
        const char* name;
        std::string measure;
        std::vector<int> keys;
    } rows[] = {
        {"sharps and flats", note("C4") + note("F#4") + note("Bb3"), {60, 66, 58}},
        {"a chord gives its top note",
         note("C4") + note("E4", "<chord/>") + note("G4", "<chord/>") + note("D4"),
         {67, 62}},
        {"tied notes are one",
         note("C4", "<tie type=\"start\"/>") + note("C4", "<tie type=\"stop\"/>") + note("C4"),
         {60, 60}},
        {"a tie marked only as notation",
         note("D4") + note("D4", "", "<tied type=\"stop\"/>"),
         {62}},
        {"grace and cue notes left out",
         note("B3", "<grace/>") + note("C4") + note("A4", "<cue/>"),
         {60}},
        {"a transposing instrument sounds its transposition",
         "<attributes><transpose><diatonic>-1</diatonic><chromatic>-2</chromatic>"
         "<octave-change>-1</octave-change></transpose></attributes>" +
             note("D4"),
         {48}},
    };
    for (const auto& r : rows) {
        const auto read = readMusicXml(score({r.measure}));
        ASSERT_TRUE(read) << r.name << ": " << read.message();
        EXPECT_EQ(keysOf(read->parts.front()), r.keys) << r.name;
    }
}

TEST(ReadMusicXml, NotesOfASecondVoiceAreLeftOut)
{
    const std::string voiced = "<note><pitch><step>E</step><octave>4</octave></pitch>"
                               "<duration>1</duration><voice>1</voice></note>"
                               "<backup><duration>1</duration></backup>"
                               "<note><pitch><step>C</step><octave>3</octave></pitch>"
                               "<duration>1</duration><voice>2</voice></note>"
                               "<note><pitch><step>F</step><octave>4</octave></pitch>"
                               "<duration>1</duration><voice>1</voice></note>";
    const auto read = readMusicXml(score({voiced}));
    ASSERT_TRUE(read);
    EXPECT_EQ(keysOf(read->parts.front()), (std::vector<int>{64, 65}));
}

TEST(ReadMusicXml, RestsBreathsFermatasAndDoubleBarsEndPhrases)
{
    const std::string measure =
        note("C4") + rest + note("D4", "", "<articulations><breath-mark/></articulations>") +
        note("E4", "", "<fermata/>") + note("F4") +
        "<barline><bar-style>light-light</bar-style></barline>" + note("G4") +
        "<barline><bar-style>regular</bar-style></barline>" + note("A4");
    const auto read = readMusicXml(score({measure}));
    ASSERT_TRUE(read) << read.message();
    EXPECT_EQ(phraseEndsOf(read->parts.front()),
              (std::vector<bool>{true, true, true, true, false, false}));
}

TEST(ReadMusicXml, PartsAndTitlesAreNamedAsTheFileNamesThem)
{
    const auto read = readMusicXml(
        score({note("C4"), note("C3")},
              "<work><work-title>Ode</work-title></work><movement-title>Finale</movement-title>"));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->workTitle, "Ode");
    EXPECT_EQ(read->movementTitle, "Finale");
    ASSERT_EQ(read->parts.size(), 2u);
    EXPECT_EQ(read->parts[1].name, "Part 2");
    EXPECT_EQ(keysOf(read->parts[1]), std::vector<int>{48});
}

TEST(ReadMusicXml, RefusesWhatIsNotAPartwiseScoreOrReachesOutside)
{
    const struct {
        const char* name;
        std::string xml;
        std::string saying;
    } rows[] = {
        {"not XML", "PK\x03\x04 zip bytes", "cannot be imported"},
        {"cut short", score({note("C4")}).substr(0, 200), "line"},
        {"another document", "<html><body/></html>", "holds no MusicXML score"},
        {"timewise", "<score-timewise version=\"4.0\"/>", "timewise"},
        {"an external entity",
         score({note("C4") + "&secret;"}, "",
               "<!DOCTYPE score-partwise [<!ENTITY secret SYSTEM \"file:///etc/passwd\">]>\n"),
         "declares entities"},
        {"an expansion bomb",
         score({"&b;"}, "",
               "<!DOCTYPE score-partwise [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b "
               "\"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">]>\n"),
         "declares entities"},
    };
    for (const auto& r : rows) {
        const auto read = readMusicXml(r.xml);
        ASSERT_FALSE(read) << r.name;
        EXPECT_NE(read.message().find(r.saying), std::string::npos)
            << r.name << ": " << read.message();
    }
    // The usual document type, naming the public DTD by address, is read (never fetched).
    const auto usual = readMusicXml(
        score({note("C4")}, "",
              "<!DOCTYPE score-partwise PUBLIC \"-//Recordare//DTD MusicXML 4.0 Partwise//EN\" "
              "\"http://www.musicxml.org/dtds/partwise.dtd\">\n"));
    EXPECT_TRUE(usual) << usual.message();
}

TEST(MusicXmlOf, WritesQuarterNotesWithSharpsInTheClefOfMostNotes)
{
    const std::string treble = musicXmlOf({"Tune", {60, 61, 62, 63, 64}});
    EXPECT_NE(treble.find("<score-partwise version=\"4.0\">"), std::string::npos);
    EXPECT_NE(treble.find("<work-title>Tune</work-title>"), std::string::npos);
    EXPECT_NE(treble.find("<sign>G</sign>"), std::string::npos);
    EXPECT_NE(treble.find("<step>C</step>\n          <alter>1</alter>"), std::string::npos);
    EXPECT_NE(treble.find("<measure number=\"2\">"), std::string::npos);
    EXPECT_NE(musicXmlOf({"Low", {40, 45, 64}}).find("<sign>F</sign>"), std::string::npos);

    const auto read = readMusicXml(treble);
    ASSERT_TRUE(read) << read.message();
    EXPECT_EQ(read->workTitle, "Tune");
    EXPECT_EQ(keysOf(read->parts.front()), (std::vector<int>{60, 61, 62, 63, 64}));
}

} // namespace
