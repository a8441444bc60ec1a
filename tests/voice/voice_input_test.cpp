#include "voice/voice_input.h"

#include "platform/audio/scripted_wave_input.h"
#include "tests/voice/tone.h"

#include <gtest/gtest.h>

namespace {

class RecordingListener : public VoiceListener {
public:
    BlockContext blockContext() override
    {
        BlockContext context;
        context.periodTable = &table;
        context.dueNote = dueNote;
        context.cycles = 1;
        return context;
    }
    void blockArrived(std::span<const std::uint8_t> samples) override
    {
        arrivedLengths.push_back(samples.size());
    }
    void blockJudged(const BlockVerdict& verdict) override { verdicts.push_back(verdict); }
    void showMessage(const std::string& text, const std::string& caption) override
    {
        messages.push_back(caption + ": " + text);
    }

    PeriodTable table = buildPeriodTable(440);
    int dueNote = 33;
    std::vector<std::size_t> arrivedLengths;
    std::vector<BlockVerdict> verdicts;
    std::vector<std::string> messages;
};

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
    VoiceInput voice{device, listener};
};

TEST_F(VoiceInputTest, PrepareTestsTheDeviceAndClosesItAgain)
{
    voice.setWaveAvailable(true);
    voice.prepareCapture();
    EXPECT_EQ(device.opens, 1);
    EXPECT_FALSE(device.isOpen());
    EXPECT_TRUE(listener.messages.empty());
    EXPECT_TRUE(voice.waveAvailable());
}

TEST_F(VoiceInputTest, FailedTestOpenIsReportedOnceAndTurnsVoiceInputOff)
{
    device.failOpen = true;
    voice.setWaveAvailable(true);
    voice.prepareCapture();
    ASSERT_EQ(listener.messages.size(), 1u);
    EXPECT_EQ(listener.messages[0], "Solfara Trainer: The wave device cannot be accessed!");
    EXPECT_FALSE(voice.waveAvailable());

    voice.startCapture();
    EXPECT_EQ(device.opens, 1);
    EXPECT_TRUE(device.queuedLengths.empty());
    EXPECT_EQ(listener.messages.size(), 1u);
}

TEST_F(VoiceInputTest, WithoutAMicrophoneNothingIsOpenedOrSaid)
{
    voice.setWaveAvailable(false);
    voice.prepareCapture();
    voice.startCapture();
    EXPECT_EQ(device.opens, 0);
    EXPECT_TRUE(listener.messages.empty());
    EXPECT_TRUE(device.queuedLengths.empty());
    voice.stopCapture();
    hear(sineBlock(440, 2048));
    EXPECT_TRUE(listener.verdicts.empty());
}

TEST_F(VoiceInputTest, LaterOpenFailuresAreSilentAndBringNoBlocks)
{
    voice.setWaveAvailable(true);
    voice.prepareCapture();
    device.failOpen = true;
    voice.startCapture();
    hear(sineBlock(440, 2048));
    EXPECT_TRUE(listener.messages.empty());
    EXPECT_TRUE(listener.verdicts.empty());
}

TEST_F(VoiceInputTest, EachBlockIsJudgedAndTheNextIsQueuedWithTheDetectorsLength)
{
    voice.setWaveAvailable(true);
    voice.startCapture();
    ASSERT_EQ(device.queuedLengths, std::vector<std::size_t>{2048});

    hear(sineBlock(440, 2048)); // A4: note 33, next block short
    ASSERT_EQ(listener.verdicts.size(), 1u);
    EXPECT_EQ(listener.verdicts[0].detection.sungNote, 33);
    EXPECT_EQ(device.queuedLengths.back(), 1024u);

    hear(sineBlock(440, 1024));
    ASSERT_EQ(listener.verdicts.size(), 2u);
    EXPECT_TRUE(listener.verdicts[1].accepted); // cycles 1: the second match

    hear(sineBlock(110, 1024)); // A2: note 9, next block long
    EXPECT_EQ(listener.verdicts[2].detection.sungNote, 9);
    EXPECT_EQ(device.queuedLengths.back(), 2048u);
    EXPECT_EQ(listener.arrivedLengths, (std::vector<std::size_t>{2048, 1024, 1024}));
}

TEST_F(VoiceInputTest, PausedDetectionKeepsBlocksFlowingWithoutJudging)
{
    voice.setWaveAvailable(true);
    voice.startCapture();
    voice.setDetectionPaused(true);
    voice.detector().requestSkip();
    hear(sineBlock(440, 2048));
    hear(sineBlock(440, 2048));
    EXPECT_TRUE(listener.verdicts.empty());
    EXPECT_EQ(listener.arrivedLengths.size(), 2u);
    EXPECT_TRUE(device.blockQueued());
    EXPECT_TRUE(voice.detector().skipRequested());

    voice.setDetectionPaused(false);
    hear(silenceBlock(2048));
    ASSERT_EQ(listener.verdicts.size(), 1u);
    EXPECT_TRUE(listener.verdicts[0].accepted);
}

TEST_F(VoiceInputTest, SwitchingTheMicrophoneOffClosesTheDeviceAndMutes)
{
    voice.setWaveAvailable(true);
    voice.startCapture();
    device.feed(sineBlock(440, 1000));
    voice.setMicrophoneOn(false);
    EXPECT_TRUE(voice.micOff());
    EXPECT_TRUE(voice.micMuted());
    EXPECT_FALSE(device.isOpen());
    hear(sineBlock(440, 2048));
    EXPECT_TRUE(listener.verdicts.empty());

    // Starting capture with the microphone off does not open the device.
    voice.startCapture();
    EXPECT_FALSE(device.isOpen());

    voice.setMicrophoneOn(true);
    EXPECT_TRUE(device.isOpen());
    EXPECT_FALSE(voice.micMuted());
    hear(sineBlock(440, 2048));
    ASSERT_EQ(listener.verdicts.size(), 1u);
    EXPECT_EQ(listener.verdicts[0].detection.sungNote, 33);
}

TEST_F(VoiceInputTest, MutedBlocksAreSilent)
{
    voice.setWaveAvailable(true);
    voice.startCapture();
    voice.setMicMuted(true);
    hear(sineBlock(440, 2048));
    ASSERT_EQ(listener.verdicts.size(), 1u);
    EXPECT_EQ(listener.verdicts[0].detection.outcome, BlockOutcome::silent);
}

} // namespace
