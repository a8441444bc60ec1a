#include "core/settings_file.h"
#include "music/scale_file.h"
#include "tests/core/engine_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

namespace {

int countOf(const std::string& text, const std::string& what)
{
    int n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

// The default settings file with some lines replaced.
std::string settingsWith(const std::map<int, std::string>& replaced)
{
    std::string text;
    std::string defaults = settingsFileText(Settings{});
    int index = 0;
    for (std::size_t start = 0; start < defaults.size(); ++index) {
        std::size_t end = defaults.find("\r\n", start);
        auto it = replaced.find(index);
        text += it != replaced.end() ? it->second : defaults.substr(start, end - start);
        text += "\r\n";
        start = end + 2;
    }
    return text;
}

} // namespace

TEST(DrillEngine, FirstRunCreatesBothFilesAndWritesThemAtExit)
{
    EngineRig rig;
    auto engine = rig.loadEngine();
    EXPECT_EQ(engine->settings, Settings{});
    EXPECT_EQ(engine->scales, builtInScales());
    EXPECT_EQ(rig.dir.read(kSettingsFileName), "");
    EXPECT_EQ(rig.dir.read(kScaleFileName), "");
    EXPECT_TRUE(engine->midiDeviceNames.empty());
    EXPECT_TRUE(rig.messages.shown.empty());

    engine->saveAndRelease();
    std::string settingsText = rig.dir.read(kSettingsFileName);
    EXPECT_EQ(settingsText, settingsFileText(Settings{}));
    EXPECT_EQ(countOf(settingsText, "\r\n"), 20);
    std::string scaleText = rig.dir.read(kScaleFileName);
    EXPECT_EQ(countOf(scaleText, "\r\n"), 14);
    EXPECT_EQ(scaleText.rfind("MAJOR,2741\r\n", 0), 0u);
    EXPECT_TRUE(scaleText.ends_with("Tense,195\r\n"));

    // The second run reads back what the first wrote.
    auto second = rig.loadEngine();
    EXPECT_EQ(second->settings, Settings{});
    EXPECT_EQ(second->scales, builtInScales());
}

TEST(DrillEngine, SaveAndReleaseRunsOnce)
{
    EngineRig rig;
    auto engine = rig.loadEngine();
    engine->saveAndRelease();
    engine->settings.melosize = 3;
    engine->saveAndRelease();
    EXPECT_TRUE(engine->released());
    EXPECT_EQ(rig.dir.read(kSettingsFileName), settingsFileText(Settings{}));
}

TEST(DrillEngine, FilesDeletedWhileRunningAreNotRecreated)
{
    EngineRig rig;
    auto engine = rig.loadEngine();
    std::filesystem::remove(rig.dir.file(kSettingsFileName));
    std::filesystem::remove(rig.dir.file(kScaleFileName));
    engine->saveAndRelease();
    EXPECT_FALSE(std::filesystem::exists(rig.dir.file(kSettingsFileName)));
    EXPECT_FALSE(std::filesystem::exists(rig.dir.file(kScaleFileName)));
}

TEST(DrillEngine, HandEditedSettingsLoadByPositionAndAreWrittenBackAsLoaded)
{
    EngineRig rig;
    // Swapped first two lines, a blank line, "drilltype==3", midi as
    // 4294967295 and "A=440Hz".
    rig.dir.write(kSettingsFileName, "cycles=1\r\nautostart=0\r\nrange=2\r\nmelosize=5\r\n"
                                     "scale=4\r\nnumScales=14\r\nmode=1\r\nlevel=2\r\n"
                                     "midi=4294967295\r\nmiditimbre=40\r\nmidiVol=90\r\n"
                                     "micVol=63\r\nmicFilter=10\r\nA=440Hz\r\n\r\n"
                                     "transpose=24\r\nnotation=0\r\nnoteName=0\r\n"
                                     "drilltype==3\r\ncustMelody=2\r\n");
    auto engine = rig.loadEngine();
    const Settings& s = engine->settings;
    EXPECT_EQ(s.autostart, 1); // the cycles line sits where autostart belongs
    EXPECT_EQ(s.cycles, 0);
    EXPECT_EQ(s.range, 2);
    EXPECT_EQ(s.midi, -1);
    EXPECT_EQ(s.miditimbre, 40);
    EXPECT_EQ(s.A, 440);
    // The blank line shifts the rest by one: transpose gets nothing (stays
    // 24), notation 24 (solfege), noteName 0, drilltype 0 (not a melody
    // source: composed), custMelody 3 from "drilltype==3", shapeNote 2.
    EXPECT_EQ(s.transpose, 24);
    EXPECT_EQ(s.notation, 24);
    EXPECT_EQ(engine->noteNames, &solfegeNoteNames());
    EXPECT_EQ(s.noteName, 0);
    EXPECT_EQ(s.drilltype, 1);
    EXPECT_EQ(s.custMelody, 3);
    EXPECT_EQ(s.shapeNote, 2);

    engine->saveAndRelease();
    EXPECT_EQ(rig.dir.read(kSettingsFileName),
              "autostart=1\r\ncycles=0\r\nrange=2\r\nmelosize=5\r\nscale=4\r\nnumScales=14\r\n"
              "mode=1\r\nlevel=2\r\nmidi=4294967295\r\nmiditimbre=40\r\nmidiVol=90\r\n"
              "micVol=63\r\nmicFilter=10\r\nA=440\r\ntranspose=24\r\nnotation=24\r\n"
              "noteName=0\r\ndrilltype==1\r\ncustMelody=3\r\nshapeNote=2\r\n");
}

TEST(DrillEngine, ScaleCountFollowsTheRecordsActuallyRead)
{
    EngineRig rig;
    std::string scales;
    for (const auto& s : builtInScales())
        scales += s.name + "," + std::to_string(s.mask) + "\r\n";
    scales += "Blues, hexatonic,1257\r\n";
    rig.dir.write(kScaleFileName, scales);
    // numScales promises 40 records, mode points past the 15 that exist.
    rig.dir.write(kSettingsFileName, settingsWith({{5, "numScales=40"}, {6, "mode=30"}}));
    auto engine = rig.loadEngine();
    EXPECT_EQ(engine->settings.numScales, 15);
    EXPECT_EQ(engine->scales.size(), 15u);
    EXPECT_EQ(engine->scales[14].name, "Blues, hexatonic");
    EXPECT_EQ(engine->settings.mode, 0);
    EXPECT_EQ(engine->scaleBits, scaleBitsOf(2741));

    engine->saveAndRelease();
    EXPECT_NE(rig.dir.read(kSettingsFileName).find("\r\nnumScales=15\r\nmode=0\r\n"),
              std::string::npos);
    EXPECT_TRUE(rig.dir.read(kScaleFileName).ends_with("Blues, hexatonic,1257\r\n"));
}

TEST(DrillEngine, ScaleBitsComeFromTheChosenScale)
{
    EngineRig rig;
    rig.dir.write(kSettingsFileName, settingsWith({{6, "mode=13"}}));
    auto engine = rig.loadEngine();
    EXPECT_EQ(engine->scaleBits, (ScaleBits{1, 1, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0})); // Tense
    engine->refreshScaleBits(7);
    EXPECT_EQ(engine->scaleBits, scaleBitsOf(661));
    engine->refreshScaleBits(500);
    EXPECT_EQ(engine->scaleBits, scaleBitsOf(2741));
    engine->refreshScaleBits(-1);
    EXPECT_EQ(engine->scaleBits, scaleBitsOf(2741));
}

TEST(DrillEngine, AnswerModeChoosesStaffBasesAndRangeVariant)
{
    EngineRig rig;
    rig.dir.write(kSettingsFileName, settingsWith({{16, "noteName=1"}}));
    auto engine = rig.loadEngine();
    EXPECT_EQ(engine->answerStaffBase, 243);
    EXPECT_EQ(engine->melodyStaffBase, 133);
    EXPECT_EQ(engine->rangeCentreStep, guitarRangeCentreSteps);

    engine->settings.noteName = 0;
    engine->setAnswerMode();
    EXPECT_EQ(engine->answerStaffBase, 264);
    EXPECT_EQ(engine->melodyStaffBase, 154);
    EXPECT_EQ(engine->rangeCentreStep, normalRangeCentreSteps);
}

TEST(DrillEngine, NotationSelectsTheNameTables)
{
    EngineRig rig;
    auto engine = rig.loadEngine();
    EXPECT_EQ(engine->noteNames, &solfegeNoteNames());
    engine->settings.notation = 0;
    engine->selectNotation();
    EXPECT_EQ(engine->noteNames->naturalNames[0], "C");
}

TEST(DrillEngine, PeriodTableFollowsA)
{
    EngineRig rig;
    auto engine = rig.loadEngine();
    EXPECT_NEAR(engine->periodTable[0], 168.56, 0.01);
    EXPECT_NEAR(engine->periodTable[48], 10.535, 0.001);
    engine->settings.A = 450;
    engine->buildPeriodTable();
    EXPECT_LT(engine->periodTable[0], 168.0);
}

TEST(DrillEngine, OneMidiDeviceGivesItAndTheMapper)
{
    EngineRig rig({"USB Keyboard"});
    rig.dir.write(kSettingsFileName, settingsWith({{8, "midi=2"}}));
    auto engine = rig.loadEngine();
    EXPECT_EQ(engine->midiDeviceNames, (std::vector<std::string>{"USB Keyboard", "Midi Mapper"}));
    EXPECT_EQ(engine->midiDeviceCount(), 2);
    EXPECT_EQ(engine->settings.midi, -1);
    EXPECT_TRUE(rig.midiOut.isOpen());
    EXPECT_TRUE(rig.messages.shown.empty());

    engine->saveAndRelease();
    EXPECT_FALSE(rig.midiOut.isOpen());
    EXPECT_EQ(rig.midiSystem.recording()->closeCount(), 1);
}

TEST(DrillEngine, FailedMidiOpenIsReportedAndStartUpGoesOn)
{
    EngineRig rig({"Broken Synth"});
    rig.midiSystem.failOpen(-1, "The device is busy.");
    auto engine = rig.loadEngine();
    ASSERT_EQ(rig.messages.shown.size(), 1u);
    EXPECT_EQ(rig.messages.shown[0].first, "Solfara Trainer");
    EXPECT_EQ(rig.messages.shown[0].second, "The device is busy.");
    EXPECT_FALSE(rig.midiOut.isOpen());
    EXPECT_NEAR(engine->periodTable[0], 168.56, 0.01); // the rest of the load ran
}

TEST(DrillEngine, ManyMidiDevicesAreBoundedToNineteenAndTheMapper)
{
    std::vector<std::string> names;
    for (int i = 0; i < 25; ++i)
        names.push_back("Port " + std::to_string(i) + " with a name well over thirty characters");
    EngineRig rig(names);
    auto engine = rig.loadEngine();
    ASSERT_EQ(engine->midiDeviceCount(), 20);
    EXPECT_EQ(engine->midiDeviceNames.back(), "Midi Mapper");
    for (const auto& name : engine->midiDeviceNames)
        EXPECT_LE(name.size(), 29u);
}

TEST(DrillEngine, WaveInputDevicesMakeCaptureAvailable)
{
    EngineRig none;
    EXPECT_EQ(none.loadEngine()->waveAvailable, 0);
    EngineRig one({}, 1);
    EXPECT_EQ(one.loadEngine()->waveAvailable, 1);
}
