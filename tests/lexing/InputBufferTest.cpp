#include <orvel/InputBuffer.hpp>

#include <gtest/gtest.h>

#include <string>

namespace {

// A buffer over a fixed text that counts how often it is asked for a
// character; past the end it yields -1 like a real source.
class ScriptedBuffer : public orvel::InputBuffer {
public:
    explicit ScriptedBuffer(std::string text) : text(std::move(text)) {}

    int getChar() override
    {
        const std::size_t at = reads++;
        return at < text.size() ? static_cast<unsigned char>(text[at]) : -1;
    }

    std::size_t reads = 0;

private:
    std::string text;
};

TEST(InputBuffer, ReadsOnlyAsDeepAsTheLookaheadAsks)
{
    ScriptedBuffer in("abcdef");
    EXPECT_EQ(0u, in.reads);
    EXPECT_EQ('a', in.LA(1));
    EXPECT_EQ(1u, in.reads);
    EXPECT_EQ('c', in.LA(3));
    EXPECT_EQ(3u, in.reads);
    EXPECT_EQ('b', in.LA(2));
    EXPECT_EQ(3u, in.reads);
    EXPECT_EQ(3u, in.entries());
}

TEST(InputBuffer, ConsumeIsAppliedOnlyByTheNextLookahead)
{
    ScriptedBuffer in("abc");
    in.LA(2);
    in.consume();
    EXPECT_EQ(2u, in.entries());
    EXPECT_EQ("ab", in.getLAChars());
    EXPECT_EQ('b', in.LA(1));
    EXPECT_EQ(1u, in.entries());
    EXPECT_EQ(2u, in.reads);
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

TEST(InputBuffer, RewindShowsTheCharactersConsumedSinceTheMarkAgain)
{
    ScriptedBuffer in("abcd");
    const unsigned int m = in.mark();
    for (const char expected : {'a', 'b', 'c'}) {
        EXPECT_EQ(expected, in.LA(1));
        in.consume();
    }
    EXPECT_EQ('d', in.LA(1));
    in.rewind(m);
    EXPECT_FALSE(in.isMarked());
    EXPECT_EQ('a', in.LA(1));
    EXPECT_EQ('d', in.LA(4));
    EXPECT_EQ(4u, in.reads);
}

TEST(InputBuffer, MarksNestAndRewindInnermostFirst)
{
    ScriptedBuffer in("abc");
    in.LA(1);
    const unsigned int m1 = in.mark();
    in.consume();
    in.LA(1);
    const unsigned int m2 = in.mark();
    EXPECT_EQ(m1 + 1, m2);
    in.consume();
    EXPECT_EQ('c', in.LA(1));
    in.rewind(m2);
    EXPECT_TRUE(in.isMarked());
    EXPECT_EQ('b', in.LA(1));
    in.rewind(m1);
    EXPECT_FALSE(in.isMarked());
    EXPECT_EQ('a', in.LA(1));
}

TEST(InputBuffer, WithoutAMarkConsumedCharactersAreDropped)
{
    ScriptedBuffer in("abc");
    in.LA(1);
    in.consume();
    EXPECT_EQ(0u, in.mark());
    EXPECT_EQ("", in.getMarkedChars());
    EXPECT_EQ('b', in.LA(1));
}

TEST(InputBuffer, ConsumesOfCharactersNeverLookedAtSkipThem)
{
    ScriptedBuffer in("abcd");
    in.LA(1);
    in.consume();
    in.consume();
    in.consume();
    EXPECT_EQ('d', in.LA(1));
    EXPECT_EQ(4u, in.reads);
    EXPECT_EQ(1u, in.entries());
}

TEST(InputBuffer, MarkedCharsAreTheConsumedOnesAndLACharsTheOnesAhead)
{
    ScriptedBuffer in("abcde");
    in.mark();
    in.LA(1);
    in.consume();
    in.LA(1);
    in.consume();
    in.LA(3);
    EXPECT_EQ("ab", in.getMarkedChars());
    EXPECT_EQ("cde", in.getLAChars());
    // A pending consume is not applied by either.
    in.consume();
    EXPECT_EQ("ab", in.getMarkedChars());
    EXPECT_EQ("cde", in.getLAChars());
}

TEST(InputBuffer, CommitKeepsTheConsumedCharactersConsumed)
{
    ScriptedBuffer in("abcdef");
    in.mark();
    in.LA(1);
    in.consume();
    in.LA(1);
    in.consume();
    in.LA(1);
    in.commit();
    EXPECT_FALSE(in.isMarked());
    EXPECT_EQ('c', in.LA(1));
    EXPECT_EQ("ab", in.getMarkedChars());
    // The retained window in front of the lookahead slides with each consume.
    in.consume();
    EXPECT_EQ('d', in.LA(1));
    EXPECT_EQ("bc", in.getMarkedChars());
    EXPECT_EQ(2u, in.mark());
    in.consume();
    EXPECT_EQ('e', in.LA(1));
    in.rewind(2);
    EXPECT_EQ('d', in.LA(1));
}

TEST(InputBuffer, ConsumePendingAtCommitIsStillApplied)
{
    ScriptedBuffer in("abc");
    in.mark();
    in.LA(1);
    in.consume();
    in.LA(1);
    in.consume();
    in.commit();
    EXPECT_EQ('c', in.LA(1));
    EXPECT_EQ(-1, in.LA(2));
}

TEST(InputBuffer, CommitClosesOnlyTheInnermostMark)
{
    ScriptedBuffer in("abc");
    const unsigned int outer = in.mark();
    in.mark();
    in.LA(1);
    in.consume();
    in.commit();
    EXPECT_TRUE(in.isMarked());
    EXPECT_EQ('b', in.LA(1));
    in.rewind(outer);
    EXPECT_EQ('a', in.LA(1));
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
    std::string text;
    for (int i = 0; i < 12000; ++i)
        text += static_cast<char>('a' + i % 26);
    ScriptedBuffer in(text);
    for (int i = 0; i < 12000; ++i) {
        ASSERT_EQ('a' + i % 26, in.LA(1)) << i;
        ASSERT_EQ(i + 1 < 12000 ? 'a' + (i + 1) % 26 : -1, in.LA(2)) << i;
        in.consume();
    }
    EXPECT_EQ(-1, in.LA(1));
    EXPECT_EQ(12001u, in.reads);
}

}
