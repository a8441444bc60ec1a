#pragma once

#include "platform/midi/internal/soundfont_synth.h"
#include "platform/midi/library_chatter.h"
#include "platform/testing/pinned_soundfonts.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

// The built-in General MIDI synthesizer with a pinned SoundFont (TimGM6mb
// unless told otherwise), rendered offline: mono samples (the left channel)
// at SoundFontSynth::sampleRate.
class NoteRenderer {
public:
    static constexpr int piano = 0;
    static constexpr int voiceOohs = 53;

    // Null synthesizer (and `error` set) when the SoundFont is not installed.
    explicit NoteRenderer(const PinnedSoundFont& soundFont = timGm6mb)
    {
        setMidiLibraryChatter(false);
        if (!soundFont.installed()) {
            error = soundFont.path.string() + " is not installed";
            return;
        }
        auto created = SoundFontSynth::create(soundFont.path);
        if (created)
            synth = std::move(created).value();
        else
            error = created.message();
    }

    // The next `seconds` of whatever is sounding.
    std::vector<float> listen(double seconds)
    {
        std::vector<float> stereo = synth->render(int(seconds * SoundFontSynth::sampleRate));
        std::vector<float> mono(stereo.size() / 2);
        for (std::size_t i = 0; i < mono.size(); ++i)
            mono[i] = stereo[2 * i];
        return mono;
    }

    // `seconds` of note index `note` (0 = C2) on `program`, then its release.
    std::vector<float> render(int program, int note, double seconds, double releaseSeconds = 0.3)
    {
        synth->reset();
        synth->handleShortMessage(0xC0 | program << 8);
        const int key = note + 36;
        synth->handleShortMessage(0x90 | key << 8 | 100 << 16);
        std::vector<float> mono = listen(seconds);
        synth->handleShortMessage(0x80 | key << 8 | 94 << 16);
        std::vector<float> release = listen(releaseSeconds);
        mono.insert(mono.end(), release.begin(), release.end());
        return mono;
    }

    // Scales `samples` so their peak is `peak`: a singer close to a
    // microphone is louder than the synthesizer.
    static void normalise(std::vector<float>& samples, float peak = 0.5f)
    {
        float largest = 0;
        for (float s : samples)
            largest = std::max(largest, std::abs(s));
        if (largest > 0)
            for (float& s : samples)
                s *= peak / largest;
    }

    std::unique_ptr<SoundFontSynth> synth;
    std::string error;
};
