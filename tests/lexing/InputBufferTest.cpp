#include <orvel/CharBuffer.hpp>
#include <orvel/LexerInputState.hpp>

#include "support/ScannerProbe.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace orvel;
using test::ScriptedBuffer;

// Looks at and consumes the next n characters, as a scanner does.
void advance(InputBuffer& in, int n)
{
    for (; n > 0; --n) {
        in.LA(1);
        in.consume();
    }
}

// The buffer as "kept|ahead" (marked and lookahead characters), " open" while
// a mark is open, and how many characters it has read from its source.
std::string view(const ScriptedBuffer& in)
{
    return in.getMarkedChars() + "|" + in.getLAChars() + (in.isMarked() ? " open" : "") + " read "
           + std::to_string(in.reads);
}

TEST(InputBuffer, ReadsOnlyAsDeepAsTheLookaheadAsksAndDropsConsumedCharactersLazily)
{
    ScriptedBuffer in("abcdef");
    EXPECT_EQ('c', in.LA(3));
    EXPECT_EQ('b', in.LA(2));
    in.consume();
    EXPECT_EQ("|abc read 3", view(in));
    EXPECT_EQ('b', in.LA(1));
    EXPECT_EQ("|bc read 3", view(in));
    in.consume();
    in.consume();
    in.consume();
    EXPECT_EQ('e', in.LA(1)) << "characters consumed but never looked at are skipped";
    EXPECT_EQ(-1, in.LA(3));
    EXPECT_EQ("|ef\xFF read 7", view(in));
}

TEST(InputBuffer, MarksNestAndRewindOrCommitClosesTheInnermostWithoutRereading)
{
    ScriptedBuffer in("abcdef");
    const unsigned int m1 = in.mark();
    advance(in, 1);
    const unsigned int m2 = in.mark();
    EXPECT_EQ(m1 + 1, m2);
    advance(in, 1);
    in.rewind(m2);
    EXPECT_EQ('b', in.LA(1));
    EXPECT_EQ("a|b open read 2", view(in));
    in.mark();
    advance(in, 1);
    in.commit();
    EXPECT_EQ("a|b open read 2", view(in)) << "the pending consume shows after the next lookahead";
    in.rewind(m1);
    EXPECT_EQ("|ab read 2", view(in));
    in.mark();
    in.consume();
    in.consume();
    in.consume();
    EXPECT_EQ('d', in.LA(1)) << "consumes under a mark may run ahead of the lookahead";
    EXPECT_EQ("abc|d open read 4", view(in));
    in.commit();
    EXPECT_EQ('d', in.LA(1));
    EXPECT_EQ("abc|d read 4", view(in)) << "committed characters stay in a window sliding with each consume";
    advance(in, 1);
    EXPECT_EQ('e', in.LA(1));
    EXPECT_EQ("bcd|e read 5", view(in));
    in.reset();
    EXPECT_EQ("| read 5", view(in));
    EXPECT_EQ('f', in.LA(1));
}

TEST(InputBuffer, LongInputStaysInStepAcrossQueueCompaction)
{
    const int length = 12000;
    std::string text;
    for (int i = 0; i < length; ++i)
        text += static_cast<char>('a' + i % 26);
    ScriptedBuffer in(text);
    for (int i = 0; i < length; ++i, in.consume())
        ASSERT_EQ(i + 1 < length ? 'a' + (i + 1) % 26 : -1, in.LA(2)) << i;
    EXPECT_EQ(-1, in.LA(1));
    EXPECT_EQ(length + 1u, in.reads);
}

TEST(CharBuffer, TakesNoCharacterAheadOfTheLookaheadAndYieldsBytesAsValuesFrom0To255)
{
    std::istringstream stream(std::string("\xFF\x00" "bc", 4));
    {
        CharBuffer in(stream);
        EXPECT_EQ(0, in.LA(2));
        EXPECT_EQ(2, stream.tellg());
        EXPECT_EQ(255, in.LA(1));
        in.consume();
        EXPECT_EQ('b', in.LA(2));
    }
    EXPECT_EQ('c', stream.get());
    std::istringstream empty;
    EXPECT_EQ(-1, CharBuffer(empty).LA(2));
}

TEST(CharBuffer, StreamFailuresPassThroughTheLookahead)
{
    struct BrokenSource : std::streambuf {
        int_type underflow() override { throw std::runtime_error("device lost"); }
    } broken;
    std::stringbuf text("ab");
    std::istream stream(&text);
    CharBuffer in(stream);
    EXPECT_EQ('a', in.LA(1));
    stream.rdbuf(&broken);
    stream.exceptions(std::ios::badbit);
    EXPECT_THROW(in.LA(2), std::runtime_error);
    EXPECT_EQ('a', in.LA(1));
}

// Line, column, start line, start column and guessing depth.
std::vector<int> position(const LexerInputState& state)
{
    return {state.line, state.column, state.startLine, state.startColumn, state.guessing};
}

void moveAway(LexerInputState& state) { state.line = state.column = state.startLine = state.startColumn = state.guessing = 5; }

TEST(LexerInputState, InitializeAndResetStartOverDeletingOnlyAnOwnedBuffer)
{
    int ownedDeaths = 0;
    int borrowedDeaths = 0;
    ScriptedBuffer borrowed("abc", &borrowedDeaths);
    LexerInputState owning(new ScriptedBuffer("", &ownedDeaths));
    LexerInputState borrowing(borrowed);
    moveAway(owning);
    moveAway(borrowing);
    borrowing.filename = "keep.txt";
    ASSERT_EQ('b', borrowed.LA(2));
    borrowing.reset();
    EXPECT_EQ((std::vector<int>{1, 1, 1, 1, 0}), position(borrowing));
    EXPECT_EQ("keep.txt", borrowing.filename);
    EXPECT_EQ('c', borrowing.input->LA(1)) << "reset drops the buffered characters";
    std::istringstream first("xy");
    std::istringstream second("z");
    owning.initialize(first, "next.txt");
    borrowing.initialize(second, nullptr);
    EXPECT_EQ(1, ownedDeaths);
    EXPECT_EQ(0, borrowedDeaths);
    EXPECT_EQ((std::vector<int>{1, 1, 1, 1, 0}), position(owning));
    EXPECT_EQ("next.txt", owning.filename);
    EXPECT_EQ("", borrowing.filename);
    EXPECT_TRUE(owning.ownsInput && borrowing.ownsInput);
    EXPECT_EQ('y', owning.input->LA(2));
    EXPECT_EQ('z', borrowing.input->LA(1));
}

}
