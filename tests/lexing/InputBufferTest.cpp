#include <orvel/InputBuffer.hpp>

#include <gtest/gtest.h>

#include "support/ScannerProbe.hpp"

#include <string>

using orvel::test::ScriptedBuffer;

namespace {

// Looks at and consumes the next n characters, as a scanner does.
void advance(orvel::InputBuffer& in, int n)
{
    for (; n > 0; --n) {
        in.LA(1);
        in.consume();
    }
}

}

TEST(InputBuffer, ReadsOnlyAsDeepAsTheLookaheadAsksAndAppliesConsumesLazily)
{
    ScriptedBuffer in("abcdef");
    EXPECT_EQ(0u, in.reads);
    EXPECT_EQ('a', in.LA(1));
    EXPECT_EQ(1u, in.reads);
    EXPECT_EQ('c', in.LA(3));
    EXPECT_EQ('b', in.LA(2));
    EXPECT_EQ(3u, in.reads);
    in.consume();
    EXPECT_EQ(3u, in.entries());
    EXPECT_EQ("abc", in.getLAChars());
    EXPECT_EQ('b', in.LA(1));
    EXPECT_EQ(2u, in.entries());
    EXPECT_EQ(3u, in.reads);
}

TEST(InputBuffer, EndOfInputIsStoredLikeACharacter)
{
    ScriptedBuffer in("");
    EXPECT_EQ(-1, in.LA(1));
    EXPECT_EQ(-1, in.LA(3));
    EXPECT_EQ(3u, in.reads);
    EXPECT_EQ(3u, in.entries());
    EXPECT_EQ("\xFF\xFF\xFF", in.getLAChars());
}

TEST(InputBuffer, WithoutAMarkConsumedCharactersAreDroppedEvenIfNeverLookedAt)
{
    ScriptedBuffer in("abcd");
    advance(in, 1);
    in.consume();
    in.consume();
    EXPECT_EQ('d', in.LA(1));
    EXPECT_EQ(4u, in.reads);
    EXPECT_EQ(1u, in.entries());
    EXPECT_EQ("", in.getMarkedChars());
    EXPECT_EQ(0u, in.mark());
}

TEST(InputBuffer, RewindShowsTheCharactersConsumedSinceTheMarkAgain)
{
    ScriptedBuffer in("abcd");
    const unsigned int m = in.mark();
    advance(in, 3);
    EXPECT_EQ('d', in.LA(1));
    in.rewind(m);
    EXPECT_FALSE(in.isMarked());
    EXPECT_EQ('a', in.LA(1));
    EXPECT_EQ('d', in.LA(4));
    EXPECT_EQ(4u, in.reads);
}

TEST(InputBuffer, MarksNestAndRewindOrCommitClosesTheInnermost)
{
    ScriptedBuffer in("abc");
    const unsigned int m1 = in.mark();
    advance(in, 1);
    const unsigned int m2 = in.mark();
    EXPECT_EQ(m1 + 1, m2);
    advance(in, 1);
    EXPECT_EQ('c', in.LA(1));
    in.rewind(m2);
    EXPECT_TRUE(in.isMarked());
    EXPECT_EQ('b', in.LA(1));
    in.mark();
    advance(in, 1);
    in.commit();
    EXPECT_TRUE(in.isMarked());
    EXPECT_EQ('c', in.LA(1));
    in.rewind(m1);
    EXPECT_FALSE(in.isMarked());
    EXPECT_EQ('a', in.LA(1));
}

TEST(InputBuffer, MarkedCharsAreTheConsumedOnesAndLACharsTheOnesAhead)
{
    ScriptedBuffer in("abcde");
    in.mark();
    advance(in, 2);
    in.LA(3);
    EXPECT_EQ("ab", in.getMarkedChars());
    EXPECT_EQ("cde", in.getLAChars());
    // A pending consume is not applied by either.
    in.consume();
    EXPECT_EQ("ab", in.getMarkedChars());
    EXPECT_EQ("cde", in.getLAChars());
}

TEST(InputBuffer, CommitKeepsConsumedCharactersInAWindowThatSlidesWithEachConsume)
{
    ScriptedBuffer in("abcdef");
    in.mark();
    advance(in, 2);
    in.LA(1);
    in.commit();
    EXPECT_FALSE(in.isMarked());
    EXPECT_EQ('c', in.LA(1));
    EXPECT_EQ("ab", in.getMarkedChars());
    advance(in, 1);
    EXPECT_EQ('d', in.LA(1));
    EXPECT_EQ("bc", in.getMarkedChars());
    EXPECT_EQ(2u, in.mark());
    advance(in, 1);
    EXPECT_EQ('e', in.LA(1));
    in.rewind(2);
    EXPECT_EQ('d', in.LA(1));
}

TEST(InputBuffer, ConsumePendingAtCommitIsStillApplied)
{
    ScriptedBuffer in("abc");
    in.mark();
    advance(in, 2);
    in.commit();
    EXPECT_EQ('c', in.LA(1));
    EXPECT_EQ(-1, in.LA(2));
}

TEST(InputBuffer, ConsumesUnderAMarkMayRunAheadOfTheLookahead)
{
    ScriptedBuffer in("abcd");
    const unsigned int m = in.mark();
    in.consume();
    in.consume();
    EXPECT_EQ(2u, in.mark());
    EXPECT_EQ(0u, in.entries());
    EXPECT_EQ("", in.getMarkedChars());
    EXPECT_EQ('c', in.LA(1));
    EXPECT_EQ("ab", in.getMarkedChars());
    in.commit();
    in.rewind(m);
    EXPECT_EQ('a', in.LA(1));
}

TEST(InputBuffer, ResetDropsBufferedCharactersAndReadsOn)
{
    ScriptedBuffer in("abcdef");
    in.mark();
    in.LA(3);
    in.consume();
    in.reset();
    EXPECT_FALSE(in.isMarked());
    EXPECT_EQ(0u, in.entries());
    EXPECT_EQ("", in.getMarkedChars());
    EXPECT_EQ('d', in.LA(1));
    EXPECT_EQ(0u, in.mark());
}

TEST(InputBuffer, LongInputStaysInStepAcrossQueueCompaction)
{
    const int length = 12000;
    std::string text;
    for (int i = 0; i < length; ++i)
        text += static_cast<char>('a' + i % 26);
    ScriptedBuffer in(text);
    for (int i = 0; i < length; ++i) {
        ASSERT_EQ('a' + i % 26, in.LA(1)) << i;
        ASSERT_EQ(i + 1 < length ? 'a' + (i + 1) % 26 : -1, in.LA(2)) << i;
        in.consume();
    }
    EXPECT_EQ(-1, in.LA(1));
    EXPECT_EQ(length + 1u, in.reads);
}
