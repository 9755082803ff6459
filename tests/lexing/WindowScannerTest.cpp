#include <orvel/CharBuffer.hpp>
#include <orvel/CharScanner.hpp>
#include <orvel/CommonHiddenStreamToken.hpp>
#include <orvel/ORVELException.hpp>
#include <orvel/WindowScanner.hpp>

#include "support/Fixtures.hpp"

#include <functional>
#include <sstream>
#include <string>

namespace {

using namespace orvel;
using test::CaptureStream;

class Window final : public WindowScanner {
public:
    explicit Window(const std::string& text, bool caseSensitive = true, std::size_t block = 2)
        : WindowScanner(InputWindow(in, block), caseSensitive), in(text)
    {
    }
    TokenRefCount<Token> nextToken() override { return makeToken(Token::EOF_TYPE); }

private:
    std::istringstream in;
};

class FromState final : public WindowScanner {
public:
    explicit FromState(const RefCount<LexerInputState>& state) : WindowScanner(state, true) {}
    TokenRefCount<Token> nextToken() override { return makeToken(Token::EOF_TYPE); }
};

class Classic final : public CharScanner {
public:
    explicit Classic(const std::string& text) : CharScanner(new CharBuffer(in), true), in(text) {}
    TokenRefCount<Token> nextToken() override { return makeToken(Token::EOF_TYPE); }
    bool getLiteralsCaseSensitive() const override { return true; }

private:
    std::istringstream in;
};

// What `action` throws on a scanner, rendered, or "" when it throws nothing.
template <typename Scanner>
std::string thrown(Scanner& scanner, const std::function<void(Scanner&)>& action)
{
    try {
        action(scanner);
    } catch (const RecognitionException& e) {
        return e.toString();
    }
    return "";
}

TEST(WindowScanner, ThrowsCharScannersMessagesAtTheSamePositions)
{
    struct Case {
        const char* input;
        std::function<void(WindowScanner&)> window;
        std::function<void(CharScanner&)> classic;
        const char* expected;
    };
    BitSet digits;
    digits.add('0');
    digits.add('1');
    const Case cases[] = {
        {"fox", [](auto& s) { s.match("for"); }, [](auto& s) { s.match("for"); },
         "t.c:1:3: expecting ''r'', found ''x''"},
        {"a\tb", [](auto& s) { s.match("a\t"); s.matchRange('0', '9'); },
         [](auto& s) { s.match("a\t"); s.matchRange('0', '9'); },
         "t.c:1:9: expecting token in range: ''0''..''9'', found ''b''"},
        {"2", [&](auto& s) { s.match(digits); }, [&](auto& s) { s.match(digits); },
         "t.c:1:1: expecting one of ( ''0'' ''1''), found ''2''"},
        {"", [](auto& s) { s.matchNot('x'); }, [](auto& s) { s.matchNot('x'); },
         "t.c:1:1: expecting NOT one of ( ''x''), found 'EOF'"},
        {"q", [](auto& s) { s.matchNot('q'); }, [](auto& s) { s.matchNot('q'); },
         "t.c:1:1: expecting anything but ''q''; got it anyway"},
        {"a\nb", [](auto& s) { s.match('a'); s.match('\n'); s.newline(); s.match('c'); },
         [](auto& s) { s.match('a'); s.match('\n'); s.newline(); s.match('c'); },
         "t.c:2:1: expecting ''c'', found ''b''"},
    };
    for (const Case& c : cases) {
        Window window(c.input);
        Classic classic(c.input);
        window.setFilename("t.c");
        classic.setFilename("t.c");
        EXPECT_EQ(c.expected, thrown<WindowScanner>(window, c.window));
        EXPECT_EQ(c.expected, thrown<CharScanner>(classic, c.classic));
    }
}

TEST(WindowScanner, ReportsNestingAndRecoversLikeCharScanner)
{
    Window window("ab;c");
    window.setNestingLimit(1);
    window.enterRule();
    EXPECT_THROW_TEXT(window.enterRule(), RecognitionException, "line 1:1: nesting deeper than 1");
    EXPECT_TRUE(window.nestingWasExceeded());
    window.leaveRule();
    BitSet semicolon;
    semicolon.add(';');
    window.recover(RecognitionException("x"), semicolon);
    EXPECT_EQ(';', window.LA(1));
    window.resetText();
    EXPECT_FALSE(window.nestingWasExceeded());
    window.consumeUntil('z');
    window.recover(RecognitionException("x"), semicolon);
    EXPECT_EQ(WindowScanner::EOF_CHAR, window.LA(1));
    CaptureStream err(std::cerr);
    window.reportError("bad");
    window.setFilename("a.txt");
    window.reportWarning("odd");
    EXPECT_EQ("error: bad\na.txt: warning: odd\n", err.text());
}

TEST(WindowScanner, StartsWhereALexerInputStateStandsAndRefusesAnEmptyOne)
{
    std::istringstream in("xy");
    RefCount<LexerInputState> state(new LexerInputState(new CharBuffer(in)));
    state->line = 5;
    state->column = 3;
    state->filename = "f.txt";
    FromState scanner(state);
    EXPECT_EQ('x', scanner.LA(1));
    EXPECT_EQ(5, scanner.getLine());
    EXPECT_EQ(3, scanner.getColumn());
    EXPECT_EQ("f.txt:5:3: popMode with no mode to return to",
              thrown<FromState>(scanner, [](FromState& s) { s.popMode(); }));
    EXPECT_THROW_TEXT(FromState{RefCount<LexerInputState>()}, ORVELException,
                      "WindowScanner: made from an empty input state");
}

TEST(WindowScanner, FoldsLookaheadButKeepsTheInputsCaseInTheText)
{
    Window window("ABc", false);
    EXPECT_EQ('a', window.LA(1));
    window.match('a');
    window.matchRange('a', 'b');
    window.match('c');
    EXPECT_EQ("ABc", window.getText());
}

// Columns move one per byte, to the next stop of 8 at a tab (in runs too),
// and back to 1 at newline(); a rewind restores line and column.
TEST(WindowScanner, KeepsLineAndColumnThroughTabsRunsNewlinesAndRewinds)
{
    bool blanks[256] = {};
    blanks[static_cast<unsigned char>(' ')] = blanks[static_cast<unsigned char>('\t')] = true;
    Window window("ab\t  \t\tx\ny", true, 1);
    window.consume();
    const WindowScanner::Mark start = window.mark();
    window.setGuessing(1);
    window.consume();
    EXPECT_EQ(5u, window.consumeRun(blanks));
    EXPECT_EQ(25, window.getColumn());
    window.consume();
    window.consume();
    window.newline();
    EXPECT_EQ(2, window.getLine());
    EXPECT_EQ(1, window.getColumn());
    window.rewind(start);
    window.setGuessing(0);
    EXPECT_EQ(1, window.getLine());
    EXPECT_EQ(2, window.getColumn());
    window.setTabSize(4);
    window.consume();
    window.consume();
    EXPECT_EQ(5, window.getColumn());
    EXPECT_THROW_TEXT(window.setTabSize(0), ORVELException, "WindowScanner: tab size must be at least 1");
}

// The text is a slice of the input until an action edits it; from then on
// consumed bytes are appended to the copy while saving is on and not guessing.
TEST(WindowScanner, TextIsTheInputSliceUntilAnActionEditsIt)
{
    Window window("one two three", true, 1);
    window.match("one");
    EXPECT_EQ("one", window.getText());
    window.setSaveText(false);
    window.match(' ');
    window.setSaveText(true);
    window.append('+');
    window.match('t');
    window.setGuessing(1);
    window.consume();
    window.setGuessing(0);
    window.consume();
    EXPECT_EQ("one+to", window.getText());
    window.setText("2");
    window.match(' ');
    EXPECT_EQ("2 ", window.getText());
    window.resetText();
    window.match("three");
    EXPECT_EQ("three", window.getText());
}

TEST(WindowScanner, MakesTokensWithTextAndStartPositionInOneStepOrThroughAFactory)
{
    Window window("\tlet x");
    window.consume();
    window.resetText();
    window.match("let");
    const TokenRefCount<Token> token = window.makeToken(7, window.getText());
    EXPECT_EQ("[\"let\",<7>,line=1,column=9]", token->toString());
    EXPECT_EQ("let", token->getTextView());
    window.setTokenObjectFactory(&CommonHiddenStreamToken::factory);
    const TokenRefCount<Token> hiddenToken = window.makeToken(8, window.getText());
    EXPECT_NE(nullptr, dynamic_cast<CommonHiddenStreamToken*>(hiddenToken.get()));
    EXPECT_EQ("[\"let\",<8>,line=1,column=9]", hiddenToken->toString());
    window.resetText();
    window.consume();
    window.setText("text edited after the window moved on");
    EXPECT_EQ("text edited after the window moved on", window.makeToken(9, window.getText())->getText());
}

}
