#pragma once

#include "base/result.h"

#include <cstddef>
#include <string>
#include <string_view>

// Compressed MusicXML (.mxl): a zip archive whose META-INF/container.xml names the score
// inside it.

// The score the container names, unpacked. Refused with a message: a damaged archive, a
// missing container or score, a path that leaves the archive's folder (absolute or with
// ".."), and anything that unpacks to more than `limit` bytes (a zip bomb is stopped there,
// whatever sizes the archive claims).
Result<std::string> musicXmlInArchive(std::string_view archive, std::size_t limit);

// An archive of the score: "mimetype" first and stored, META-INF/container.xml, and the score
// as "score.musicxml".
Result<std::string> archiveOfMusicXml(std::string_view musicXml);
