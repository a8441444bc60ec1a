#include "music/text_lines.h"

bool readDataLine(std::istream& in, std::string& line, std::size_t maxKept)
{
    line.clear();
    std::streambuf* buffer = in.rdbuf();
    if (!buffer || !in.good())
        return false;
    bool sawAnything = false;
    bool cutAtNul = false;
    for (;;) {
        int c = buffer->sbumpc();
        if (c == std::char_traits<char>::eof()) {
            in.setstate(std::ios::eofbit);
            break;
        }
        sawAnything = true;
        if (c == '\n')
            break;
        if (c == '\0')
            cutAtNul = true;
        if (!cutAtNul && line.size() < maxKept)
            line.push_back(static_cast<char>(c));
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return sawAnything;
}

std::string cutAtCharacter(std::string text, std::size_t length)
{
    if (text.size() <= length)
        return text;
    std::size_t end = length;
    // Step back over UTF-8 continuation bytes so the cut lands on a character start.
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    text.resize(end);
    return text;
}
