#include <orvel/RecognitionException.hpp>

#include "support/Expect.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

using orvel::RecognitionException;

TEST(RecognitionException, PrefixShowsOnlyThePartsThatArePresent)
{
    const struct {
        const char* fileName;
        int line;
        int column;
        std::string rendering;
    } cases[] = {
        {"t.g", 3, 7, "t.g:3:7: m"},        {"t.g", 3, -1, "t.g:3: m"},   {"", 3, 7, "line 3:7: m"},
        {"", 3, -1, "line 3: m"},           {"t.g", -1, 7, "t.g: m"},     {"t.g", -1, -1, "t.g: m"},
        {"", -1, 7, " m"},                  {"", -1, -1, " m"},           {"", 0, 0, "line 0:0: m"},
        {"t.g", -2, -5, "t.g:-2:-5: m"},    {"a b:c", 12345, 678, "a b:c:12345:678: m"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rendering);
        const RecognitionException e("m", c.fileName, c.line, c.column);
        EXPECT_EQ(c.rendering, e.toString());
        EXPECT_EQ(c.rendering.substr(0, c.rendering.size() - 1), e.getFileLineColumnString());
    }
}

TEST(RecognitionException, WithoutAPositionRendersABlankThenTheMessageAndReportsMinusOne)
{
    const RecognitionException byDefault;
    EXPECT_EQ(" parsing error", byDefault.toString());
    EXPECT_EQ("parsing error", byDefault.getMessage());
    const RecognitionException none("unexpected end");
    EXPECT_EQ(" unexpected end", none.toString());
    EXPECT_EQ("", none.getFilename());
    EXPECT_EQ(-1, none.getLine());
    EXPECT_EQ(-1, none.getColumn());
    static_assert(noexcept(none.getFilename()));
}

// A recognition error that assembles its own message, as the concrete
// mismatch errors do.
struct ExpectingSemi : RecognitionException {
    using RecognitionException::RecognitionException;
    std::string getMessage() const override { return "expecting SEMI"; }
};

TEST(RecognitionException, ToStringUsesTheOverriddenPrefixAndMessage)
{
    struct NoPosition : RecognitionException {
        using RecognitionException::RecognitionException;
        std::string getFileLineColumnString() const override { return "here> "; }
    };
    EXPECT_EQ("here> m", NoPosition("m", "t.g", 1, 2).toString());
    EXPECT_THROW_TEXT(throw ExpectingSemi("unused", "t.g", 8, 1), RecognitionException, "t.g:8:1: expecting SEMI");
}

TEST(RecognitionException, CopyKeepsMessageAndPosition)
{
    RecognitionException copy;
    {
        const RecognitionException original("m", "in.txt", 4, 9);
        copy = original;
    }
    EXPECT_EQ("in.txt:4:9: m", copy.toString());
    EXPECT_EQ("m", copy.getMessage());
    EXPECT_EQ("in.txt", copy.getFilename());
    EXPECT_EQ(4, copy.getLine());
    EXPECT_EQ(9, copy.getColumn());
    const ExpectingSemi sub("unused", "t.g", 5, 1);
    EXPECT_EQ("t.g:5:1: expecting SEMI", ExpectingSemi(sub).toString());
}

}
