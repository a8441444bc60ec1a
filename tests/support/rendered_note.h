#pragma once

#include "platform/midi/library_chatter.h"
#include "platform/midi/soundfont_locator.h"
#include "platform/midi/soundfont_synth.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

// The built-in General MIDI synthesizer with the installed SoundFont,
// rendered offline: mono samples (the left channel) at SoundFontSynth::sampleRate.
class NoteRenderer {
public:
    static constexpr int piano = 0;
    static constexpr int voiceOohs = 53;

    // The SoundFont the Debian package timgm6mb-soundfont installs, which
    // the project's dependencies include: tests that judge a timbre pin it.
    static constexpr const char* timGm6mb = "/usr/share/sounds/sf2/TimGM6mb.sf2";

    // Null synthesizer (and `error` set) when no SoundFont is installed.
    // `soundFont` empty: the system's default General MIDI SoundFont.
    explicit NoteRenderer(const std::string& soundFont = {})
    {
        setMidiLibraryChatter(false);
        SoundFontSearch search;
        search.commandLinePath = soundFont;
        auto choice = findSoundFont(search);
        if (choice.path.empty()) {
            error = choice.error;
            return;
        }
        auto created = SoundFontSynth::create(choice.path);
        synth = std::move(created.synth);
        error = created.error;
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
