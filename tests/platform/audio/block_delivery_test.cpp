#include "platform/audio/scripted_wave_input.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <chrono>
#include <numeric>
#include <thread>
#include <vector>

namespace {

std::vector<std::uint8_t> ramp(std::size_t count, std::uint8_t first = 0)
{
    std::vector<std::uint8_t> samples(count);
    std::iota(samples.begin(), samples.end(), first);
    return samples;
}

class BlockDeliveryTest : public testing::Test {
protected:
    void SetUp() override
    {
        input.setBlockHandler([this](const CapturedBlock& block) {
            blocks.emplace_back(block.samples.begin(), block.samples.end());
        });
        ASSERT_TRUE(input.open());
    }

    ScriptedWaveInput input;
    std::vector<std::vector<std::uint8_t>> blocks;
};

TEST_F(BlockDeliveryTest, DeliversExactlyTheQueuedLengthAndDropsSamplesWhileNothingIsQueued)
{
    input.queueBlock(1024);
    input.start();
    auto samples = ramp(3000);
    input.feed(std::span(samples).first(700));
    input.deliverPending();
    EXPECT_TRUE(blocks.empty());
    input.feed(std::span(samples).subspan(700)); // 324 fill the block, the rest is dropped
    input.deliverPending();
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_EQ(blocks[0], std::vector<std::uint8_t>(samples.begin(), samples.begin() + 1024));
    EXPECT_FALSE(input.blockQueued());

    // Only what is recorded after the next queue goes into the next block.
    input.queueBlock(2048);
    auto next = ramp(2048, 7);
    input.feed(next);
    input.deliverPending();
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(blocks[1], next);
}

TEST_F(BlockDeliveryTest, SecondQueueWhileABlockIsInFlightIsIgnored)
{
    input.queueBlock(1024);
    input.queueBlock(2048);
    input.start();
    auto samples = ramp(2048);
    input.feed(samples);
    input.deliverPending();
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_EQ(blocks[0].size(), 1024u);
}

TEST_F(BlockDeliveryTest, NothingIsRecordedBeforeStartOrWhenClosed)
{
    input.queueBlock(1024);
    input.feed(ramp(2048));
    input.deliverPending();
    EXPECT_TRUE(blocks.empty());

    input.close();
    input.queueBlock(1024);
    input.start();
    input.feed(ramp(2048));
    input.deliverPending();
    EXPECT_TRUE(blocks.empty());
}

TEST_F(BlockDeliveryTest, StopDropsThePartBlockAndAFilledBlockNotYetHandedOver)
{
    input.queueBlock(1024);
    input.start();
    input.feed(ramp(1024)); // filled, not yet delivered
    input.stop();
    input.deliverPending();
    EXPECT_TRUE(blocks.empty());

    input.queueBlock(1024);
    input.start();
    input.feed(ramp(500));
    input.stop();
    input.queueBlock(1024);
    input.start();
    auto fresh = ramp(1024, 3);
    input.feed(fresh);
    input.deliverPending();
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_EQ(blocks[0], fresh);
}

TEST_F(BlockDeliveryTest, BlocksFromARecordingThreadArriveThroughTheEventLoopInOrder)
{
    // The handler re-queues each block, as the program does; a thread feeds
    // small pieces like an audio callback.
    input.setBlockHandler([this](const CapturedBlock& block) {
        blocks.emplace_back(block.samples.begin(), block.samples.end());
        input.queueBlock(blocks.size() % 2 ? 2048 : 1024);
        input.start();
    });
    input.queueBlock(1024);
    input.start();
    std::atomic<bool> done{false};
    std::thread recorder([&] {
        std::uint8_t value = 0;
        while (!done) {
            std::vector<std::uint8_t> piece(64);
            for (auto& s : piece)
                s = value++;
            input.feed(piece);
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    });
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (blocks.size() < 6 && std::chrono::steady_clock::now() < deadline)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    done = true;
    recorder.join();
    ASSERT_GE(blocks.size(), 6u);
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        ASSERT_EQ(blocks[i].size(), i % 2 ? 2048u : 1024u);
        // Each block is a contiguous run of the recording.
        for (std::size_t k = 1; k < blocks[i].size(); ++k)
            ASSERT_EQ(std::uint8_t(blocks[i][k - 1] + 1), blocks[i][k]) << "block " << i;
    }
}

} // namespace
