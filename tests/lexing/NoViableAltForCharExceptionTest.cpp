#include <gtest/gtest.h>

#include <orvel/NoViableAltForCharException.hpp>

#include "support/ScannerProbe.hpp"

using orvel::NoViableAltForCharException;

TEST(NoViableAltForCharException, TakesTheScannersCurrentPositionOrNoneWithoutScanner)
{
    orvel::test::ProbeScanner s("");
    s.setFilename("t.txt");
    s.setLine(2);
    s.setColumn(5);
    const NoViableAltForCharException ex('@', &s);
    EXPECT_EQ("t.txt:2:5: unexpected char: '@'", ex.toString());
    EXPECT_EQ("t.txt", ex.getFilename());
    const NoViableAltForCharException unplaced('x', nullptr);
    EXPECT_EQ(" unexpected char: 'x'", unplaced.toString());
    EXPECT_EQ("unexpected char: 'x'", unplaced.getMessage());
}

TEST(NoViableAltForCharException, RendersExplicitPositionsAndCharacters)
{
    struct Case {
        int c;
        const char* file;
        int line;
        int column;
        const char* text;
    };
    const Case cases[] = {
        {'\t', "", -1, 4, " unexpected char: 0x09"},
        {-1, "f", 3, -1, "f:3: unexpected char: EOF"},
        {0xE9, "", 1, 1, "line 1:1: unexpected char: 0xE9"},
        {'"', "a.txt", 0, 0, "a.txt:0:0: unexpected char: '\"'"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.text, NoViableAltForCharException(c.c, c.file, c.line, c.column).toString());
}
