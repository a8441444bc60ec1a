#pragma once

#include "music/cents_grade.h"

#include <cstdint>
#include <optional>
#include <span>

// How in tune a sung note and a whole drill were, from the cents of the
// analysed blocks (+ sharp, - flat, against the written note).

// One analysed block of a note: how long after the note's onset it arrived,
// and how far off it was.
struct CentsReading {
    std::uint32_t msAfterOnset = 0;
    double cents = 0;
};

// The onset's first 120 ms: a singer's scoop into the note, left out of its pitch.
inline constexpr std::uint32_t kScoopMs = 120;

struct NoteIntonation {
    // The pitch of the stable part, the readings from kScoopMs on: their
    // median over vibrato cycles (heldPitchCents).
    double median = 0;
    // The interquartile range of the same part: of the fine readings (a
    // quarter of a block each, short enough to follow a vibrato's swing) when
    // there are any, else of the readings.
    double spread = 0;
    // The median of the readings before kScoopMs; nothing when none came then.
    std::optional<double> scoop = {};
};

// Of a note's readings in the order they came, and its fine readings. When
// all of them fall in the onset (a note accepted quickly) the figures are of
// them all; nothing without readings.
std::optional<NoteIntonation> noteIntonation(std::span<const CentsReading> readings,
                                             std::span<const CentsReading> fine = {});

struct DrillIntonation {
    int notes = 0;           // notes with a median
    double meanOffset = 0;   // the mean of their medians: the singer's own offset
    double driftPerNote = 0; // the slope of a straight line through the medians by note
    // The mean absolute distance of the medians from the singer's offset: how
    // well the intervals were sung, whatever the offset.
    double relative = 0;
};

// Of the medians of a drill's notes in melody order (nothing for a note
// without one); nothing when no note has one. With one note the drift is 0.
std::optional<DrillIntonation> drillIntonation(std::span<const std::optional<double>> medians);
