#include "voice/pitch_detector.h"
#include "voice/voice_input.h"

#include "platform/testing/scripted_wave_input.h"
#include "platform/testing/sound_samples.h"
#include "tests/voice/recording_listener.h"

#include <gtest/gtest.h>

namespace {

class VoiceInputTest : public testing::Test {
protected:
    // Records `block` as the device would and hands the filled block over.
    void hear(const std::vector<std::uint8_t>& block)
    {
        device.feed(block);
        device.deliverPending();
    }

    ScriptedWaveInput device;
    RecordingListener listener;
    PitchDetector detector;
    VoiceInput voice{device, detector, listener};
};

TEST_F(VoiceInputTest, TheDeviceIsTestedOnlyOnce)
{
    voice.setWaveAvailable(true);
    voice.prepareCapture();
    EXPECT_EQ(device.opens, 1);
    EXPECT_FALSE(device.isOpen());
    EXPECT_TRUE(listener.messages.empty());

    device.failOpen = true;
    voice.prepareCapture();
    EXPECT_EQ(listener.messages,
              std::vector<std::string>{"Solfara Trainer: The wave device cannot be accessed!"});
    EXPECT_FALSE(voice.waveAvailable());
    voice.startCapture(); // voice input is off for the run
    EXPECT_EQ(device.opens, 2);
    EXPECT_TRUE(device.queuedLengths.empty());
    EXPECT_EQ(listener.messages.size(), 1u);
}

TEST_F(VoiceInputTest, AMissingMicrophoneBringsNoBlocks)
{
    voice.prepareCapture();
    voice.startCapture();
    EXPECT_EQ(device.opens, 0);
    EXPECT_TRUE(device.queuedLengths.empty());

    voice.setWaveAvailable(true);
    voice.prepareCapture();
    device.failOpen = true;
    voice.startCapture();
    hear(sineBlock(440, 2048));
    EXPECT_TRUE(listener.messages.empty());
    EXPECT_TRUE(listener.verdicts.empty());
}

TEST_F(VoiceInputTest, TheNextBlockIsQueuedAtTheDetectorsLength)
{
    voice.setWaveAvailable(true);
    voice.startCapture();
    ASSERT_EQ(device.queuedLengths, std::vector<std::size_t>{2048});

    hear(sineBlock(440, 2048)); // A4: note 33, next block short
    hear(sineBlock(440, 1024));
    hear(sineBlock(110, 1024)); // A2: note 9, next block long
    ASSERT_EQ(listener.verdicts.size(), 3u);
    EXPECT_EQ(listener.verdicts[0].detection.sungNote, 33);
    EXPECT_TRUE(listener.verdicts[1].accepted); // cycles 1: the second match
    EXPECT_EQ(listener.verdicts[2].detection.sungNote, 9);
    EXPECT_EQ(listener.arrivedLengths, (std::vector<std::size_t>{2048, 1024, 1024}));
    EXPECT_EQ(device.queuedLengths, (std::vector<std::size_t>{2048, 1024, 1024, 2048}));
}

TEST_F(VoiceInputTest, PausedDetectionKeepsBlocksFlowingWithoutJudging)
{
    voice.setWaveAvailable(true);
    voice.startCapture();
    voice.setDetectionPaused(true);
    listener.skipTo = RecordingListener::dueNote;
    hear(sineBlock(440, 2048));
    hear(sineBlock(440, 2048));
    EXPECT_TRUE(listener.verdicts.empty());
    EXPECT_EQ(listener.arrivedLengths.size(), 2u);
    EXPECT_TRUE(listener.skipTo); // still waiting for an analysed block

    voice.setDetectionPaused(false);
    hear(silenceBlock(2048)); // the skip request accepts the due note in silence
    ASSERT_EQ(listener.verdicts.size(), 1u);
    EXPECT_TRUE(listener.verdicts[0].accepted);
}

TEST_F(VoiceInputTest, MicrophoneOffHearsNothing)
{
    voice.setWaveAvailable(true);
    voice.startCapture();
    device.feed(sineBlock(440, 1000));
    voice.setMicrophoneOn(false);
    EXPECT_TRUE(voice.micMuted());
    EXPECT_FALSE(device.isOpen());
    hear(sineBlock(440, 2048));
    voice.startCapture(); // does not open the device while the microphone is off
    EXPECT_FALSE(device.isOpen());
    EXPECT_TRUE(listener.verdicts.empty());

    voice.setMicrophoneOn(true);
    EXPECT_TRUE(device.isOpen());
    hear(sineBlock(440, 2048));
    voice.setMicMuted(true);
    hear(sineBlock(440, 1024));
    ASSERT_EQ(listener.verdicts.size(), 2u);
    EXPECT_EQ(listener.verdicts[0].detection.sungNote, 33);
    EXPECT_EQ(listener.verdicts[1].detection.outcome, BlockOutcome::Silent);
}

} // namespace
