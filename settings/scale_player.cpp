#include "settings/scale_player.h"

#include "midi/midi_messages.h"
#include "midi/midi_out.h"

namespace {
constexpr int kKeys = 12;
constexpr int kNoKey = -1; // the octave's top note has no key on the page
} // namespace

ScalePlayer::~ScalePlayer()
{
    abort();
}

void ScalePlayer::addNote(std::vector<TimedSequence::Step>& steps, int key, int pageKey,
                          int releaseVelocity)
{
    steps.push_back({[this, key, pageKey, releaseVelocity] {
                         if (out_)
                             sounding_ = out_->startNote(key, velocity_, {releaseVelocity});
                         if (pageKey != kNoKey && callbacks_.showKey)
                             callbacks_.showKey(pageKey, true);
                     },
                     kNoteMs, false});
    steps.push_back({[this, pageKey] {
                         sounding_.stop();
                         if (pageKey != kNoKey && callbacks_.showKey)
                             callbacks_.showKey(pageKey, false);
                     },
                     kGapMs, true});
}

void ScalePlayer::play(std::uint32_t mask, int midiVol, Callbacks callbacks)
{
    abort();
    callbacks_ = std::move(callbacks);
    velocity_ = noteOnVelocity(midiVol);
    std::vector<TimedSequence::Step> steps;
    int lowest = -1;
    for (int k = 0; k < kKeys; ++k)
        if (mask & (1u << k)) {
            addNote(steps, kTonicKey + k, k, kReleaseVelocity);
            if (lowest < 0)
                lowest = k;
        }
    if (lowest >= 0)
        // The octave's top note is released as it was struck.
        addNote(steps, kTonicKey + kKeys + lowest, kNoKey, velocity_);
    for (int k = kKeys - 1; k >= 0; --k)
        if (mask & (1u << k))
            addNote(steps, kTonicKey + k, k, kReleaseVelocity);
    sequence_.start(std::move(steps), [this](bool) {
        if (callbacks_.finished)
            callbacks_.finished();
    });
}

void ScalePlayer::abort()
{
    if (!sequence_.isRunning())
        return;
    sequence_.abort();
    sounding_.stop();
}
