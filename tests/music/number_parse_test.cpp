#include "music/number_parse.h"
#include "music/text_lines.h"

#include <gtest/gtest.h>

#include <sstream>

TEST(NumberParse, ReadsLikeTheDataFilesExpect)
{
    EXPECT_EQ(parseWrappingInt("440"), 440);
    EXPECT_EQ(parseWrappingInt("440Hz"), 440);
    EXPECT_EQ(parseWrappingInt("  \t+7"), 7);
    EXPECT_EQ(parseWrappingInt("-12x"), -12);
    EXPECT_EQ(parseWrappingInt(""), 0);
    EXPECT_EQ(parseWrappingInt("abc"), 0);
    EXPECT_EQ(parseWrappingInt("-"), 0);
    EXPECT_EQ(parseWrappingInt("--5"), 0);
}

TEST(NumberParse, WrapsAround32Bits)
{
    EXPECT_EQ(parseWrappingInt("4294967295"), -1);
    EXPECT_EQ(parseWrappingInt("4294967296"), 0);
    EXPECT_EQ(parseWrappingInt("2147483648"), INT32_MIN);
    EXPECT_EQ(parseWrappingInt("-2147483648"), INT32_MIN);
    // 10^26 - 1 modulo 2^32 is 3825205247.
    EXPECT_EQ(parseWrappingInt("99999999999999999999999999"), -469762049);
}

TEST(TextLines, StripsLineEndsAndCountsOverlongLinesOnce)
{
    std::istringstream in(std::string("a=1\r\nb=2\n") + std::string(5000, 'x') + "\nlast");
    std::string line;
    ASSERT_TRUE(readDataLine(in, line, 259));
    EXPECT_EQ(line, "a=1");
    ASSERT_TRUE(readDataLine(in, line, 259));
    EXPECT_EQ(line, "b=2");
    ASSERT_TRUE(readDataLine(in, line, 259));
    EXPECT_EQ(line.size(), 259u);
    ASSERT_TRUE(readDataLine(in, line, 259));
    EXPECT_EQ(line, "last");
    EXPECT_FALSE(readDataLine(in, line, 259));
}

TEST(TextLines, EndsALineAtANulByte)
{
    std::istringstream in(std::string("mi\0di=5\nnext\n", 13));
    std::string line;
    ASSERT_TRUE(readDataLine(in, line, 259));
    EXPECT_EQ(line, "mi");
    ASSERT_TRUE(readDataLine(in, line, 259));
    EXPECT_EQ(line, "next");
}
