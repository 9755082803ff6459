#include <orvel/RecognitionException.hpp>

#include "support/Expect.hpp"

#include <gtest/gtest.h>

#include <string>
#include <type_traits>

namespace {

using orvel::RecognitionException;

struct PositionCase {
    const char* fileName;
    int line;
    int column;
    const char* rendering;
};

class RecognitionExceptionPosition : public ::testing::TestWithParam<PositionCase> {};

TEST_P(RecognitionExceptionPosition, PrefixShowsOnlyThePartsThatArePresent)
{
    const PositionCase& c = GetParam();
    const RecognitionException e("m", c.fileName, c.line, c.column);
    EXPECT_EQ(std::string(c.rendering), e.toString());
    EXPECT_EQ(std::string(c.rendering, std::string(c.rendering).size() - 1),
              e.getFileLineColumnString());
}

INSTANTIATE_TEST_SUITE_P(
    EveryShape, RecognitionExceptionPosition,
    ::testing::Values(PositionCase{"t.g", 3, 7, "t.g:3:7: m"},
                      PositionCase{"t.g", 3, -1, "t.g:3: m"},
                      PositionCase{"", 3, 7, "line 3:7: m"},
                      PositionCase{"", 3, -1, "line 3: m"},
                      PositionCase{"t.g", -1, 7, "t.g: m"},
                      PositionCase{"t.g", -1, -1, "t.g: m"},
                      PositionCase{"", -1, 7, " m"},
                      PositionCase{"", -1, -1, " m"},
                      PositionCase{"", 0, 0, "line 0:0: m"},
                      PositionCase{"t.g", -2, -5, "t.g:-2:-5: m"},
                      PositionCase{"a b:c", 12345, 678, "a b:c:12345:678: m"}));

TEST(RecognitionException, DefaultRendersABlankThenParsingError)
{
    const RecognitionException e;
    EXPECT_EQ(" parsing error", e.toString());
    EXPECT_EQ("parsing error", e.getMessage());
}

TEST(RecognitionException, GettersReturnThePositionOrMinusOne)
{
    const RecognitionException none("unexpected end");
    EXPECT_EQ(" unexpected end", none.toString());
    EXPECT_EQ("", none.getFilename());
    EXPECT_EQ(-1, none.getLine());
    EXPECT_EQ(-1, none.getColumn());
    const RecognitionException e("m", "in.txt", 4, 9);
    EXPECT_EQ("m", e.getMessage());
    EXPECT_EQ("in.txt", e.getFilename());
    EXPECT_EQ(4, e.getLine());
    EXPECT_EQ(9, e.getColumn());
    static_assert(noexcept(e.getFilename()));
}

// A recognition error that assembles its own message, as the concrete
// mismatch errors do.
class ExpectingError : public RecognitionException {
public:
    ExpectingError(const std::string& expected, int line)
        : RecognitionException("unused", "t.g", line, 1), expected(expected)
    {
    }

    std::string getMessage() const override { return "expecting " + expected; }

private:
    std::string expected;
};

TEST(RecognitionException, ToStringUsesAnOverriddenPrefix)
{
    struct NoPosition : RecognitionException {
        using RecognitionException::RecognitionException;
        std::string getFileLineColumnString() const override { return "here> "; }
    };
    const NoPosition e("m", "t.g", 1, 2);
    EXPECT_EQ("here> m", e.toString());
}

TEST(RecognitionException, ToStringOfACaughtSubclassShowsItsOwnMessage)
{
    EXPECT_THROW_TEXT(throw ExpectingError("SEMI", 8), RecognitionException,
                      "t.g:8:1: expecting SEMI");
}

TEST(RecognitionException, CopyKeepsMessageAndPosition)
{
    static_assert(std::is_copy_constructible_v<RecognitionException>);
    static_assert(std::is_copy_assignable_v<RecognitionException>);
    RecognitionException copy;
    {
        const RecognitionException original("m", "t.g", 3, 7);
        copy = original;
    }
    EXPECT_EQ("t.g:3:7: m", copy.toString());
    const ExpectingError sub("ID", 5);
    const ExpectingError subCopy(sub);
    EXPECT_EQ("t.g:5:1: expecting ID", subCopy.toString());
}

}
