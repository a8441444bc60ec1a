#pragma once

#include "voice/period_table.h"

#include <optional>
#include <span>
#include <vector>

// Intonation in cents (a hundredth of a semitone; + is sharp) of a measured
// period against the notes of a period table, as the detector names them:
// note index k is the table's entry k + transpose - 24, and notes beyond the
// table's ends continue its semitone steps.

// The period, in samples, of note index `note`.
double periodOfNote(int note, const PeriodTable& table, int transpose);

// The signed cents of `period` against note index `note`.
double centsAgainstNote(double period, int note, const PeriodTable& table, int transpose);

// The same, folded by whole octaves into -600..600: how far the pitch lies
// from `note`'s pitch class, whatever octave the detector named it in.
double centsAgainstPitchClass(double period, int note, const PeriodTable& table, int transpose);

// The cents of a block's measured period (0: none) against `note`; nothing
// when the block had no clear pitch.
std::optional<double> blockCents(double period, int note, const PeriodTable& table, int transpose);

struct DetectionResult;
// The cents of an analysed block against the due note: folded by octaves when
// the detector named the due note (its verdict stands, whatever octave the
// period search found), else as measured; nothing without a clear pitch.
std::optional<double> centsAgainstDueNote(const DetectionResult& detection, int dueNote,
                                          const PeriodTable& table, int transpose);
// The same for each quarter of the block that had a pitch, in order.
std::vector<double> quarterCentsAgainstDueNote(const DetectionResult& detection, int dueNote,
                                               const PeriodTable& table, int transpose);

// The pitch of a held note from its blocks' cents, in the order they came:
// the median of the means of each two neighbouring blocks (the one block's
// cents when there is one, 0 for none). Two blocks of 93 ms span about one
// cycle of a singer's vibrato (5 to 6 a second), so their mean is near the
// vibrato's centre, where single blocks alternate either side of it; the
// median still passes over a stray block.
double heldPitchCents(std::span<const double> cents);
