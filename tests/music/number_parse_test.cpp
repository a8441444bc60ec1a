#include "music/number_parse.h"
#include "music/text_lines.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

TEST(NumberParse, ReadsLikeTheDataFilesExpectAndWrapsAround32Bits)
{
    const std::pair<const char*, std::int32_t> cases[] = {
        {"440Hz", 440},
        {"  \t+7", 7},
        {"-12x", -12},
        {"", 0},
        {"abc", 0},
        {"--5", 0},
        {"4294967295", -1},
        {"4294967296", 0},
        {"-2147483648", INT32_MIN},
        {"99999999999999999999999999", -469762049}, // 10^26 - 1 modulo 2^32
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(parseWrappingInt(text), value) << text;
}

TEST(TextLines, StripsLineEndsCutsOverlongLinesAndStopsAtNul)
{
    std::istringstream in("a=1\r\nb=2\n" + std::string(5000, 'x') + "\n" +
                          std::string("mi\0di=5\nlast", 12));
    std::string line;
    const std::vector<std::string> expected = {"a=1", "b=2", std::string(259, 'x'), "mi", "last"};
    for (const std::string& want : expected) {
        ASSERT_TRUE(readDataLine(in, line, 259));
        EXPECT_EQ(line, want);
    }
    EXPECT_FALSE(readDataLine(in, line, 259));
}
