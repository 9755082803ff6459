#include <orvel/IOException.hpp>
#include <orvel/RecognitionException.hpp>
#include <orvel/TokenStreamRetryException.hpp>

#include "support/Expect.hpp"

#include <exception>
#include <string>

namespace {

using orvel::ORVELException;
using orvel::RecognitionException;

TEST(Exceptions, AreCaughtThroughTheirBasesButNotAsStandardExceptions)
{
    EXPECT_THROW_TEXT(throw orvel::IOException(" io\n"), ORVELException, " io\n");
    EXPECT_THROW_TEXT(throw orvel::TokenStreamRetryException(), orvel::TokenStreamException, "");
    EXPECT_THROW_TEXT(throw RecognitionException(), ORVELException, " parsing error");
    bool caughtAsStandard = false;
    try {
        try {
            throw orvel::IOException("bad");
        } catch (const std::exception&) {
            caughtAsStandard = true;
        }
    } catch (const ORVELException& e) {
        EXPECT_EQ("bad", e.getMessage());
    }
    EXPECT_FALSE(caughtAsStandard);
}

TEST(RecognitionException, PrefixShowsOnlyThePartsThatArePresent)
{
    const struct {
        const char* fileName;
        int line, column;
        std::string rendering;
    } cases[] = {
        {"t.g", 3, 7, "t.g:3:7: m"}, {"t.g", 3, -1, "t.g:3: m"},   {"", 3, 7, "line 3:7: m"},
        {"", 3, -1, "line 3: m"},    {"t.g", -1, 7, "t.g: m"},     {"", -1, 7, " m"},
        {"", 0, 0, "line 0:0: m"},   {"t.g", -2, -5, "t.g:-2:-5: m"},
    };
    for (const auto& c : cases) {
        const RecognitionException e("m", c.fileName, c.line, c.column);
        EXPECT_EQ(c.rendering, e.toString());
        EXPECT_EQ(c.rendering.substr(0, c.rendering.size() - 1), e.getFileLineColumnString());
    }
    EXPECT_EQ(" unexpected end", RecognitionException("unexpected end").toString());
}

// A recognition error that assembles its own message, as the concrete errors do.
struct ExpectingSemi : RecognitionException {
    using RecognitionException::RecognitionException;
    std::string getMessage() const override { return "expecting SEMI"; }
};

TEST(RecognitionException, ToStringUsesTheOverriddenMessageAndCopiesKeepThePosition)
{
    RecognitionException copy;
    copy = RecognitionException("m", "in.txt", 4, 9);
    EXPECT_EQ("in.txt:4:9: m", copy.toString());
    EXPECT_THROW_TEXT(throw ExpectingSemi("unused", "t.g", 8, 1), RecognitionException, "t.g:8:1: expecting SEMI");
}

}
