#pragma once

#include "base/result.h"
#include "platform/midi/scheduled_output.h"

#include <fluidsynth/types.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

// A FluidSynth General MIDI synthesizer with one SoundFont. It makes no sound
// by itself: an audio driver pulls samples from it (see SynthOutputPort), or
// render() produces them offline. Only the samples of the programs selected
// on some channel are in memory (a full General MIDI SoundFont may take
// 150 MB); selecting another program reads its samples from the file first.
class SoundFontSynth final : public ScheduledOutput {
public:
    static constexpr int sampleRate = 44100;

    // The synthesizer with the SoundFont loaded, or why not (for the user).
    static Result<std::unique_ptr<SoundFontSynth>> create(const std::filesystem::path& soundFont);
    // The synthesizer with no sounds yet: quick, so that a stream can start
    // playing (silence) while loadSoundFont() reads a large file.
    static Result<std::unique_ptr<SoundFontSynth>> createWithoutSounds();
    // Reads the file's preset table, once; the samples are read as programs
    // are selected.
    Status loadSoundFont(const std::filesystem::path& soundFont);
    // Whether the file starts as a SoundFont does (no more is read).
    static Status checkIsSoundFont(const std::filesystem::path& soundFont);

    ~SoundFontSynth() override;
    SoundFontSynth(const SoundFontSynth&) = delete;
    SoundFontSynth& operator=(const SoundFontSynth&) = delete;

    // A short message packed as on the wire (status in the low byte). Channel
    // voice messages are played; system messages are ignored.
    void handleShortMessage(std::uint32_t message);
    // Silences every note at once and returns the controllers to their
    // defaults; programs stay as they are.
    void reset();

    // Keeps the samples of `programs` (General MIDI program numbers, at most
    // parkingChannelCount of them) in memory from now on, in place of those
    // preloaded before, so that selecting one of them later is immediate.
    void preloadPrograms(const std::vector<int>& programs);
    static constexpr int parkingChannelCount = 13;

    // Messages sent ahead, timed on the count of samples rendered (played
    // at the start of the 64-frame block they fall in). Channel voice
    // messages only.
    std::uint32_t clockMs() override;
    void sendAt(std::uint32_t message, std::uint32_t timeMs) override;
    void cancelPending() override;

    // Renders `frames` stereo frames, interleaved left/right.
    std::vector<float> render(int frames);

    const std::filesystem::path& soundFont() const { return soundFont_; }
    fluid_settings_t* settings() const { return settings_; }
    fluid_synth_t* handle() const { return synth_; }

private:
    SoundFontSynth() = default;

    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* synth_ = nullptr;
    fluid_sequencer_t* sequencer_ = nullptr; // driven by the synth's sample clock
    short sequencerSynth_ = -1;              // the synth as the sequencer's destination
    std::filesystem::path soundFont_;
};
