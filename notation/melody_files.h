#pragma once

#include "base/result.h"
#include "music/answer_mode.h"
#include "music/custom_melody.h"
#include "music/notated_score.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// Melodies to and from the files musicians keep them in, known by their extension:
// ".musicxml" and ".xml" (MusicXML), ".mxl" (compressed MusicXML), ".mid" and ".midi"
// (Standard MIDI Files), in any letter case.
enum class NotationFormat { MusicXml, CompressedMusicXml, Midi };

std::optional<NotationFormat> notationFormatOf(const std::filesystem::path& file);

// The file dialogs' filter for the formats above.
inline constexpr const char* kNotationFileFilter =
    "Melodies (*.musicxml *.xml *.mxl *.mid *.midi);;MusicXML (*.musicxml *.xml);;"
    "Compressed MusicXML (*.mxl);;MIDI files (*.mid *.midi)";

// The most bytes a file may have, or unpack to: ten times the largest scores notation
// programs write, and little enough that a hostile file costs bounded memory.
inline constexpr std::size_t kMaxNotationFileBytes = std::size_t(32) << 20;

// The score in `file`, by its extension. Fails with a message for the user: an unknown
// extension, a file that cannot be read or is larger than kMaxNotationFileBytes, or contents
// its reader refuses.
Result<NotatedScore> readNotationFile(const std::filesystem::path& file);

// The melodies to add from part `part` (0-based) of `score` read from `file`, named as
// importedMelodyTitle says; fails when there is no such part or the part cannot be drilled.
Result<std::vector<CustomMelody>> melodiesToImport(const NotatedScore& score,
                                                   const std::filesystem::path& file,
                                                   std::size_t part, AnswerMode mode);

// Writes the melody to `file` in the format of its extension, wholly or not at all.
Status writeNotationFile(const std::filesystem::path& file, const CustomMelody& melody);
