#include "music/number_parse.h"

#include <gtest/gtest.h>

#include <utility>

TEST(NumberParse, WrapsAround32BitsAsTheDataFilesExpect)
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
