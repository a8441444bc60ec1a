#include "rhythm/pulse_trainer.h"
#include "tests/rhythm/trainer_fakes.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Key = PulseTrainer::Key;
using Messages = std::vector<std::uint32_t>;

struct TrainerTest : ::testing::Test {
    ManualClock clock{10000};
    RecordingView view;
    RecordingBeeper beeper;
    RecordingMidiOutputSystem midi{{}, clock};
    std::unique_ptr<SharedMidiOutput> output;
    std::unique_ptr<PulseTrainer> trainer;

    void make()
    {
        output = std::make_unique<SharedMidiOutput>(midi);
        trainer = std::make_unique<PulseTrainer>(clock, view, *output, beeper);
    }
    void SetUp() override { make(); }

    // A key press and release `ms` after the previous one.
    void tap(std::uint32_t ms)
    {
        clock.advance(ms);
        trainer->keyPressed(Key::Other, clock.milliseconds(), false);
        trainer->keyReleased(Key::Other, false);
    }
    void midiNote(std::uint32_t ms, std::uint8_t key, std::uint8_t velocity = 100)
    {
        clock.advance(ms);
        trainer->midiMessage(shortMessage(0x90, key, velocity), clock.milliseconds());
    }
    Messages sent() const { return sentMessages(*midi.recording()); }
    int opens() const { return static_cast<int>(midi.openedDevices().size()); }
    bool called(const std::string& call) const
    {
        return std::find(view.calls.begin(), view.calls.end(), call) != view.calls.end();
    }
};

} // namespace

TEST_F(TrainerTest, KeyHitBlanksTheInstructionOnceDrawsAndSounds)
{
    tap(500);
    EXPECT_EQ(view.calls, (std::vector<std::string>{"blank", "needle 200", "lit 8", "status",
                                                    "erase 200", "dim 8"}));
    EXPECT_EQ(sent(), (Messages{shortMessage(0xC0, 117, 120), shortMessage(0xCC, 117, 120),
                                shortMessage(0x90, 48, 120), shortMessage(0x9C, 48, 120),
                                shortMessage(0x80, 48, 120), shortMessage(0x8C, 48, 120)}));
    EXPECT_EQ(view.steadiness, "Steady hitting = 1 out of total = 1, steadiness = 100%");

    view.calls.clear();
    tap(705); // 80 BPM: beat 750, just early of the target
    EXPECT_EQ(view.calls.front(), "needle 189");
    EXPECT_TRUE(called("lit 7"));
}

TEST_F(TrainerTest, HeldKeyCountsOnceAndAutoRepeatIsIgnored)
{
    trainer->keyPressed(Key::Other, clock.milliseconds(), false);
    for (int i = 0; i < 5; ++i) {
        clock.advance(1000);
        trainer->keyReleased(Key::Other, true);
        trainer->keyPressed(Key::Other, clock.milliseconds(), true);
    }
    // A second key while the first is held is no hit either.
    trainer->keyPressed(Key::Other, clock.milliseconds(), false);
    EXPECT_EQ(trainer->stats().total, 1u);
    trainer->keyReleased(Key::Other, false);
    tap(1000);
    EXPECT_EQ(trainer->stats().total, 2u);
}

TEST_F(TrainerTest, EscapeClearsAndRepaintsF1ShowsResults)
{
    tap(10);
    tap(750); // 80 BPM: on the beat
    trainer->keyPressed(Key::Results, clock.milliseconds(), false);
    EXPECT_EQ(view.results.substr(0, 42), "Total hits = 2\nRight on (green) target = 2");
    trainer->keyReleased(Key::Results, false);

    view.calls.clear();
    trainer->keyPressed(Key::Escape, clock.milliseconds(), false);
    trainer->keyReleased(Key::Escape, false);
    EXPECT_EQ(view.calls, std::vector<std::string>{"repaint"});
    EXPECT_EQ(trainer->stats().total, 0u);
    EXPECT_FALSE(trainer->awaitingFirstHit());
}

TEST_F(TrainerTest, MidiChordWithin50MsIsOneHit)
{
    midiNote(1000, 60);
    midiNote(20, 64);
    midiNote(30, 67); // 50 ms after the first note: still the same chord
    EXPECT_EQ(trainer->stats().total, 1u);
    midiNote(701, 60); // 751 ms after the first: a new hit, on target at 80 BPM
    EXPECT_EQ(trainer->stats().total, 2u);
    EXPECT_EQ(trainer->stats().onTarget, 2u);

    // Every note is forwarded after the hit program is chosen.
    Messages m = sent();
    EXPECT_EQ(std::count(m.begin(), m.end(), shortMessage(0xC0, 117, 94)), 4);
    EXPECT_EQ(std::count(m.begin(), m.end(), shortMessage(0x90, 64, 100)), 1);
}

TEST_F(TrainerTest, MidiNoteOffTakesTheHitOffAndIsForwarded)
{
    midiNote(100, 60);
    view.calls.clear();
    midi.recording()->clear();
    trainer->midiMessage(shortMessage(0x80, 60, 64), clock.milliseconds());
    EXPECT_EQ(view.calls, (std::vector<std::string>{"erase 200", "dim 8"}));
    EXPECT_EQ(sent(), (Messages{shortMessage(0xC0, 117, 94), shortMessage(0xCC, 117, 94),
                                shortMessage(0x80, 60, 64)}));
    view.calls.clear();
    midiNote(500, 62, 0); // note-on with velocity 0 is a release, no hit
    EXPECT_EQ(trainer->stats().total, 1u);
    EXPECT_TRUE(view.calls.empty()); // nothing left on the dial to take off
}

TEST_F(TrainerTest, MidiIsIgnoredWhileAComputerKeyIsHeld)
{
    trainer->keyPressed(Key::Other, clock.milliseconds(), false);
    midi.recording()->clear();
    midiNote(300, 60);
    EXPECT_TRUE(sent().empty());
    EXPECT_EQ(trainer->stats().total, 1u);
}

TEST_F(TrainerTest, WithoutOutputItBeepsAtStartAndForNoteOns)
{
    midi.failOpen(-1, "no synthesizer");
    make();
    EXPECT_EQ(beeper.alerts, 1);
    tap(100);
    // Both note-ons of the hit beep at C6 (key 48), nothing else does.
    EXPECT_EQ(beeper.tones, (std::vector<double>{2 * 523.251, 2 * 523.251}));
    beeper.tones.clear();
    midiNote(1000, 69);
    midiNote(1000, 13);
    EXPECT_EQ(beeper.tones, (std::vector<double>{2 * 880.0, 2 * 554.365}));

    // No metronome without an output.
    trainer->mousePressed(200, 80);
    EXPECT_FALSE(trainer->metronomeRunning());
    EXPECT_FALSE(called("button down"));
    EXPECT_TRUE(called("caption black"));
}

TEST_F(TrainerTest, FocusReopensTheOutput)
{
    EXPECT_EQ(opens(), 1);
    trainer->focusGained();
    EXPECT_EQ(opens(), 2);
    EXPECT_EQ(midi.recording()->closeCount(), 1);
    EXPECT_EQ(midi.recording()->resetCount(), 1);
    midi.failOpen(-1, "gone");
    trainer->focusGained();
    midi.recording()->clear();
    tap(100);
    EXPECT_TRUE(sent().empty());
    EXPECT_EQ(beeper.tones.size(), 2u); // the beep fallback takes over
}

TEST_F(TrainerTest, MetronomeStopsWhenTheOutputCannotBeReopened)
{
    trainer->mousePressed(200, 80);
    trainer->mouseReleased();
    trainer->focusGained();
    EXPECT_TRUE(trainer->metronomeRunning()); // reopened: it goes on ticking
    midi.failOpen(-1, "gone");
    trainer->focusGained();
    EXPECT_FALSE(trainer->metronomeRunning());
    EXPECT_EQ(view.calls.back(), "caption black");
}

TEST_F(TrainerTest, SliderPagingStepsTowardsThePointUntilTheThumbCoversIt)
{
    trainer->mousePressed(200, 150); // right of the thumb at 142..158
    EXPECT_TRUE(view.pagingTimer);
    EXPECT_EQ(trainer->slider().thumbX(), 143);
    for (int i = 0; i < 100; ++i)
        trainer->pagingTick();
    EXPECT_EQ(trainer->slider().thumbX(), 185); // 185 < 200 < 201
    EXPECT_EQ(trainer->slider().tempo(), 123);
    trainer->mouseReleased();
    EXPECT_FALSE(view.pagingTimer);

    trainer->mousePressed(93, 150); // left end
    for (int i = 0; i < 200; ++i)
        trainer->pagingTick();
    EXPECT_EQ(trainer->slider().thumbX(), 92);
    EXPECT_EQ(trainer->slider().tempo(), 30);
    trainer->mouseReleased();

    trainer->mousePressed(307, 150);
    for (int i = 0; i < 300; ++i)
        trainer->pagingTick();
    EXPECT_EQ(trainer->slider().tempo(), 230);
    EXPECT_EQ(view.thumbX, 292);
}

TEST_F(TrainerTest, SliderDragFollowsThePointerNearTheTrackOnly)
{
    trainer->mousePressed(150, 150); // on the thumb
    EXPECT_FALSE(view.pagingTimer);
    trainer->mouseMoved(170, 160);
    EXPECT_EQ(trainer->slider().thumbX(), 162);
    trainer->mouseMoved(190, 178); // 11 pixels below the track: ignored
    EXPECT_EQ(trainer->slider().thumbX(), 162);
    trainer->mouseMoved(180, 132); // 10 above: follows from the last x
    EXPECT_EQ(trainer->slider().thumbX(), 172);
    trainer->mouseMoved(307, 150);
    EXPECT_EQ(trainer->slider().thumbX(), 292); // kept inside the track
    trainer->mouseReleased();
    trainer->mouseMoved(150, 150);
    EXPECT_EQ(trainer->slider().thumbX(), 292);
    EXPECT_EQ(trainer->slider().tempo(), 230);
}

TEST_F(TrainerTest, MetronomeButtonTogglesAndBlocksKeysWhileHeld)
{
    trainer->mousePressed(200, 80);
    EXPECT_TRUE(trainer->metronomeRunning());
    EXPECT_TRUE(called("button down"));
    EXPECT_TRUE(called("caption white"));
    tap(1000);
    EXPECT_EQ(trainer->stats().total, 0u);
    trainer->mouseReleased();
    EXPECT_TRUE(called("button up"));
    EXPECT_FALSE(trainer->metronomeButtonPressed());
    tap(1000);
    EXPECT_EQ(trainer->stats().total, 1u);

    trainer->mousePressed(200, 80);
    trainer->mouseReleased();
    EXPECT_FALSE(trainer->metronomeRunning());
    EXPECT_EQ(view.calls.back(), "button up");
    Messages m = sent();
    EXPECT_EQ(m.back(), shortMessage(0x89, 68, 120));
}

TEST_F(TrainerTest, HelpButtonOpensHelp)
{
    trainer->mousePressed(380, 160);
    EXPECT_EQ(view.calls, (std::vector<std::string>{"help down", "help", "help up"}));
    view.calls.clear();
    trainer->mousePressed(375, 160); // on the edge: outside
    EXPECT_TRUE(view.calls.empty());
}
