// The device list and the built-in synthesizer's failure paths, on a machine
// without an ALSA sequencer, a sound server or (in a test directory) SoundFonts.
#include "midi/midi_messages.h"
#include "midi/midi_out.h"
#include "platform/midi/desktop_midi_output_system.h"
#include "platform/midi/internal/alsa_midi_output.h"
#include "platform/midi/internal/soundfont_synth.h"
#include "platform/midi/internal/synth_output_port.h"
#include "platform/midi/library_chatter.h"
#include "platform/midi/soundfont_locator.h"
#include "platform/testing/manual_clock.h"
#include "platform/testing/midi_recording.h"
#include "tests/support/slow_synth_starter.h"
#include "platform/testing/temp_dir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>

namespace fs = std::filesystem;
using testing::HasSubstr;
using namespace std::string_literals;
using Names = std::vector<std::string>;

namespace {

TEST(SoundFontSearch, OptionThenVariableThenDefaultThenOthers)
{
    TempDir dir;
    fs::create_symlink(dir.file("removed.sf2"), dir.file("default-GM.sf2")); // dangling
    dir.write("zz.sf2", "x");
    dir.write("Alpha.SF2", "x");
    dir.write("notes.txt", "x");
    SoundFontSearch search;
    search.systemDirectory = dir.path();
    EXPECT_EQ(*findSoundFont(search), dir.file("Alpha.SF2"));

    fs::remove(dir.file("default-GM.sf2"));
    dir.write("default-GM.sf2", "x");
    EXPECT_EQ(*findSoundFont(search), dir.file("default-GM.sf2"));

    search.environmentPath = dir.file("zz.sf2").string();
    EXPECT_EQ(*findSoundFont(search), dir.file("zz.sf2"));

    search.commandLinePath = dir.file("Alpha.SF2").string();
    EXPECT_EQ(*findSoundFont(search), dir.file("Alpha.SF2"));
}

TEST(SoundFontSearch, NothingFoundOrAMissingNamedFileSaysWhatToDo)
{
    TempDir dir;
    SoundFontSearch search;
    search.systemDirectory = dir.path() / "absent";
    auto none = findSoundFont(search);
    EXPECT_FALSE(none);
    EXPECT_THAT(none.message(), HasSubstr("No General MIDI SoundFont was found"));
    EXPECT_THAT(none.message(), HasSubstr("timgm6mb-soundfont"));
    EXPECT_THAT(none.message(), HasSubstr("--soundfont FILE"));

    // A named file that is missing is reported, not replaced by another.
    dir.write("default-GM.sf2", "x");
    search.systemDirectory = dir.path();
    search.environmentPath = "/no/such/font.sf2";
    auto missing = findSoundFont(search);
    EXPECT_FALSE(missing);
    EXPECT_THAT(missing.message(), HasSubstr("\"/no/such/font.sf2\""));
    EXPECT_THAT(missing.message(), HasSubstr("SOLFARA_SOUNDFONT"));
}

TEST(SoundFontSynthCreate, ADamagedSoundFontIsAClearError)
{
    setMidiLibraryChatter(false);
    TempDir dir;
    dir.write("broken.sf2", "RIFF\x10\0\0\0sfbkLIST garbage"s); // a RIFF header, then junk
    auto created = SoundFontSynth::create(dir.file("broken.sf2"));
    EXPECT_FALSE(created);
    EXPECT_THAT(created.message(), HasSubstr(dir.file("broken.sf2").string()));
}

TEST(DesktopMidiOutput, BuiltInSynthIsDeviceZeroThenTheSequencerPortsByNumber)
{
    DesktopMidiOutputSystem bare({}, std::make_unique<NoMidiOutputSystem>());
    EXPECT_EQ(bare.deviceNames(), Names{SynthOutputPort::deviceName});
    EXPECT_LE(std::string_view(SynthOutputPort::deviceName).size(), 29u);

    ManualClock clock;
    auto sequencer = std::make_unique<RecordingMidiOutputSystem>(Names{"Keyboard", "Other"}, clock);
    RecordingMidiOutputSystem& ports = *sequencer;
    DesktopMidiOutputSystem system({.soundFont = "/no/such/font.sf2"}, std::move(sequencer));
    MidiOut out(system);
    int midi = -1;
    auto result = out.openAtStartup(midi);
    EXPECT_EQ(result.deviceNames,
              (Names{SynthOutputPort::deviceName, "Keyboard", "Other", "Midi Mapper"}));
    // Without its SoundFont the synthesizer (the mapper and device 0) does
    // not open, says why, and every send is dropped.
    ASSERT_FALSE(result.opened);
    EXPECT_THAT(result.opened.message(), HasSubstr("/no/such/font.sf2"));
    out.startNote(60, 100).stop();
    out.close();
    EXPECT_FALSE(out.reopen(0));
    EXPECT_TRUE(ports.recording()->messages().empty());

    EXPECT_TRUE(out.reopen(2)); // the second sequencer port
    EXPECT_EQ(ports.openedDevices(), std::vector<int>{1});
    Status past = out.reopen(3); // a stored number past the last port
    EXPECT_FALSE(past);
    EXPECT_THAT(past.message(), HasSubstr("MIDI output device 3 is not available"));
}

// solfara reopens its output when the user picks another device: switching
// to a keyboard's port and back silences the synthesizer but never stops it
// (stopping its audio driver would hold up the window for most of a second).
TEST(DesktopMidiOutput, ReopeningTheBuiltInSynthSilencesItWithoutStoppingIt)
{
    ManualClock clock;
    SlowSynthStarter synth(clock);
    auto sequencer = std::make_unique<RecordingMidiOutputSystem>(Names{"Keyboard"}, clock);
    RecordingMidiOutputSystem& ports = *sequencer;
    DesktopMidiOutputSystem system({}, std::move(sequencer), synth.starter());
    MidiOut out(system);
    int midi = -1;
    ASSERT_TRUE(out.openAtStartup(midi).opened);
    std::vector<SoundingNote> held;
    held.push_back(out.startNote(60, 100));

    ASSERT_TRUE(out.reopen(1));                  // the keyboard
    EXPECT_GE(synth.recording->resetCount(), 1); // the held note was silenced
    held.push_back(out.startNote(62, 100));
    ASSERT_TRUE(out.reopen(0)); // the synthesizer again
    held.push_back(out.startNote(64, 100));
    ASSERT_TRUE(out.reopen(-1));
    out.close();
    held.push_back(out.startNote(65, 100)); // dropped: closed
    held.clear();                           // and so are the note-offs

    EXPECT_EQ(synth.starts, 1);
    EXPECT_EQ(*synth.closes, 0);
    auto keys = [](const MidiRecording& recording) {
        std::vector<int> sent;
        for (const auto& m : recording.messages())
            sent.push_back(m.data1());
        return sent;
    };
    EXPECT_EQ(keys(*synth.recording), (std::vector<int>{60, 64}));
    EXPECT_EQ(keys(*ports.recording()), (std::vector<int>{62}));
}

// The real synthesizer port with no sound server: through ALSA where there
// is a card, else (CI) a message, never a crash or a hang.
TEST(DesktopMidiOutput, BuiltInSynthOpensOrSaysWhyNot)
{
    setMidiLibraryChatter(false);
    setenv("PULSE_SERVER", "unix:/nonexistent/solfara-test", 1);
    auto opened = SynthOutputPort::open({});
    if (opened) {
        EXPECT_EQ(static_cast<SynthOutputPort&>(**opened).audioDriver(), "alsa");
        (*opened)->close();
        (*opened)->sendShortMessage(packShortMessage(0x90, 60, 100)); // dropped after close
    } else {
        EXPECT_THAT(opened.message(), HasSubstr("no audio output"));
    }
    unsetenv("PULSE_SERVER");
}

TEST(AlsaMidiOutput, AMachineWithoutSequencerHasNoPorts)
{
    setMidiLibraryChatter(false);
    AlsaMidiOutputSystem alsa;
    auto opened =
        alsa.open(int(alsa.deviceNames().size())); // none here; on a desktop, past the last
    EXPECT_FALSE(opened);
    EXPECT_FALSE(opened.message().empty());
}

} // namespace
