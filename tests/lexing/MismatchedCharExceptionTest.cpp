#include <gtest/gtest.h>

#include <orvel/BitSet.hpp>
#include <orvel/MismatchedCharException.hpp>

#include "support/ScannerProbe.hpp"

#include <functional>
#include <string>

using orvel::BitSet;
using orvel::CharScanner;
using orvel::MismatchedCharException;

namespace {

BitSet setOf(std::initializer_list<unsigned int> members)
{
    BitSet set;
    for (unsigned int m : members)
        set.add(m);
    return set;
}

struct MessageCase {
    const char* name;
    std::function<MismatchedCharException(CharScanner*)> make;
    const char* message;
};

const MessageCase messageCases[] = {
    {"char, printable", [](CharScanner* s) { return MismatchedCharException('b', 'a', false, s); },
     "expecting ''a'', found ''b''"},
    {"char, line end expected at end of input",
     [](CharScanner* s) { return MismatchedCharException(-1, '\n', false, s); },
     "expecting '0x0A', found 'EOF'"},
    {"char, quote found", [](CharScanner* s) { return MismatchedCharException('\'', 0, false, s); },
     "expecting '0x00', found '''''"},
    {"not char, line end", [](CharScanner* s) { return MismatchedCharException('\n', '\n', true, s); },
     "expecting anything but '0x0A'; got it anyway"},
    {"not char, end of input", [](CharScanner* s) { return MismatchedCharException(-1, -1, true, s); },
     "expecting anything but 'EOF'; got it anyway"},
    {"range", [](CharScanner* s) { return MismatchedCharException('0', 'a', 'z', false, s); },
     "expecting token in range: ''a''..''z'', found ''0''"},
    {"range, non-printable bounds at end of input",
     [](CharScanner* s) { return MismatchedCharException(-1, 0x80, 0xFF, false, s); },
     "expecting token in range: '0x80'..'0xFF', found 'EOF'"},
    {"not range", [](CharScanner* s) { return MismatchedCharException('m', 'a', 'z', true, s); },
     "expecting token NOT in range: 'a''..''z'', found ''m''"},
    {"set", [](CharScanner* s) { return MismatchedCharException('c', setOf({'b', 'a'}), false, s); },
     "expecting one of ( ''a'' ''b''), found ''c''"},
    {"set, empty", [](CharScanner* s) { return MismatchedCharException('\t', BitSet(), false, s); },
     "expecting one of (), found '0x09'"},
    {"set, end of input", [](CharScanner* s) { return MismatchedCharException(-1, setOf({10}), false, s); },
     "expecting one of ( '0x0A'), found 'EOF'"},
    {"not set", [](CharScanner* s) { return MismatchedCharException('"', setOf({0, '"'}), true, s); },
     "expecting NOT one of ( '0x00' ''\"''), found ''\"''"},
};

}

TEST(MismatchedCharException, EachKindRendersItsMessageAfterTheScannersPosition)
{
    orvel::test::ProbeInput input("");
    input.scanner.setFilename("t.txt");
    input.scanner.setLine(3);
    input.scanner.setColumn(7);
    for (const MessageCase& c : messageCases) {
        const MismatchedCharException ex = c.make(&input.scanner);
        EXPECT_EQ(std::string(c.message), ex.getMessage()) << c.name;
        EXPECT_EQ("t.txt:3:7: " + std::string(c.message), ex.toString()) << c.name;
    }
}

TEST(MismatchedCharException, PositionIsTakenWhenTheExceptionIsBuilt)
{
    orvel::test::ProbeInput input("");
    input.scanner.setLine(2);
    input.scanner.setColumn(4);
    const MismatchedCharException ex('x', 'y', false, &input.scanner);
    input.scanner.setLine(9);
    input.scanner.setFilename("later.txt");
    EXPECT_EQ("line 2:4: expecting ''y'', found ''x''", ex.toString());
    EXPECT_EQ(2, ex.getLine());
    EXPECT_EQ(4, ex.getColumn());
    EXPECT_EQ("", ex.getFilename());
}

TEST(MismatchedCharException, ExpectedSetIsCopied)
{
    BitSet set = setOf({'a'});
    const MismatchedCharException ex('c', set, false, nullptr);
    set.add('b');
    EXPECT_EQ("expecting one of ( ''a''), found ''c''", ex.getMessage());
}

TEST(MismatchedCharException, WithoutScannerHasNoPosition)
{
    const MismatchedCharException ex('c', 'd', false, nullptr);
    EXPECT_EQ(" expecting ''d'', found ''c''", ex.toString());
    EXPECT_EQ(-1, ex.getLine());
}

TEST(MismatchedCharException, DefaultOneSaysMismatchedCharWithoutPosition)
{
    const MismatchedCharException ex;
    EXPECT_EQ("Mismatched char", ex.getMessage());
    EXPECT_EQ(" Mismatched char", ex.toString());
}

static_assert(MismatchedCharException::CHAR == 1 && MismatchedCharException::NOT_CHAR == 2
              && MismatchedCharException::RANGE == 3 && MismatchedCharException::NOT_RANGE == 4
              && MismatchedCharException::SET == 5 && MismatchedCharException::NOT_SET == 6);
