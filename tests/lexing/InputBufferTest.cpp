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

// The buffer as "kept|ahead" (marked and lookahead characters), " open" while
// a mark is open, and how many characters it has read from its source.
std::string view(const ScriptedBuffer& in)
{
    return in.getMarkedChars() + "|" + in.getLAChars() + (in.isMarked() ? " open" : "") + " read "
           + std::to_string(in.reads);
}

}

TEST(InputBuffer, ReadsOnlyAsDeepAsTheLookaheadAsksAndAppliesConsumesLazily)
{
    ScriptedBuffer in("abcdef");
    EXPECT_EQ("| read 0", view(in));
    EXPECT_EQ('a', in.LA(1));
    EXPECT_EQ("|a read 1", view(in));
    EXPECT_EQ('c', in.LA(3));
    EXPECT_EQ('b', in.LA(2));
    in.consume();
    EXPECT_EQ(3u, in.entries());
    EXPECT_EQ("|abc read 3", view(in));
    EXPECT_EQ('b', in.LA(1));
    EXPECT_EQ("|bc read 3", view(in));
}

TEST(InputBuffer, EndOfInputIsStoredLikeACharacter)
{
    ScriptedBuffer in("");
    EXPECT_EQ(-1, in.LA(1));
    EXPECT_EQ(-1, in.LA(3));
    EXPECT_EQ(3u, in.entries());
    EXPECT_EQ("|\xFF\xFF\xFF read 3", view(in));
}

TEST(InputBuffer, WithoutAMarkConsumedCharactersAreDroppedEvenIfNeverLookedAt)
{
    ScriptedBuffer in("abcd");
    advance(in, 1);
    in.consume();
    in.consume();
    EXPECT_EQ('d', in.LA(1));
    EXPECT_EQ("|d read 4", view(in));
    EXPECT_EQ(0u, in.mark());
}

TEST(InputBuffer, MarksNestAndRewindOrCommitClosesTheInnermostWithoutRereading)
{
    ScriptedBuffer in("abc");
    const unsigned int m1 = in.mark();
    advance(in, 1);
    const unsigned int m2 = in.mark();
    EXPECT_EQ(m1 + 1, m2);
    advance(in, 1);
    EXPECT_EQ('c', in.LA(1));
    in.rewind(m2);
    EXPECT_EQ('b', in.LA(1));
    EXPECT_EQ("a|bc open read 3", view(in));
    in.mark();
    advance(in, 1);
    in.commit();
    EXPECT_EQ('c', in.LA(1));
    EXPECT_EQ("ab|c open read 3", view(in));
    in.rewind(m1);
    EXPECT_EQ('a', in.LA(1));
    EXPECT_EQ("|abc read 3", view(in));
}

TEST(InputBuffer, AfterCommitTheConsumedCharactersStayInAWindowThatSlidesWithEachConsume)
{
    ScriptedBuffer in("abcdef");
    in.mark();
    advance(in, 2);
    EXPECT_EQ('e', in.LA(3));
    EXPECT_EQ("ab|cde open read 5", view(in));
    in.commit();
    EXPECT_EQ("ab|cde read 5", view(in));
    advance(in, 1);
    EXPECT_EQ('d', in.LA(1));
    EXPECT_EQ("bc|de read 5", view(in));
    EXPECT_EQ(2u, in.mark());
    advance(in, 1);
    EXPECT_EQ('e', in.LA(1));
    in.rewind(2);
    EXPECT_EQ('d', in.LA(1));
}

TEST(InputBuffer, PendingConsumeIsNotShownByTheGettersButIsAppliedAfterCommit)
{
    ScriptedBuffer in("abc");
    in.mark();
    advance(in, 2);
    EXPECT_EQ("a|b open read 2", view(in));
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
    EXPECT_EQ("| open read 0", view(in));
    EXPECT_EQ('c', in.LA(1));
    EXPECT_EQ("ab|c open read 3", view(in));
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
    EXPECT_EQ("| read 3", view(in));
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
    for (int i = 0; i < length; ++i, in.consume()) {
        ASSERT_EQ('a' + i % 26, in.LA(1)) << i;
        ASSERT_EQ(i + 1 < length ? 'a' + (i + 1) % 26 : -1, in.LA(2)) << i;
    }
    EXPECT_EQ(-1, in.LA(1));
    EXPECT_EQ(length + 1u, in.reads);
}
