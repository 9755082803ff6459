#include <gtest/gtest.h>

#include <orvel/BitSet.hpp>
#include <orvel/MismatchedCharException.hpp>

#include "support/ScannerProbe.hpp"

#include <string>
#include <utility>

using orvel::BitSet;
using orvel::MismatchedCharException;
using orvel::test::charSet;

static_assert(MismatchedCharException::CHAR == 1 && MismatchedCharException::NOT_CHAR == 2
              && MismatchedCharException::RANGE == 3 && MismatchedCharException::NOT_RANGE == 4
              && MismatchedCharException::SET == 5 && MismatchedCharException::NOT_SET == 6);

TEST(MismatchedCharException, EachKindRendersItsMessageAfterTheScannersPosition)
{
    orvel::test::ProbeScanner scanner("");
    scanner.setFilename("t.txt");
    scanner.setLine(3);
    scanner.setColumn(7);
    orvel::CharScanner* const s = &scanner;
    const std::pair<MismatchedCharException, const char*> cases[] = {
        {{'b', 'a', false, s}, "expecting ''a'', found ''b''"},
        {{-1, '\n', false, s}, "expecting '0x0A', found 'EOF'"},
        {{'\'', 0, false, s}, "expecting '0x00', found '''''"},
        {{'\n', '\n', true, s}, "expecting anything but '0x0A'; got it anyway"},
        {{-1, -1, true, s}, "expecting anything but 'EOF'; got it anyway"},
        {{'0', 'a', 'z', false, s}, "expecting token in range: ''a''..''z'', found ''0''"},
        {{-1, 0x80, 0xFF, false, s}, "expecting token in range: '0x80'..'0xFF', found 'EOF'"},
        {{'m', 'a', 'z', true, s}, "expecting token NOT in range: 'a''..''z'', found ''m''"},
        {{'c', charSet({'b', 'a'}), false, s}, "expecting one of ( ''a'' ''b''), found ''c''"},
        {{'\t', BitSet(), false, s}, "expecting one of (), found '0x09'"},
        {{-1, charSet({10}), false, s}, "expecting one of ( '0x0A'), found 'EOF'"},
        {{'"', charSet({0, '"'}), true, s}, "expecting NOT one of ( '0x00' ''\"''), found ''\"''"},
    };
    for (const auto& [ex, message] : cases) {
        SCOPED_TRACE(message);
        EXPECT_EQ(message, ex.getMessage());
        EXPECT_EQ("t.txt:3:7: " + std::string(message), ex.toString());
    }
}

TEST(MismatchedCharException, PositionIsTheScannersWhenBuiltAndNoneWithoutScannerOrArguments)
{
    orvel::test::ProbeScanner s("");
    s.setLine(2);
    s.setColumn(4);
    const MismatchedCharException placed('x', 'y', false, &s);
    s.setLine(9);
    s.setFilename("later.txt");
    EXPECT_EQ("line 2:4: expecting ''y'', found ''x''", placed.toString());
    EXPECT_EQ("", placed.getFilename());
    const MismatchedCharException unplaced('c', 'd', false, nullptr);
    EXPECT_EQ(" expecting ''d'', found ''c''", unplaced.toString());
    EXPECT_EQ(-1, unplaced.getLine());
    const MismatchedCharException byDefault;
    EXPECT_EQ("Mismatched char", byDefault.getMessage());
    EXPECT_EQ(" Mismatched char", byDefault.toString());
}

TEST(MismatchedCharException, ExpectedSetIsCopied)
{
    BitSet set = charSet({'a'});
    const MismatchedCharException ex('c', set, false, nullptr);
    set.add('b');
    EXPECT_EQ("expecting one of ( ''a''), found ''c''", ex.getMessage());
}
