#include "platform/system/single_instance.h"
#include "platform/system/tone_generator.h"
#include "tests/support/temp_dir.h"

#include <QFileInfo>
#include <QSysInfo>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

TEST(SingleInstance, ASecondInstanceOnTheSameDesktopIsRefused)
{
    TempDir dir;
    QString path = QString::fromStdString(dir.path().string());
    {
        SingleInstance first("beatwise", path);
        ASSERT_TRUE(first.acquire());
        EXPECT_TRUE(first.lockPath().startsWith(path));
        SingleInstance second("beatwise", path);
        EXPECT_FALSE(second.acquire());
        SingleInstance other("solfara", path);
        EXPECT_TRUE(other.acquire());
    }
    SingleInstance later("beatwise", path);
    EXPECT_TRUE(later.acquire());
}

TEST(SingleInstance, ALockLeftByADeadProgramIsTakenOver)
{
    TempDir dir;
    QString path = QString::fromStdString(dir.path().string());
    SingleInstance probe("beatwise", path);
    // A lock file whose owner (a process id that cannot exist) is gone.
    dir.write(QFileInfo(probe.lockPath()).fileName().toStdString(),
              "2147483600\nbeatwise\n" + QSysInfo::machineHostName().toStdString() + "\n");
    EXPECT_TRUE(probe.acquire());
}

TEST(ToneGenerator, SoundsForItsLengthWithSoftEdgesThenFallsSilent)
{
    ToneGenerator tone(44100);
    std::vector<float> out(4410, 1.0f);
    tone.start(1046.502, 50); // 2205 samples
    EXPECT_TRUE(tone.sounding());
    tone.render(out.data(), static_cast<unsigned>(out.size()));
    EXPECT_FALSE(tone.sounding());
    EXPECT_EQ(out[0], 0.0f); // fades in
    float peak = 0;
    for (int i = 0; i < 2205; ++i)
        peak = std::max(peak, std::abs(out[i]));
    EXPECT_NEAR(peak, 0.3f, 0.01f);
    EXPECT_LT(std::abs(out[2204]), 0.01f); // and out
    EXPECT_TRUE(std::all_of(out.begin() + 2205, out.end(), [](float s) { return s == 0; }));

    // A zero crossing count gives the pitch: about 2 × 1046.5 × 0.04 s in the middle.
    int crossings = 0;
    for (int i = 221; i < 221 + 1764; ++i)
        crossings += (out[i] < 0) != (out[i + 1] < 0);
    EXPECT_NEAR(crossings, 84, 2);
}

TEST(ToneGenerator, ANewToneReplacesTheOneSounding)
{
    ToneGenerator tone(1000);
    std::vector<float> out(30);
    tone.start(100, 20);
    tone.render(out.data(), 10);
    tone.start(100, 20);
    tone.render(out.data(), 19);
    EXPECT_TRUE(tone.sounding());
    tone.render(out.data(), 1);
    EXPECT_FALSE(tone.sounding());
}
