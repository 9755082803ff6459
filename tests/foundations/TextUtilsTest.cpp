#include <orvel/TextUtils.hpp>

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

using orvel::operator+;

TEST(TextUtils, PlusIntAppendsSignedDecimal)
{
    const struct {
        int n;
        const char* expected;
    } cases[] = {{0, "x0"}, {7, "x7"}, {-5, "x-5"}, {INT_MAX, "x2147483647"},
                 {INT_MIN, "x-2147483648"}};
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, std::string("x") + c.n) << c.n;
}

TEST(TextUtils, PlusUnsignedLongAppendsUnsignedDecimalOfEveryBit)
{
    EXPECT_EQ("n=0", std::string("n=") + 0UL);
    EXPECT_EQ("n=4294967295", std::string("n=") + 4294967295UL);
    if (sizeof(unsigned long) == 8) {
        EXPECT_EQ("18446744073709551615", std::string() + ULONG_MAX);
    }
}

TEST(TextUtils, CharNameRendersEveryKindOfCharacter)
{
    const struct {
        int ch;
        const char* expected;
    } cases[] = {
        {-1, "EOF"},     {'a', "'a'"},    {'\'', "'''"},    {'\\', "'\\'"},   {'"', "'\"'"},
        {' ', "' '"},    {'~', "'~'"},    {10, "0x0A"},     {0, "0x00"},      {0x1F, "0x1F"},
        {127, "0x7F"},   {0xAB, "0xAB"},  {255, "0xFF"},    {321, "'A'"},     {256, "0x00"},
        {-2, "0xFE"},    {-256, "0x00"},  {INT_MIN, "0x00"}, {-191, "'A'"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, orvel::charName(c.ch)) << c.ch;
}

}
