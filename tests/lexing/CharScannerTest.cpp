#include <gtest/gtest.h>

#include <orvel/CharScanner.hpp>
#include <orvel/CommonHiddenStreamToken.hpp>

#include "support/Expect.hpp"
#include "support/ScannerProbe.hpp"

#include <string>

using namespace orvel;
using namespace orvel::test;

namespace {

int tokenFactoryCalls = 0;

TokenRefCount<Token> countingFactory()
{
    ++tokenFactoryCalls;
    return CommonHiddenStreamToken::factory();
}

}

static_assert(CharScanner::EOF_CHAR == -1 && CharScanner::NO_CHAR == 0);

TEST(CharScanner, OwnsOnlyABufferGivenByPointerAndDeletesItWithTheLastShareOfItsState)
{
    int deaths = 0;
    ScriptedBuffer borrowed("", &deaths);
    {
        ProbeScanner byReference(borrowed, true);
        EXPECT_EQ(&borrowed, &byReference.getInputBuffer());
    }
    EXPECT_EQ(0, deaths);
    auto* first = new ProbeScanner(new ScriptedBuffer("", &deaths), true);
    ProbeScanner second(first->getInputState(), true);
    delete first;
    EXPECT_EQ(0, deaths);
    const RefCount<LexerInputState> other(new LexerInputState(new ScriptedBuffer("z")));
    other->line = 6;
    second.setInputState(other);
    EXPECT_EQ(1, deaths);
    EXPECT_EQ(other.get(), second.getInputState().get());
    EXPECT_EQ(6, second.getLine());
    EXPECT_EQ('z', second.LA(1));
}

TEST(CharScanner, ReadsOnlyAsDeepAsTheLookaheadAsks)
{
    auto* buffer = new ScriptedBuffer("abcd");
    ProbeScanner scanner(buffer, true);
    scanner.match("");
    scanner.match(std::string());
    EXPECT_EQ(0u, buffer->reads);
    EXPECT_EQ('b', scanner.LA(2));
    EXPECT_EQ(2u, buffer->reads);
    scanner.match('a');
    EXPECT_EQ('b', scanner.LA(1));
    EXPECT_EQ(2u, buffer->reads);
}

TEST(CharScanner, CaseInsensitiveLookaheadFoldsBytesButTextKeepsTheInputsCase)
{
    ProbeScanner s("ABC", false);
    EXPECT_EQ('a', s.LA(1));
    EXPECT_EQ('b', s.LA(2));
    s.match('a');
    s.match("bc");
    EXPECT_EQ("ABC", s.getText());
    EXPECT_EQ(CharScanner::EOF_CHAR, s.LA(1));
    const int folds[][2] = {{'Q', 'q'}, {'q', 'q'}, {'1', '1'}, {-1, -1}, {300, 300}, {-7, -7}};
    for (const auto& f : folds)
        EXPECT_EQ(f[1], s.toLower(f[0])) << f[0];
}

TEST(CharScanner, ConsumeAppendsTheCharacterAndMovesTheColumnOnOrToTheNextTabStopUnlessGuessing)
{
    struct Case {
        const char* input;
        int tabSize; // 0 keeps the default of 8
        int fromColumn;
        int guessing;
        const char* text;
        int column;
    };
    const Case cases[] = {
        {"\n", 0, 1, 0, "\n", 2}, {"", 0, 1, 0, "\xFF", 2}, {"\t", 0, 1, 0, "\t", 9}, {"\t", 0, 2, 0, "\t", 9},
        {"\t", 0, 8, 0, "\t", 9}, {"\t", 0, 9, 0, "\t", 17}, {"\t", 0, 16, 0, "\t", 17}, {"\t", 0, 17, 0, "\t", 25},
        {"\t", 4, 5, 0, "\t", 9}, {"a", 0, 1, 1, "", 1}, {"\t", 0, 1, 1, "", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("tab size " + std::to_string(c.tabSize) + ", from column " + std::to_string(c.fromColumn)
                     + ", guessing " + std::to_string(c.guessing));
        ProbeScanner s(c.input);
        if (c.tabSize != 0)
            s.tabSize = c.tabSize;
        s.setColumn(c.fromColumn);
        s.inputState->guessing = c.guessing;
        s.consume();
        EXPECT_EQ(c.text, s.getText());
        EXPECT_EQ(c.column, s.getColumn());
        EXPECT_EQ(1, s.getLine());
        EXPECT_EQ(CharScanner::EOF_CHAR, s.LA(1));
    }
}

TEST(CharScanner, TextGrowsInStepsOf256UnlessSaveTextIsOff)
{
    ProbeScanner s("ab");
    s.append('x');
    EXPECT_GE(s.getText().capacity(), 256u);
    s.append(std::string(255, 'x'));
    s.append('y');
    EXPECT_EQ(257u, s.getText().size());
    EXPECT_GE(s.getText().capacity(), 512u);
    s.setText("");
    s.saveText = false;
    s.append('x');
    s.append(std::string("yz"));
    s.consume();
    s.match('b');
    EXPECT_EQ("", s.getText());
    EXPECT_EQ(3, s.getColumn());
}

TEST(CharScanner, MatchFailuresThrowAtTheLookaheadKeepingWhatMatchedBefore)
{
    struct Case {
        const char* input;
        void (*attempt)(CharScanner&);
        const char* error;
        const char* textAfter;
        int lookaheadAfter;
    };
    const Case cases[] = {
        {"ab", [](auto& s) { s.match('x'); }, "f:1:1: expecting ''x'', found ''a''", "", 'a'},
        {"ab", [](auto& s) { s.matchNot('a'); }, "f:1:1: expecting anything but ''a''; got it anyway", "", 'a'},
        {"ab", [](auto& s) { s.matchRange('0', '9'); }, "f:1:1: expecting token in range: ''0''..''9'', found ''a''",
         "", 'a'},
        {"ab", [](auto& s) { s.match(charSet({'y', 'x'})); }, "f:1:1: expecting one of ( ''x'' ''y''), found ''a''", "",
         'a'},
        {"ab", [](auto& s) { s.match("b"); }, "f:1:1: expecting ''b'', found ''a''", "", 'a'},
        {"fox", [](auto& s) { s.match("for"); }, "f:1:3: expecting ''r'', found ''x''", "fo", 'x'},
        {"", [](auto& s) { s.match('a'); }, "f:1:1: expecting ''a'', found 'EOF'", "", -1},
        {"", [](auto& s) { s.matchNot(CharScanner::EOF_CHAR); }, "f:1:1: expecting anything but 'EOF'; got it anyway",
         "", -1},
        {"", [](auto& s) { s.match(charSet({0})); }, "f:1:1: expecting one of ( '0x00'), found 'EOF'", "", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.error);
        ProbeScanner s(c.input);
        s.setFilename("f");
        EXPECT_THROW_TEXT(c.attempt(s), MismatchedCharException, c.error);
        EXPECT_EQ(c.lookaheadAfter, s.LA(1));
        EXPECT_EQ(c.textAfter, s.getText());
    }
}

TEST(CharScanner, MatchAcceptsRangeBoundsAndComparesStringsByteForByte)
{
    const std::string text("09\xE9\0z:/", 7);
    ProbeScanner s(text);
    s.matchRange('0', '9');
    s.matchRange('0', '9');
    s.match("\xE9");
    s.match(std::string("\0z", 2));
    EXPECT_THROW(s.matchRange('0', '9'), MismatchedCharException);
    s.consume();
    EXPECT_THROW(s.matchRange('0', '9'), MismatchedCharException);
    EXPECT_EQ(text.substr(0, 6), s.getText());
}

TEST(CharScanner, RewindReturnsToTheMarkAndCommitKeepsWhatWasConsumed)
{
    ProbeScanner s("abc");
    const unsigned int m = s.mark();
    s.match("ab");
    s.rewind(m);
    EXPECT_EQ('a', s.LA(1));
    EXPECT_FALSE(s.getInputBuffer().isMarked());
    s.mark();
    s.match("a");
    s.commit();
    EXPECT_FALSE(s.getInputBuffer().isMarked());
    EXPECT_EQ('b', s.LA(1));
    EXPECT_EQ("aba", s.getText());
}

TEST(CharScanner, RecoverSkipsOneCharacterThenConsumesUntilTheSetOrEndOfInput)
{
    ProbeScanner s(";;x;ab");
    const MismatchedCharException ex;
    s.recover(ex, charSet({';'}));
    EXPECT_EQ(";", s.getText());
    s.recover(ex, charSet({';'}));
    EXPECT_EQ(";;x", s.getText());
    s.consumeUntil('b');
    EXPECT_EQ(";;x;a", s.getText());
    s.consumeUntil(charSet({'z'}));
    s.consumeUntil('z');
    EXPECT_EQ(";;x;ab", s.getText());
    EXPECT_EQ(7, s.getColumn());
    // At end of input recovery still consumes once, then stops.
    s.recover(ex, BitSet());
    EXPECT_EQ(8, s.getColumn());
    EXPECT_EQ(CharScanner::EOF_CHAR, s.LA(1));
}

TEST(CharScanner, ReportsGoToStandardErrorOneLineEach)
{
    ProbeScanner s("");
    CaptureStream err(std::cerr);
    s.reportError("bad");
    s.reportWarning("odd");
    s.setFilename("a.txt");
    s.reportError("bad");
    s.reportWarning("odd");
    s.setLine(2);
    s.setColumn(3);
    s.reportError(MismatchedCharException('\n', 'x', false, &s));
    EXPECT_EQ("error: bad\n"
              "warning: odd\n"
              "a.txt: error: bad\n"
              "a.txt: warning: odd\n"
              "a.txt:2:3: expecting ''x'', found '0x0A'\n",
              err.text());
}

TEST(CharScanner, TracesRulesOnStandardOutputIndentedByDepth)
{
    ProbeScanner s("a");
    CaptureStream out(std::cout);
    s.traceIn("mOUTER");
    s.traceIn("mINNER");
    s.match('a');
    s.traceOut("mINNER");
    s.traceOut("mOUTER");
    EXPECT_EQ(" > lexer mOUTER; c==97\n"
              "  > lexer mINNER; c==97\n"
              "  < lexer mINNER; c==-1\n"
              " < lexer mOUTER; c==-1\n",
              out.text());
    EXPECT_EQ(0, s.traceDepth);
}

TEST(CharScanner, MakeTokenUsesTheFactoryAndStampsTypeAndTheStartResetTextRecorded)
{
    ProbeScanner s("ab\tcd");
    s.setLine(3);
    s.match("ab\t");
    s.resetText();
    EXPECT_EQ("", s.getText());
    s.match("cd");
    tokenFactoryCalls = 0;
    s.setTokenObjectFactory(&countingFactory);
    const TokenRefCount<Token> token = s.makeToken(7);
    EXPECT_EQ(1, tokenFactoryCalls);
    EXPECT_NE(nullptr, dynamic_cast<CommonHiddenStreamToken*>(token.get()));
    EXPECT_EQ("[\"\",<7>,line=3,column=9]", token->toString());
    EXPECT_EQ("cd", s.getText());
}

TEST(CharScanner, LiteralsTableAnswersByTheLexersCaseRule)
{
    struct Case {
        bool literalsCaseSensitive;
        const char* text;
        int type;
    };
    const Case cases[] = {
        {true, "if", 9}, {true, "IF", 5}, {true, "iff", 5}, {false, "IF", 9}, {false, "If", 9}, {false, "iff", 5},
    };
    for (const Case& c : cases) {
        ProbeScanner s("");
        s.literalsCaseSensitive = c.literalsCaseSensitive;
        s.literals["if"] = 9;
        s.setText(c.text);
        EXPECT_EQ(c.type, s.testLiteralsTable(5)) << c.text;
        EXPECT_EQ(c.type, s.testLiteralsTable(c.text, 5)) << c.text;
    }
}
