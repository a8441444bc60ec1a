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
