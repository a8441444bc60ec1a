#pragma once

#include <cstddef>
#include <istream>
#include <string>

// Reads one line of a data file into `line` and returns false at the end of
// the stream. The line end (LF, CR LF, or a lone CR before LF) is removed.
// At most `maxKept` characters are kept; the rest of an over-long line is
// skipped, so a damaged file with a huge line costs no memory and still counts
// as one line. Like the C strings the files were designed around, the line
// ends at an embedded NUL byte.
bool readDataLine(std::istream& in, std::string& line, std::size_t maxKept);

// `text` cut to at most `length` bytes, never inside a UTF-8 character: a name shortened to
// fit its field still shows whole letters.
std::string cutAtCharacter(std::string text, std::size_t length);
