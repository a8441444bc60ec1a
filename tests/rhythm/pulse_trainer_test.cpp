#include "platform/midi/desktop_midi_output_system.h"
#include "platform/testing/manual_clock.h"
#include "rhythm/pulse_trainer.h"
#include "tests/support/slow_synth_starter.h"
#include "tests/support/trainer_fakes.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Key = PulseTrainer::Key;
using Messages = std::vector<std::uint32_t>;
using Calls = std::vector<std::string>;

struct TrainerTest : ::testing::Test {
    ManualClock clock{10000};
    RecordingView view;
    RecordingBeeper beeper;
    RecordingMidiOutputSystem midi{{}, clock};
    std::unique_ptr<SharedMidiOutput> output;
    std::unique_ptr<PulseTrainer> trainer;

    void SetUp() override
    {
        trainer.reset(); // before the output it uses
        output = std::make_unique<SharedMidiOutput>(midi);
        trainer = std::make_unique<PulseTrainer>(clock, view, *output, beeper);
    }

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
    void click(int x, int y)
    {
        trainer->mousePressed(x, y);
        trainer->mouseReleased();
    }
    Messages sent() const { return sentMessages(*midi.recording()); }
    std::uint32_t total() const { return trainer->stats().total; }
};

} // namespace

TEST_F(TrainerTest, AKeyHitIsShownWithItsSound)
{
    tap(500);
    EXPECT_EQ(view.calls, (Calls{"blank", "needle 200", "lit 8",
                                 "Steady hitting = 1 out of total = 1, steadiness = 100%",
                                 "erase 200", "dim 8"}));
    EXPECT_EQ(sent(), (Messages{shortMessage(0xC0, 117, 120), shortMessage(0xCC, 117, 120),
                                shortMessage(0x90, 48, 120), shortMessage(0x9C, 48, 120),
                                shortMessage(0x80, 48, 120), shortMessage(0x8C, 48, 120)}));
}

TEST_F(TrainerTest, AHeldKeyCountsOnce)
{
    trainer->keyPressed(Key::Other, clock.milliseconds(), false);
    for (int i = 0; i < 5; ++i) {
        clock.advance(1000);
        trainer->keyReleased(Key::Other, true);
        trainer->keyPressed(Key::Other, clock.milliseconds(), true);
    }
    trainer->keyPressed(Key::Other, clock.milliseconds(), false); // a second key
    midi.recording()->clear();
    midiNote(300, 60);
    EXPECT_TRUE(sent().empty());
    EXPECT_EQ(total(), 1u);
    trainer->keyReleased(Key::Other, false);
    tap(1000);
    EXPECT_EQ(total(), 2u);
}

TEST_F(TrainerTest, AMidiChordWithin50MsIsOneHit)
{
    midiNote(1000, 60);
    midiNote(20, 64);
    midiNote(30, 67); // 50 ms after the first note: still the same chord
    EXPECT_EQ(total(), 1u);
    midiNote(701, 60); // 751 ms after the first: a new hit, on target at 80 BPM
    EXPECT_EQ(total(), 2u);
    EXPECT_EQ(trainer->stats().onTarget, 2u);
    Messages m = sent(); // each note after the hit program
    EXPECT_EQ(std::count(m.begin(), m.end(), shortMessage(0xC0, 117, 94)), 4);
    EXPECT_EQ(std::count(m.begin(), m.end(), shortMessage(0x90, 64, 100)), 1);

    view.calls.clear();
    midi.recording()->clear();
    trainer->midiMessage(shortMessage(0x80, 60, 64), clock.milliseconds());
    EXPECT_EQ(view.calls, (Calls{"erase 200", "dim 8"}));
    EXPECT_EQ(sent(), (Messages{shortMessage(0xC0, 117, 94), shortMessage(0xCC, 117, 94),
                                shortMessage(0x80, 60, 64)}));
    view.calls.clear();
    midiNote(500, 62, 0); // note-on with velocity 0 is a release, no hit
    EXPECT_EQ(total(), 2u);
    EXPECT_TRUE(view.calls.empty()); // nothing left on the dial to take off
}

TEST_F(TrainerTest, WithoutOutputItBeeps)
{
    midi.failOpen(-1, "no synthesizer");
    SetUp();
    EXPECT_EQ(beeper.alerts, 1);
    tap(100); // both note-ons of the hit beep at C6 (key 48), nothing else does
    midiNote(1000, 69);
    midiNote(1000, 13);
    EXPECT_EQ(beeper.tones,
              (std::vector<double>{2 * 523.251, 2 * 523.251, 2 * 880.0, 2 * 554.365}));
    view.calls.clear();
    click(200, 80);
    EXPECT_FALSE(trainer->metronomeRunning());
    EXPECT_EQ(view.calls, (Calls{"caption black", "button up"}));
}

TEST_F(TrainerTest, TheSliderPagesTowardsThePoint)
{
    trainer->mousePressed(200, 150); // right of the thumb at 142..158
    EXPECT_TRUE(view.pagingTimer);
    EXPECT_EQ(view.thumbX, 143); // the first step at once
    trainer->mouseReleased();
    struct Case {
        int x, thumbX, tempo;
    } pages[] = {{200, 185, 123}, {93, 92, 30}, {307, 292, 230}}; // 185 < 200 < 201; the ends
    for (auto c : pages) {
        trainer->mousePressed(c.x, 150);
        for (int i = 0; i < 300; ++i)
            trainer->pagingTick();
        EXPECT_EQ(view.thumbX, c.thumbX) << c.x;
        EXPECT_EQ(trainer->slider().tempo(), c.tempo) << c.x;
        trainer->mouseReleased();
        EXPECT_FALSE(view.pagingTimer);
    }

    trainer->mousePressed(300, 150); // on the thumb
    EXPECT_FALSE(view.pagingTimer);
    struct Move {
        int x, y, thumbX;
    } moves[] = {{280, 177, 272}, // 10 pixels below the track: follows
                 {260, 178, 272}, // 11 below: ignored
                 {270, 132, 262}, // 10 above: follows from the last x
                 {93, 150, 92}};  // kept inside the track
    for (auto m : moves) {
        trainer->mouseMoved(m.x, m.y);
        EXPECT_EQ(view.thumbX, m.thumbX) << m.x << "," << m.y;
    }
    trainer->mouseReleased();
    trainer->mouseMoved(150, 150);
    EXPECT_EQ(view.thumbX, 92);
}

TEST_F(TrainerTest, TheMetronomeFollowsTheSlider)
{
    trainer->mousePressed(200, 80);
    EXPECT_TRUE(trainer->metronomeRunning());
    EXPECT_EQ(view.calls, (Calls{"button down", "caption white"}));
    tap(1000);
    EXPECT_EQ(total(), 0u);
    trainer->mouseReleased();
    EXPECT_EQ(view.calls.back(), "button up");
    tap(1000);
    EXPECT_EQ(total(), 1u);

    // A slider release restarts it at a new tempo only; the beat of an
    // unchanged one is left undisturbed.
    midi.recording()->clear();
    click(150, 150);
    Messages m = sent();
    EXPECT_EQ(std::count(m.begin(), m.end(), metronomeTickOff), 0);
    trainer->mousePressed(150, 150);
    trainer->mouseMoved(220, 150);
    trainer->mouseReleased();
    m = sent();
    EXPECT_EQ(std::count(m.begin(), m.end(), metronomeTickOff), 1);
    EXPECT_TRUE(trainer->metronomeRunning());

    // A new focus reopens the output and the ticks go on; with none they stop.
    trainer->focusGained();
    EXPECT_EQ(midi.openedDevices().size(), 2u);
    EXPECT_EQ(midi.recording()->closeCount(), 1);
    EXPECT_EQ(midi.recording()->resetCount(), 1);
    EXPECT_TRUE(trainer->metronomeRunning());
    midi.failOpen(-1, "gone");
    trainer->focusGained();
    EXPECT_FALSE(trainer->metronomeRunning());
    EXPECT_EQ(view.calls.back(), "caption black");
}

// Every focus gain reopens the output; with the built-in synthesizer that
// must neither stop it (its audio driver takes ~0.6 s to close, and a hit
// right after the focus gain would be judged late) nor interrupt the ticks.
TEST(TrainerFocus, FocusGainsSilenceTheBuiltInSynthesizerWithoutStoppingItOrTheMetronome)
{
    ManualClock clock{10000};
    RecordingView view;
    RecordingBeeper beeper;
    SlowSynthStarter synth(clock);
    DesktopMidiOutputSystem system({}, std::make_unique<NoMidiOutputSystem>(), synth.starter());
    SharedMidiOutput output(system);
    PulseTrainer trainer(clock, view, output, beeper);
    trainer.mousePressed(200, 84); // the metronome button
    trainer.mouseReleased();
    ASSERT_TRUE(trainer.metronomeRunning());

    constexpr int focusGains = 50;
    const int resetsBefore = synth.recording->resetCount();
    for (int i = 0; i < focusGains; ++i)
        trainer.focusGained();
    EXPECT_EQ(synth.starts, 1);
    EXPECT_EQ(*synth.closes, 0);
    EXPECT_GE(synth.recording->resetCount() - resetsBefore, focusGains); // notes silenced
    EXPECT_TRUE(trainer.metronomeRunning());

    synth.recording->clear();
    clock.advance(700);
    trainer.keyPressed(PulseTrainer::Key::Other, clock.milliseconds(), false);
    const Messages m = sentMessages(*synth.recording);
    EXPECT_EQ(std::count(m.begin(), m.end(), shortMessage(0x90, 48, 120)), 1); // the hit sounds
}
