#include "drill/settings_file.h"
#include "music/scale_file.h"
#include "tests/support/engine_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(DrillEngine, TheDataFilesAreWrittenOnceAtExit)
{
    EngineRig rig;
    auto engine = rig.loadEngine();
    EXPECT_EQ(engine->settings, Settings{});
    EXPECT_EQ(engine->scales, builtInScales());
    EXPECT_EQ(rig.dir.read(kSettingsFileName), "");
    EXPECT_EQ(rig.dir.read(kScaleFileName), "");
    EXPECT_TRUE(engine->midiDeviceNames.empty());
    EXPECT_FALSE(engine->microphoneFound());
    EXPECT_TRUE(rig.messages.shown.empty());

    engine->saveAndRelease();
    engine->settings.melosize = 3;
    engine->saveAndRelease(); // runs once: writes nothing more
    EXPECT_EQ(rig.dir.read(kSettingsFileName), settingsFileText(Settings{}));
    const std::string scaleText = rig.dir.read(kScaleFileName);
    EXPECT_TRUE(scaleText.starts_with("MAJOR,2741\r\n"));
    EXPECT_TRUE(scaleText.ends_with("Tense,195\r\n"));

    // The second run reads back what the first wrote; files deleted while it
    // runs are not created again.
    auto second = rig.loadEngine();
    EXPECT_EQ(second->settings, Settings{});
    EXPECT_EQ(second->scales, builtInScales());
    std::filesystem::remove(rig.dir.file(kSettingsFileName));
    std::filesystem::remove(rig.dir.file(kScaleFileName));
    second->saveAndRelease();
    EXPECT_FALSE(std::filesystem::exists(rig.dir.file(kSettingsFileName)));
    EXPECT_FALSE(std::filesystem::exists(rig.dir.file(kScaleFileName)));
}

TEST(DrillEngine, ScaleCountFollowsTheRecordsActuallyRead)
{
    EngineRig rig;
    std::string scales;
    for (const auto& s : builtInScales())
        scales += s.name + "," + std::to_string(s.mask) + "\r\n";
    rig.dir.write(kScaleFileName, scales + "Blues, hexatonic,1257\r\n");
    // numScales promises 40 records, mode points past the 15 that exist.
    rig.dir.write(kSettingsFileName, settingsFileText({.numScales = 40, .mode = 30}));
    auto engine = rig.loadEngine();
    EXPECT_EQ(engine->settings.numScales, 15);
    EXPECT_EQ(engine->scales[14].name, "Blues, hexatonic");
    EXPECT_EQ(engine->settings.mode, 0);
    EXPECT_EQ(engine->scaleBits, scaleBitsOf(2741));

    engine->saveAndRelease();
    // Written in place: a byte of the longer old file stays after the last line.
    EXPECT_EQ(rig.dir.read(kSettingsFileName), settingsFileText({.numScales = 15}) + "\n");
    EXPECT_TRUE(rig.dir.read(kScaleFileName).ends_with("Blues, hexatonic,1257\r\n"));
}

TEST(DrillEngine, DisplayStateFollowsTheSettings)
{
    EngineRig rig;
    rig.dir.write(kSettingsFileName, settingsFileText({.mode = 13, .notation = 0, .noteName = 1}));
    auto engine = rig.loadEngine();
    EXPECT_EQ(engine->scaleBits, scaleBitsOf(195)); // Tense
    EXPECT_EQ(engine->noteNames, &letterNoteNames());
    EXPECT_EQ(engine->rangeCentreStep, guitarRangeCentreSteps);

    engine->refreshScaleBits(500); // past the list: MAJOR
    EXPECT_EQ(engine->scaleBits, scaleBitsOf(2741));
    engine->settings.noteName = 0;
    engine->setAnswerMode();
    EXPECT_EQ(engine->rangeCentreStep, normalRangeCentreSteps);
    const double periodAt440 = engine->periodTable[0];
    engine->settings.A = 450;
    engine->buildPeriodTable();
    EXPECT_LT(engine->periodTable[0], periodAt440);
}

TEST(DrillEngine, TheMapperFollowsTheDevices)
{
    EngineRig rig({"USB Keyboard"}, 1);
    rig.dir.write(kSettingsFileName, settingsFileText({.midi = 2, .miditimbre = 52}));
    auto engine = rig.loadEngine();
    EXPECT_EQ(engine->midiDeviceNames, (std::vector<std::string>{"USB Keyboard", "Midi Mapper"}));
    EXPECT_EQ(engine->settings.midi, -1); // 2 is past the list
    EXPECT_TRUE(rig.midiOut.isOpen());
    // The drill's timbre and the intro's program sound without a loading delay.
    EXPECT_EQ(rig.midiSystem.recording()->preloadedPrograms(), (std::vector<int>{52, 16}));
    EXPECT_TRUE(rig.messages.shown.empty());
    EXPECT_TRUE(engine->microphoneFound());

    engine->saveAndRelease();
    EXPECT_FALSE(rig.midiOut.isOpen());
    EXPECT_EQ(rig.midiSystem.recording()->closeCount(), 1);
}

TEST(DrillEngine, AFailedMidiOpenDoesNotStopStartUp)
{
    EngineRig rig({"Broken Synth"});
    rig.midiSystem.failOpen(-1, "The device is busy.");
    auto engine = rig.loadEngine();
    EXPECT_EQ(rig.messages.shown, (std::vector<std::pair<std::string, std::string>>{
                                      {"Solfara Trainer", "The device is busy."}}));
    EXPECT_FALSE(rig.midiOut.isOpen());
    EXPECT_NEAR(engine->periodTable[0], 168.56, 0.01); // the rest of the load ran
}
