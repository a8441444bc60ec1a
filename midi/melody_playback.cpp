#include "midi/melody_playback.h"

#include "midi/midi_messages.h"
#include "music/pitch.h"

void MelodyPlayback::play(const std::vector<int>& noteIndices, Sound sound, Callbacks callbacks,
                          int durationMs)
{
    std::vector<TimedSequence::Step> steps;
    steps.push_back({[this, sound] {
                         out_.chooseTimbre(sound.miditimbre, MidiChannels::OneAndThirteen,
                                           playbackReleaseVelocity);
                     },
                     0, false});
    const int velocity = noteOnVelocity(sound.midiVol);
    for (int i = 0; i < static_cast<int>(noteIndices.size()); ++i) {
        const int key =
            midiKeyOfNoteIndex(noteIndices[static_cast<std::size_t>(i)], sound.transpose);
        steps.push_back({[this, key, velocity, i, highlight = callbacks.highlight] {
                             note_ = out_.startNote(key, velocity);
                             if (highlight)
                                 highlight(i);
                         },
                         durationMs, false});
        steps.push_back({[this, i, unhighlight = callbacks.unhighlight] {
                             note_.stop();
                             if (unhighlight)
                                 unhighlight(i);
                         },
                         0, true});
    }
    sequence_.start(std::move(steps), std::move(callbacks.finished));
}
