#include "platform/testing/scripted_wave_input.h"
#include "tests/support/event_loop.h"

#include <gtest/gtest.h>

#include <numeric>
#include <thread>

namespace {

using Blocks = std::vector<std::vector<std::uint8_t>>;

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
    void record(const std::vector<std::uint8_t>& samples)
    {
        input.feed(samples);
        input.deliverPending();
    }

    ScriptedWaveInput input;
    Blocks blocks;
};

TEST_F(BlockDeliveryTest, DeliversExactlyTheQueuedLengthOneBlockAtATime)
{
    input.queueBlock(1024);
    input.queueBlock(2048); // a block is in flight: ignored
    input.start();
    auto samples = ramp(3000);
    record({samples.begin(), samples.begin() + 700});
    EXPECT_TRUE(blocks.empty());
    record({samples.begin() + 700, samples.end()}); // 324 fill the block, the rest is dropped
    record(ramp(100));                              // nothing queued: dropped
    input.queueBlock(2048); // only what is recorded from now on goes into it
    record(ramp(2048, 7));
    EXPECT_EQ(blocks, (Blocks{{samples.begin(), samples.begin() + 1024}, ramp(2048, 7)}));
}

TEST_F(BlockDeliveryTest, NothingIsKeptBeforeStartWhenClosedOrAcrossAStop)
{
    input.queueBlock(1024);
    record(ramp(2048)); // not started
    input.start();
    input.feed(ramp(1024)); // filled, not yet handed over
    input.stop();
    input.deliverPending();
    input.queueBlock(1024);
    input.start();
    input.feed(ramp(500)); // part of a block
    input.stop();
    input.queueBlock(1024);
    input.start();
    record(ramp(1024, 3));
    input.close();
    input.queueBlock(1024);
    input.start();
    record(ramp(2048));
    EXPECT_EQ(blocks, Blocks{ramp(1024, 3)});
}

TEST_F(BlockDeliveryTest, BlocksFromARecordingThreadArriveThroughTheEventLoopInOrder)
{
    // The handler re-queues each block, as the program does; a thread feeds
    // small pieces like an audio callback.
    input.setBlockHandler([this](const CapturedBlock& block) {
        blocks.emplace_back(block.samples.begin(), block.samples.end());
        input.queueBlock(blocks.size() % 2 ? 2048 : 1024);
    });
    input.queueBlock(1024);
    input.start();
    std::atomic<bool> done{false};
    std::thread recorder([&] {
        for (std::uint8_t value = 0; !done; value += 64) {
            input.feed(ramp(64, value));
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    });
    const bool arrived = runEventsUntil([&] { return blocks.size() >= 6; });
    done = true;
    recorder.join();
    ASSERT_TRUE(arrived);
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        ASSERT_EQ(blocks[i].size(), i % 2 ? 2048u : 1024u);
        // Each block is a contiguous run of the recording.
        for (std::size_t k = 1; k < blocks[i].size(); ++k)
            ASSERT_EQ(std::uint8_t(blocks[i][k - 1] + 1), blocks[i][k]) << "block " << i;
    }
}

} // namespace
