#include <gtest/gtest.h>

#include <orvel/CharScannerLiteralsLess.hpp>

#include "support/ScannerProbe.hpp"

#include <string>

TEST(CharScannerLiteralsLess, OrdersBytewiseOrIgnoringCaseAsTheScannerSaysOnEveryComparison)
{
    struct Case {
        const char* x;
        const char* y;
        bool caseSensitiveLess;
        bool caseInsensitiveLess;
    };
    const Case cases[] = {
        {"IF", "if", true, false},      {"if", "IF", false, false},      {"ab", "abc", true, true},
        {"abc", "ab", false, false},    {"apple", "Banana", false, true}, {"Banana", "apple", true, false},
        {"z", "\xE9", true, true},      {"\xE9", "z", false, false},      {"", "a", true, true},
        {"a", "a", false, false},
    };
    orvel::test::ProbeScanner s("");
    const orvel::CharScannerLiteralsLess less(&s);
    int comparisons = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.x) + " < " + c.y);
        s.literalsCaseSensitive = true;
        EXPECT_EQ(c.caseSensitiveLess, less(c.x, c.y));
        s.literalsCaseSensitive = false;
        EXPECT_EQ(c.caseInsensitiveLess, less(c.x, c.y)) << "ignoring case";
        comparisons += 2;
    }
    EXPECT_EQ(comparisons, s.literalsQueries);
}
