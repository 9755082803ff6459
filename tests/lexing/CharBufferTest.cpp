#include <orvel/CharBuffer.hpp>

#include <gtest/gtest.h>

#include <istream>
#include <sstream>
#include <stdexcept>
#include <streambuf>
#include <string>

using orvel::CharBuffer;

TEST(CharBuffer, TakesNoCharacterAheadOfTheLookaheadAndLeavesTheStreamAtTheNextOne)
{
    std::istringstream stream("abcdef");
    const auto taken = [&stream] { return static_cast<int>(stream.tellg()); };
    {
        CharBuffer in(stream);
        EXPECT_EQ(0, taken());
        EXPECT_EQ('a', in.LA(1));
        in.consume();
        EXPECT_EQ(1, taken());
        EXPECT_EQ('c', in.LA(2));
        EXPECT_EQ(3, taken());
        in.consume();
        EXPECT_EQ('c', in.LA(1));
        EXPECT_EQ(3, taken());
        // Reset loses the buffered 'c' and goes on from the stream.
        in.reset();
        EXPECT_EQ('d', in.LA(1));
        EXPECT_EQ(4, taken());
    }
    EXPECT_EQ('e', stream.get());
}

TEST(CharBuffer, ReturnsBytesAsValuesFrom0To255AndEndAsMinusOne)
{
    std::istringstream stream(std::string("\xFF\x00\x80\x7F", 4));
    CharBuffer in(stream);
    const int expected[] = {255, 0, 128, 127, -1, -1, -1};
    for (unsigned int i = 0; i < 7; ++i)
        EXPECT_EQ(expected[i], in.LA(i + 1)) << "LA(" << i + 1 << ")";
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
    EXPECT_EQ(1u, in.entries());
    EXPECT_EQ('a', in.LA(1));
}
