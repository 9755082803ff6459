#include <gtest/gtest.h>

#include <orvel/CharBuffer.hpp>
#include <orvel/LexerInputState.hpp>

#include "support/ScannerProbe.hpp"

#include <sstream>
#include <vector>

using orvel::CharBuffer;
using orvel::LexerInputState;
using orvel::test::ScriptedBuffer;

namespace {

// Line, column, start line, start column and guessing depth.
std::vector<int> position(const LexerInputState& state)
{
    return {state.line, state.column, state.startLine, state.startColumn, state.guessing};
}

const std::vector<int> fresh{1, 1, 1, 1, 0};

void moveAway(LexerInputState& state)
{
    state.line = state.column = state.startLine = state.startColumn = state.guessing = 5;
}

}

TEST(LexerInputState, InitializeStartsOverOnANewOwnedBufferDeletingOnlyAnOwnedOldOne)
{
    int ownedDeaths = 0;
    int borrowedDeaths = 0;
    ScriptedBuffer borrowed("", &borrowedDeaths);
    LexerInputState owning(new ScriptedBuffer("", &ownedDeaths));
    LexerInputState borrowing(borrowed);
    moveAway(owning);
    borrowing.filename = "old";
    std::istringstream first("xy");
    std::istringstream second("z");
    owning.initialize(first, "next.txt");
    borrowing.initialize(second, nullptr);
    EXPECT_EQ(1, ownedDeaths);
    EXPECT_EQ(0, borrowedDeaths);
    EXPECT_EQ(fresh, position(owning));
    EXPECT_EQ("next.txt", owning.filename);
    EXPECT_EQ("", borrowing.filename) << "a null name gives an empty one";
    EXPECT_TRUE(owning.ownsInput);
    EXPECT_TRUE(borrowing.ownsInput);
    ASSERT_NE(nullptr, dynamic_cast<CharBuffer*>(owning.input));
    EXPECT_EQ('x', owning.input->LA(1));
    EXPECT_EQ('y', owning.input->LA(2));
    EXPECT_EQ('z', borrowing.input->LA(1));
}

TEST(LexerInputState, ResetReturnsToTheStartAndDropsBufferedCharacters)
{
    ScriptedBuffer buffer("abc");
    LexerInputState state(buffer);
    state.filename = "keep.txt";
    ASSERT_EQ('b', buffer.LA(2));
    moveAway(state);
    state.reset();
    EXPECT_EQ(fresh, position(state));
    EXPECT_EQ("keep.txt", state.filename);
    EXPECT_FALSE(state.ownsInput);
    EXPECT_EQ(0u, buffer.entries());
    EXPECT_EQ('c', state.input->LA(1));
}
