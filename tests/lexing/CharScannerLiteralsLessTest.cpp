#include <gtest/gtest.h>

#include <orvel/CharScannerLiteralsLess.hpp>

#include "support/ScannerProbe.hpp"

#include <string>

using orvel::CharScannerLiteralsLess;

namespace {

struct OrderCase {
    const char* x;
    const char* y;
    bool caseSensitiveLess;
    bool caseInsensitiveLess;
};

const OrderCase orderCases[] = {
    {"IF", "if", true, false},
    {"if", "IF", false, false},
    {"ab", "abc", true, true},
    {"abc", "ab", false, false},
    {"apple", "Banana", false, true},
    {"Banana", "apple", true, false},
    {"z", "\xE9", true, true},
    {"\xE9", "z", false, false},
    {"", "a", true, true},
    {"a", "a", false, false},
};

}

TEST(CharScannerLiteralsLess, OrdersBytewiseOrIgnoringCaseAsTheScannerSays)
{
    orvel::test::ProbeInput input("");
    const CharScannerLiteralsLess less(&input.scanner);
    for (const OrderCase& c : orderCases) {
        input.scanner.literalsCaseSensitive = true;
        EXPECT_EQ(c.caseSensitiveLess, less(c.x, c.y)) << c.x << " < " << c.y;
        input.scanner.literalsCaseSensitive = false;
        EXPECT_EQ(c.caseInsensitiveLess, less(c.x, c.y)) << c.x << " < " << c.y << " ignoring case";
    }
}

TEST(CharScannerLiteralsLess, AsksTheScannerOnEveryComparison)
{
    orvel::test::ProbeInput input("");
    const CharScannerLiteralsLess less(&input.scanner);
    less("a", "b");
    less("b", "a");
    less("c", "c");
    EXPECT_EQ(3, input.scanner.literalsQueries);
}
