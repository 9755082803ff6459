#include <orvel/CharBuffer.hpp>
#include <orvel/InputWindow.hpp>
#include <orvel/ORVELException.hpp>

#include "support/Fixtures.hpp"

#include <sstream>
#include <string>

namespace {

using namespace orvel;

const std::string text = "int main(void) { return 0; }\n";

// Reads the whole input through LA() and consume(), checking every byte and
// the two lookaheads after it.
std::string readAll(InputWindow& window)
{
    std::string seen;
    for (int c = window.LA(1); c != -1; c = window.LA(1)) {
        EXPECT_EQ(window.offset(), seen.size());
        const std::size_t next = seen.size() + 1;
        EXPECT_EQ(next < text.size() ? static_cast<unsigned char>(text[next]) : -1, window.LA(2));
        seen += static_cast<char>(c);
        window.consume();
    }
    return seen;
}

TEST(InputWindow, StreamsInBlocksOfEverySizeAndMemoryYieldTheSameBytes)
{
    for (std::size_t block = 0; block <= 9; ++block) {
        std::istringstream in(text);
        InputWindow window(in, block);
        EXPECT_EQ(text, readAll(window)) << "block " << block;
        EXPECT_EQ(-1, window.LA(3));
        window.consume();
        EXPECT_EQ(text.size(), window.offset());
        EXPECT_TRUE(in.eof());
    }
    InputWindow view{std::string_view(text)};
    EXPECT_EQ(text, readAll(view));
    EXPECT_FALSE(view.more());
    InputWindow taken{std::string(text)};
    InputWindow moved(std::move(taken));
    EXPECT_EQ(text, readAll(moved));
    EXPECT_EQ(-1, taken.LA(1));
}

TEST(InputWindow, TakesBytesFromAnInputBufferOnlyAsFarAsLookaheadAsks)
{
    std::istringstream in(text);
    CharBuffer buffer(in);
    InputWindow window(buffer);
    EXPECT_EQ('i', window.LA(1));
    EXPECT_EQ('n', buffer.LA(1));
    EXPECT_EQ('t', window.LA(3));
    EXPECT_EQ(' ', buffer.LA(1));
    EXPECT_EQ(text, readAll(window));
    EXPECT_EQ(-1, buffer.LA(1));
}

TEST(InputWindow, TokenTextAndMarksSurviveRefillsLongerThanABlock)
{
    const std::string longText(1000, 'x');
    std::istringstream in("ab" + longText + "cd");
    InputWindow window(in, 3);
    window.consume();
    window.startToken();
    const std::uint64_t outer = window.mark();
    for (int i = 0; i < 400; ++i)
        window.consume();
    const std::uint64_t inner = window.mark();
    for (int i = 0; i < 602; ++i)
        window.consume();
    EXPECT_EQ('d', window.LA(1));
    EXPECT_EQ("b" + longText + "c", window.tokenText());
    window.rewind(inner);
    EXPECT_EQ(401u, window.offset());
    EXPECT_EQ('x', window.LA(1));
    window.rewind(outer);
    EXPECT_EQ('b', window.LA(1));
    EXPECT_EQ("", window.tokenText());
    EXPECT_EQ(0u, window.openMarks());
}

TEST(InputWindow, MisusedMarksThrowAndChangeNothing)
{
    InputWindow window{std::string_view("abc")};
    EXPECT_THROW_TEXT(window.rewind(0), ORVELException, "InputWindow: rewind() with no mark open");
    EXPECT_THROW_TEXT(window.commit(), ORVELException, "InputWindow: commit() with no mark open");
    window.consume();
    const std::uint64_t m = window.mark();
    EXPECT_THROW_TEXT(window.rewind(0), ORVELException,
                      "InputWindow: rewind() to a position outside the kept input");
    EXPECT_THROW_TEXT(window.rewind(4), ORVELException,
                      "InputWindow: rewind() to a position outside the kept input");
    window.consume();
    window.commit();
    EXPECT_EQ(2u, window.offset());
    EXPECT_EQ(0u, window.openMarks());
    EXPECT_EQ(1u, m);
}

}
