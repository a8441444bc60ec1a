#include "voice/microphone_check.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

SoundLevel level(float peak, float rms)
{
    return {peak, rms};
}

TEST(MicrophoneLevel, AReadingIsJudgedAgainstTheFilterAndTheLimits)
{
    struct Row {
        const char* name;
        SoundLevel level;
        int filter;
        LevelVerdict verdict;
    };
    // Filter 2 lets through peaks of 3 steps and more: -32.6 dBFS rounds to 3.
    const Row rows[] = {
        {"digital silence", {}, 2, LevelVerdict::Silence},
        {"noise at the filter", level(-38.0f, -48.0f), 2, LevelVerdict::Silence},
        {"a faint voice above the filter", level(-32.6f, -41.0f), 2, LevelVerdict::TooQuiet},
        {"a voice in the good band", level(-12.0f, -20.0f), 2, LevelVerdict::Good},
        {"just below the clip limit", level(-1.1f, -6.0f), 2, LevelVerdict::Good},
        {"at the clip limit", level(-1.0f, -6.0f), 2, LevelVerdict::Clipping},
        {"a clip even when filtered away", level(0.0f, -3.0f), 128, LevelVerdict::Clipping},
        {"a faint voice under a high filter", level(-32.6f, -41.0f), 10, LevelVerdict::Silence},
    };
    for (const Row& row : rows)
        EXPECT_EQ(judgeLevel(row.level, row.filter), row.verdict) << row.name;
}

// White noise of a given RMS, measured in 40 ms windows as the meter does.
std::vector<SoundLevel> noiseReadings(float rmsDbfs, int seconds)
{
    std::mt19937 random(7);
    std::normal_distribution<float> gauss(0.0f, std::pow(10.0f, rmsDbfs / 20.0f));
    SoundLevelMeter meter;
    std::vector<SoundLevel> readings;
    std::vector<float> window(SoundLevelMeter::kWindowSamples);
    for (int i = 0; i < seconds * 25; ++i) {
        for (float& s : window)
            s = gauss(random);
        meter.feed(window.data(), window.size());
        readings.push_back(meter.latest());
    }
    return readings;
}

TEST(MicrophoneRoom, TheFilterIsSetJustAboveTheRoomsNoise)
{
    struct Row {
        const char* name;
        float noiseRmsDbfs;
        int filter; // one step above the loudest noise sample
        bool noisy;
    };
    // Gaussian noise peaks about 11 dB above its RMS in a second of samples.
    const Row rows[] = {
        {"a quiet room", -60.0f, 2, false},
        {"a noisy room", -45.0f, 4, true},
    };
    for (const Row& row : rows) {
        const auto readings = noiseReadings(row.noiseRmsDbfs, 1);
        const RoomNoise room = measureRoom(readings);
        EXPECT_EQ(room.filter, row.filter) << row.name;
        EXPECT_EQ(room.noisy, row.noisy) << row.name;
        EXPECT_NEAR(room.loudest.rmsDbfs, row.noiseRmsDbfs, 1.0) << row.name;
        // Every window of the same noise is judged silent at that filter.
        for (const SoundLevel& reading : noiseReadings(row.noiseRmsDbfs, 2))
            EXPECT_EQ(judgeLevel(reading, room.filter), LevelVerdict::Silence) << row.name;
    }
    EXPECT_EQ(measureRoom({}).filter, 0);
    EXPECT_EQ(measureRoom(std::vector<SoundLevel>(25)).filter, 1) << "digital silence";
}

TEST(MicrophoneCheck, EachKindOfTroubleGivesItsVerdict)
{
    struct Row {
        const char* name;
        SoundLevel room;
        SoundLevel voice;
        MicrophoneVerdict verdict;
        int endsByMs; // a voice ends the check early
    };
    const Row rows[] = {
        {"a muted source", {}, {}, MicrophoneVerdict::NoSignal, MicrophoneCheck::kLongestMs},
        {"a voice that clips", level(-70, -75), level(-0.5f, -8), MicrophoneVerdict::Clipping,
         3000},
        {"a noisy room", level(-38, -46), level(-10, -18), MicrophoneVerdict::NoisyRoom, 3000},
        {"all fine", level(-62, -70), level(-10, -18), MicrophoneVerdict::Fine, 3000},
    };
    for (const Row& row : rows) {
        MicrophoneCheck check;
        int ms = 0;
        for (; check.phase() != MicrophoneCheck::Phase::Done && ms <= 20000; ms += 40)
            check.add(ms < MicrophoneCheck::kQuietMs ? row.room : row.voice, ms);
        EXPECT_EQ(check.verdict(), row.verdict) << row.name;
        EXPECT_LE(ms, row.endsByMs + 40) << row.name;
        EXPECT_FALSE(verdictAdvice(row.verdict).empty());
    }
}

TEST(MicrophoneCheck, ASourceThatDeliversNothingEndsAfterTenSecondsWithNoSignal)
{
    MicrophoneCheck check;
    check.tick(9999);
    EXPECT_EQ(check.phase(), MicrophoneCheck::Phase::Sing);
    check.tick(10000);
    EXPECT_EQ(check.phase(), MicrophoneCheck::Phase::Done);
    EXPECT_EQ(check.verdict(), MicrophoneVerdict::NoSignal);
}

} // namespace
