#pragma once

#include "base/result.h"
#include "music/custom_melody.h"
#include "music/notated_score.h"

#include <string>
#include <string_view>

// MusicXML scores (partwise, the form every notation program writes).
//
// Reading: every <part> in file order, named by its part-list entry. Of each part only the
// voice of its first note is read, at sounding pitch (the part's <transpose> applied); grace
// and cue notes are left out, a chord gives its top note, a tied note continues the one
// before. A rest, a breath mark, a fermata or a double or final bar line ends a phrase.
// The file is never allowed to reach outside itself: a document type that declares entities
// is refused and nothing named in it is fetched.
Result<NotatedScore> readMusicXml(std::string_view bytes);

// A MusicXML 4.0 partwise score of the melody: one part of quarter notes in 4/4, black keys
// written as sharps, a treble clef, or a bass clef when most notes lie below middle C; the
// melody's name as the work title.
std::string musicXmlOf(const CustomMelody& melody);
