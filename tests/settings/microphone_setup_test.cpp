// The Sound page's microphone set-up: the choice of input, the level meter,
// "Set from room" and the microphone check, fed by a scripted microphone and
// a clock moved by hand.
#include "platform/testing/manual_clock.h"
#include "platform/testing/scripted_wave_input.h"
#include "settings/level_meter_view.h"
#include "settings/level_slider.h"
#include "settings/sound_page.h"
#include "tests/settings/page_fixture.h"

#include <QPushButton>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <random>

namespace {

// One meter window (40 ms) of a sine or of white noise at a level in dBFS.
std::vector<float> sineWindow(float peakDbfs)
{
    std::vector<float> samples(SoundLevelMeter::kWindowSamples);
    const double amplitude = std::pow(10.0, peakDbfs / 20.0);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = float(amplitude * std::sin(2 * std::numbers::pi * 250.0 * double(i) / 11025));
    return samples;
}

std::vector<float> noiseWindow(float rmsDbfs, std::mt19937& random)
{
    std::normal_distribution<float> gauss(0.0f, std::pow(10.0f, rmsDbfs / 20.0f));
    std::vector<float> samples(SoundLevelMeter::kWindowSamples);
    for (float& s : samples)
        s = gauss(random);
    return samples;
}

struct MicrophoneSetupTest : testing::Test, PageTest {
    ScriptedWaveInput microphone;
    ManualClock clock{1000};
    std::vector<std::string> chosen;
    std::unique_ptr<SettingsSheet> sheet;
    SoundPage* page = nullptr;

    MicrophoneSetupTest()
    {
        static_cast<void>(microphone.open());
        context.microphones = {{"pipe_microphone", "Built-in Audio", false},
                               {"usb_microphone", "USB Microphone", false}};
        context.chosenMicrophone = "usb_microphone";
        context.chooseMicrophone = [this](const std::string& name) { chosen.push_back(name); };
        context.microphoneLevel = [this] { return microphone.levelMeter(); };
    }
    void open()
    {
        sheet = std::make_unique<SettingsSheet>(context, SheetTab::Sound);
        page = sheet->findChild<SoundPage*>();
        page->useClock(clock);
        page->useMessages(messages);
    }
    // The next 40 ms: one window of sound, then the page's reading.
    void hear(const std::vector<float>& window)
    {
        microphone.feedSound(window);
        clock.advance(40);
        page->readLevel();
    }
    gdi::Colour meterPixel(int x, int y)
    {
        auto* meter = sheet->findChild<LevelMeterView*>("levelMeter");
        return meter->backBuffer().pixel(x, y);
    }
    QRect meterBar()
    {
        return levelMeterBar(sheet->findChild<LevelMeterView*>("levelMeter")->rect());
    }
    QPushButton* button(const char* name) { return control<QPushButton>(*sheet, name); }
};

TEST_F(MicrophoneSetupTest, TheInputListOffersTheDefaultThenEverySourceAndActsAtOnce)
{
    open();
    auto* inputs = control<QComboBox>(*sheet, "microphone");
    ASSERT_EQ(inputs->count(), 3);
    EXPECT_EQ(inputs->itemText(0), "Default");
    EXPECT_EQ(inputs->itemText(2), "USB Microphone");
    EXPECT_EQ(inputs->currentIndex(), 2);
    choose(inputs, 1);
    choose(inputs, 0);
    EXPECT_EQ(chosen, (std::vector<std::string>{"pipe_microphone", ""}));
}

TEST_F(MicrophoneSetupTest, AChosenSourceNotPluggedInKeepsItsEntry)
{
    context.chosenMicrophone = "headset";
    open();
    auto* inputs = control<QComboBox>(*sheet, "microphone");
    ASSERT_EQ(inputs->count(), 4);
    EXPECT_EQ(inputs->currentText(), "headset (not connected)");
}

TEST_F(MicrophoneSetupTest, WithNothingToChooseTheListIsOff)
{
    context.microphones.clear();
    context.chooseMicrophone = {};
    context.chosenMicrophone.clear();
    open();
    EXPECT_FALSE(control<QComboBox>(*sheet, "microphone")->isEnabled());
}

TEST_F(MicrophoneSetupTest, TheMeterDrawsEachLevelInItsVerdictsColour)
{
    struct Row {
        const char* name;
        float peakDbfs;
        gdi::Colour bar; // just inside the RMS bar's end
        bool lamp;
    };
    // The page's filter (10 steps) lets peaks above -22 dBFS through.
    const Row rows[] = {
        {"below the filter", -30.0f, gdi::rgb(128, 128, 128), false},
        {"a good voice", -12.0f, gdi::rgb(0, 208, 0), false},
        {"clipping", -0.5f, kClipLampColour, true},
    };
    for (const Row& row : rows) {
        open();
        hear(sineWindow(row.peakDbfs));
        const QRect bar = meterBar();
        const int rmsEnd = meterColumn(bar, row.peakDbfs - 3.01f);
        const int middle = bar.top() + bar.height() / 2;
        EXPECT_EQ(meterPixel(rmsEnd - 2, middle), row.bar) << row.name;
        // The measured peak may fall a hair from the nominal one: a column either way.
        const int peak = meterColumn(bar, row.peakDbfs);
        EXPECT_TRUE(meterPixel(peak - 1, middle) == gdi::white ||
                    meterPixel(peak, middle) == gdi::white ||
                    meterPixel(peak + 1, middle) == gdi::white)
            << row.name;
        const QRect area = sheet->findChild<LevelMeterView*>("levelMeter")->rect();
        EXPECT_EQ(meterPixel(area.right() - 3, middle),
                  row.lamp ? kClipLampColour : kClipLampDarkColour)
            << row.name;
    }
}

TEST_F(MicrophoneSetupTest, AClipKeepsTheLampLitForAMomentAndASilentSourceFallsToSilence)
{
    open();
    hear(sineWindow(0.0f));
    const QRect area = sheet->findChild<LevelMeterView*>("levelMeter")->rect();
    const QRect bar = meterBar();
    const int middle = bar.top() + bar.height() / 2;
    for (int ms = 0; ms < SoundPage::kClipLampMs - 80; ms += 40)
        hear(sineWindow(-12.0f));
    EXPECT_EQ(meterPixel(area.right() - 3, middle), kClipLampColour);
    hear(sineWindow(-12.0f));
    hear(sineWindow(-12.0f));
    EXPECT_EQ(meterPixel(area.right() - 3, middle), kClipLampDarkColour);

    // No reading for a while: the bar empties.
    clock.advance(300);
    page->readLevel();
    EXPECT_EQ(meterPixel(bar.left() + 1, middle), gdi::black);
}

TEST_F(MicrophoneSetupTest, SetFromRoomMovesTheFilterJustAboveTheNoiseAfterASecond)
{
    struct Row {
        const char* name;
        float noiseRmsDbfs;
        int filter;
        bool warned;
    };
    const Row rows[] = {
        {"a quiet room", -60.0f, 2, false},
        {"a noisy room", -45.0f, 4, true},
    };
    for (const Row& row : rows) {
        messages.told.clear();
        open();
        std::mt19937 random(3);
        button("setFromRoom")->click();
        EXPECT_EQ(button("setFromRoom")->text(), "Quiet, please");
        EXPECT_FALSE(button("checkMicrophone")->isEnabled());
        for (int ms = 0; ms < SoundPage::kRoomMs; ms += 40)
            hear(noiseWindow(row.noiseRmsDbfs, random));
        EXPECT_EQ(control<LevelSlider>(*sheet, "micFilter")->storedValue(), row.filter) << row.name;
        EXPECT_EQ(sheet->workingCopy().micFilter, row.filter) << row.name;
        EXPECT_EQ(button("setFromRoom")->text(), "Set from room");
        EXPECT_EQ(messages.told.size(), row.warned ? 1u : 0u) << row.name;
    }
}

TEST_F(MicrophoneSetupTest, SetFromRoomWithoutSoundLeavesTheFilterAndSaysWhy)
{
    open();
    button("setFromRoom")->click();
    for (int ms = 0; ms <= SoundPage::kRoomMs; ms += 40) {
        clock.advance(40);
        page->readLevel();
    }
    EXPECT_EQ(sheet->workingCopy().micFilter, context.settings.micFilter);
    ASSERT_EQ(messages.told.size(), 1u);
    EXPECT_NE(messages.told[0].find("No sound reaches"), std::string::npos);
}

TEST_F(MicrophoneSetupTest, TheCheckTellsTheSingerWhatToDoThenGivesOneVerdict)
{
    open();
    std::mt19937 random(5);
    button("checkMicrophone")->click();
    EXPECT_EQ(button("checkMicrophone")->text(), "Quiet ...");
    for (int ms = 0; ms < MicrophoneCheck::kQuietMs; ms += 40)
        hear(noiseWindow(-65.0f, random));
    EXPECT_EQ(button("checkMicrophone")->text(), "Sing now");
    for (int ms = 0; ms < MicrophoneCheck::kVoiceMs && messages.shown.empty(); ms += 40)
        hear(sineWindow(-10.0f));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].first, "Microphone Check");
    EXPECT_EQ(messages.shown[0].second, verdictAdvice(MicrophoneVerdict::Fine));
    // Noise at -65 dBFS never reaches one 8-bit step: the filter is one step.
    EXPECT_EQ(sheet->workingCopy().micFilter, 1) << "the room's noise set the filter";
    EXPECT_EQ(button("checkMicrophone")->text(), "Check");
}

TEST_F(MicrophoneSetupTest, ACheckOfASourceThatDeliversNothingEndsInTenSeconds)
{
    context.startMicrophoneCheck = true; // as the offer at the first start opens it
    open();
    sheet->show();
    EXPECT_EQ(button("checkMicrophone")->text(), "Quiet ...");
    for (int ms = 0; ms <= MicrophoneCheck::kLongestMs && messages.shown.empty(); ms += 40) {
        clock.advance(40);
        page->readLevel();
    }
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].second, verdictAdvice(MicrophoneVerdict::NoSignal));
}

} // namespace
