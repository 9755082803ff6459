#include <gtest/gtest.h>

#include <orvel/CharBuffer.hpp>
#include <orvel/LexerInputState.hpp>

#include "support/ScannerProbe.hpp"

#include <sstream>

using orvel::CharBuffer;
using orvel::LexerInputState;
using orvel::test::DyingBuffer;

namespace {

void expectFreshPosition(const LexerInputState& state)
{
    EXPECT_EQ(1, state.line);
    EXPECT_EQ(1, state.column);
    EXPECT_EQ(1, state.startLine);
    EXPECT_EQ(1, state.startColumn);
    EXPECT_EQ(0, state.guessing);
}

void moveAway(LexerInputState& state)
{
    state.line = 4;
    state.column = 9;
    state.startLine = 3;
    state.startColumn = 2;
    state.guessing = 2;
}

}

TEST(LexerInputState, OverAReferenceStartsFreshAndLeavesTheBufferAlone)
{
    int deaths = 0;
    DyingBuffer buffer(deaths);
    {
        const LexerInputState state(buffer);
        expectFreshPosition(state);
        EXPECT_EQ("", state.filename);
        EXPECT_EQ(&buffer, state.input);
        EXPECT_FALSE(state.ownsInput);
    }
    EXPECT_EQ(0, deaths);
}

TEST(LexerInputState, OverAPointerOwnsAndDeletesTheBuffer)
{
    int deaths = 0;
    {
        const LexerInputState state(new DyingBuffer(deaths));
        expectFreshPosition(state);
        EXPECT_TRUE(state.ownsInput);
    }
    EXPECT_EQ(1, deaths);
}

TEST(LexerInputState, InitializeStartsOverOnANewOwnedStream)
{
    int deaths = 0;
    LexerInputState state(new DyingBuffer(deaths));
    moveAway(state);
    std::istringstream in("xy");
    state.initialize(in, "next.txt");
    EXPECT_EQ(1, deaths);
    expectFreshPosition(state);
    EXPECT_EQ("next.txt", state.filename);
    EXPECT_TRUE(state.ownsInput);
    ASSERT_NE(nullptr, dynamic_cast<CharBuffer*>(state.input));
    EXPECT_EQ('x', state.input->LA(1));
    EXPECT_EQ('y', state.input->LA(2));
}

TEST(LexerInputState, InitializeKeepsABorrowedBufferAlive)
{
    int deaths = 0;
    DyingBuffer buffer(deaths);
    LexerInputState state(buffer);
    std::istringstream in("a");
    state.initialize(in, "a.txt");
    EXPECT_EQ(0, deaths);
    EXPECT_NE(&buffer, state.input);
    EXPECT_TRUE(state.ownsInput);
}

TEST(LexerInputState, InitializeWithoutNameGivesAnEmptyName)
{
    std::istringstream first("a");
    std::istringstream in("b");
    LexerInputState state(new CharBuffer(first));
    state.filename = "old";
    state.initialize(in, nullptr);
    EXPECT_EQ("", state.filename);
}

TEST(LexerInputState, ResetReturnsToTheStartAndDropsBufferedCharacters)
{
    std::istringstream in("abc");
    CharBuffer buffer(in);
    LexerInputState state(buffer);
    state.filename = "keep.txt";
    ASSERT_EQ('b', buffer.LA(2));
    moveAway(state);
    state.reset();
    expectFreshPosition(state);
    EXPECT_EQ("keep.txt", state.filename);
    EXPECT_FALSE(state.ownsInput);
    EXPECT_EQ(0u, buffer.entries());
    EXPECT_EQ('c', state.input->LA(1));
}
