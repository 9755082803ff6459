#include <orvel/CharBuffer.hpp>
#include <orvel/CharScanner.hpp>
#include <orvel/MismatchedCharException.hpp>

#include <gtest/gtest.h>

#include <sstream>

using namespace orvel;

namespace {

// Scans one string: '"' (~'"')* '"'.
struct StringScanner : CharScanner {
    explicit StringScanner(std::istream& in) : CharScanner(new CharBuffer(in), true) { setFilename("f"); }
    bool getLiteralsCaseSensitive() const override { return true; }
    TokenRefCount<Token> nextToken() override
    {
        resetText();
        match('"');
        while (LA(1) != '"')
            matchNot('"');
        match('"');
        return makeToken(4);
    }
};

}

TEST(UnterminatedString, EndOfInputMatchesNoInvertedCharacter)
{
    std::istringstream in("\"ab");
    StringScanner scanner(in);
    try {
        scanner.nextToken();
        ADD_FAILURE() << "an unterminated string was accepted";
    } catch (const MismatchedCharException& e) {
        EXPECT_EQ("f:1:4: expecting NOT one of ( ''\"''), found 'EOF'", e.toString());
    }
    EXPECT_EQ("\"ab", scanner.getText());
    EXPECT_EQ(CharScanner::EOF_CHAR, scanner.LA(1));
}
