#include "platform/system/single_instance.h"
#include "platform/system/tone_generator.h"
#include "platform/testing/temp_dir.h"

#include <QFileInfo>
#include <QSysInfo>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

TEST(SingleInstance, OnlyALiveInstanceHoldsTheLock)
{
    TempDir dir;
    const QString path = QString::fromStdString(dir.path().string());
    {
        SingleInstance first("beatwise", path);
        ASSERT_TRUE(first.acquire());
        EXPECT_TRUE(first.lockPath().startsWith(path));
        EXPECT_FALSE(SingleInstance("beatwise", path).acquire());
        EXPECT_TRUE(SingleInstance("solfara", path).acquire());
    }
    SingleInstance later("beatwise", path);
    // A lock file whose owner (a process id that cannot exist) is gone.
    dir.write(QFileInfo(later.lockPath()).fileName().toStdString(),
              "2147483600\nbeatwise\n" + QSysInfo::machineHostName().toStdString() + "\n");
    EXPECT_TRUE(later.acquire());
}

TEST(ToneGenerator, SoundsForItsLengthAtItsPitchWithSoftEdges)
{
    ToneGenerator tone(44100);
    std::vector<float> out(4410, 1.0f);
    tone.start(1046.502, 50); // 2205 samples
    tone.render(out.data(), static_cast<unsigned>(out.size()));
    EXPECT_FALSE(tone.sounding());
    EXPECT_EQ(out[0], 0.0f);               // fades in
    EXPECT_LT(std::abs(out[2204]), 0.01f); // and out
    float peak = 0;
    for (int i = 0; i < 2205; ++i)
        peak = std::max(peak, std::abs(out[i]));
    EXPECT_NEAR(peak, 0.3f, 0.01f);
    EXPECT_TRUE(std::all_of(out.begin() + 2205, out.end(), [](float s) { return s == 0; }));
    // A zero crossing count gives the pitch: about 2 × 1046.5 × 0.04 s in the middle.
    int crossings = 0;
    for (int i = 221; i < 221 + 1764; ++i)
        crossings += (out[i] < 0) != (out[i + 1] < 0);
    EXPECT_NEAR(crossings, 84, 2);

    // A new tone replaces the one sounding, from its start.
    ToneGenerator short_(1000);
    short_.start(100, 20);
    short_.render(out.data(), 10);
    short_.start(100, 20);
    short_.render(out.data(), 19);
    EXPECT_TRUE(short_.sounding());
    short_.render(out.data(), 1);
    EXPECT_FALSE(short_.sounding());
}
