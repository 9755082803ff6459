#include <orvel/CharBuffer.hpp>

#include <gtest/gtest.h>

#include <istream>
#include <stdexcept>
#include <streambuf>
#include <string>

namespace {

// An unbuffered source that counts the characters taken from it, so a test
// sees exactly how far the buffer has read. It can be told to fail instead.
class CountingSource : public std::streambuf {
public:
    explicit CountingSource(std::string text) : text(std::move(text)) {}

    std::size_t taken = 0;
    bool broken = false;

protected:
    int_type underflow() override
    {
        check();
        return taken < text.size() ? traits_type::to_int_type(text[taken]) : traits_type::eof();
    }

    int_type uflow() override
    {
        const int_type c = underflow();
        if (c != traits_type::eof())
            ++taken;
        return c;
    }

private:
    void check() const
    {
        if (broken)
            throw std::runtime_error("device lost");
    }

    std::string text;
};

TEST(CharBuffer, TakesNoCharacterAheadOfTheLookahead)
{
    CountingSource source("abc");
    std::istream stream(&source);
    orvel::CharBuffer in(stream);
    EXPECT_EQ(0u, source.taken);
    EXPECT_EQ('a', in.LA(1));
    EXPECT_EQ(1u, source.taken);
    in.consume();
    EXPECT_EQ(1u, source.taken);
    EXPECT_EQ('c', in.LA(2));
    EXPECT_EQ(3u, source.taken);
    in.consume();
    EXPECT_EQ('c', in.LA(1));
    EXPECT_EQ(3u, source.taken);
}

TEST(CharBuffer, ReturnsBytesAsValuesFrom0To255AndEndAsMinusOne)
{
    CountingSource source(std::string("\xFF\x00\x80\x7F", 4));
    std::istream stream(&source);
    orvel::CharBuffer in(stream);
    EXPECT_EQ(255, in.LA(1));
    EXPECT_EQ(0, in.LA(2));
    EXPECT_EQ(128, in.LA(3));
    EXPECT_EQ(127, in.LA(4));
    EXPECT_EQ(-1, in.LA(5));
    EXPECT_EQ(-1, in.LA(7));
}

TEST(CharBuffer, LeavesTheStreamOpenAtTheFirstUnreadCharacter)
{
    CountingSource source("xyz");
    std::istream stream(&source);
    {
        orvel::CharBuffer in(stream);
        in.LA(1);
    }
    EXPECT_EQ('y', stream.get());
}

TEST(CharBuffer, ResetContinuesFromTheStreamPosition)
{
    CountingSource source("abcdef");
    std::istream stream(&source);
    orvel::CharBuffer in(stream);
    in.LA(3);
    in.reset();
    EXPECT_EQ('d', in.LA(1));
    EXPECT_EQ(4u, source.taken);
}

TEST(CharBuffer, StreamFailuresPassThroughTheLookahead)
{
    CountingSource source("ab");
    std::istream stream(&source);
    stream.exceptions(std::ios::badbit);
    orvel::CharBuffer in(stream);
    EXPECT_EQ('a', in.LA(1));
    source.broken = true;
    EXPECT_THROW(in.LA(2), std::runtime_error);
    EXPECT_EQ(1u, in.entries());
    EXPECT_EQ('a', in.LA(1));
}

}
