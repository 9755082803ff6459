#include <gtest/gtest.h>

#include <orvel/CharBuffer.hpp>
#include <orvel/CharScanner.hpp>
#include <orvel/CommonHiddenStreamToken.hpp>
#include <orvel/CommonToken.hpp>

#include "support/Expect.hpp"
#include "support/ScannerProbe.hpp"

#include <istream>
#include <sstream>
#include <string>

using orvel::BitSet;
using orvel::CharBuffer;
using orvel::CharScanner;
using orvel::LexerInputState;
using orvel::MismatchedCharException;
using orvel::RefCount;
using orvel::Token;
using orvel::TokenRefCount;
using orvel::test::CaptureStream;
using orvel::test::CountingSource;
using orvel::test::DyingBuffer;
using orvel::test::ProbeInput;
using orvel::test::ProbeScanner;

namespace {

BitSet setOf(std::initializer_list<unsigned int> members)
{
    BitSet set;
    for (unsigned int m : members)
        set.add(m);
    return set;
}

// A scanner over a source that counts the characters read from it.
struct CountedInput {
    explicit CountedInput(const std::string& text) : source(text), in(&source), scanner(in) {}

    CountingSource source;
    std::istream in;
    ProbeScanner scanner;
};

int tokenFactoryCalls = 0;

TokenRefCount<Token> countingFactory()
{
    ++tokenFactoryCalls;
    return orvel::CommonHiddenStreamToken::factory();
}

}

static_assert(CharScanner::EOF_CHAR == -1 && CharScanner::NO_CHAR == 0);

TEST(CharScanner, StartsWithTheDocumentedDefaults)
{
    ProbeInput input("a");
    ProbeScanner& s = input.scanner;
    EXPECT_EQ("", s.getText());
    EXPECT_TRUE(s.saveText);
    EXPECT_EQ(&orvel::CommonToken::factory, s.tokenObjectFactory);
    EXPECT_TRUE(s.getCaseSensitive());
    EXPECT_TRUE(s.literals.empty());
    EXPECT_FALSE(s.getTokenObject());
    EXPECT_FALSE(s.getCommitToPath());
    EXPECT_EQ(8, s.tabSize);
    EXPECT_EQ(0, s.traceDepth);
    EXPECT_EQ(1, s.getLine());
    EXPECT_EQ(1, s.getColumn());
    EXPECT_EQ("", s.getFilename());
}

TEST(CharScanner, OwnsABufferGivenByPointerUntilItsLastSharerGoes)
{
    int deaths = 0;
    auto* first = new ProbeScanner(new DyingBuffer(deaths), true);
    {
        ProbeScanner second(first->getInputState(), true);
        delete first;
        EXPECT_EQ(0, deaths);
    }
    EXPECT_EQ(1, deaths);
}

TEST(CharScanner, LeavesABufferGivenByReferenceAlive)
{
    int deaths = 0;
    DyingBuffer buffer(deaths);
    {
        ProbeScanner scanner(buffer, true);
        EXPECT_EQ(&buffer, &scanner.getInputBuffer());
    }
    EXPECT_EQ(0, deaths);
}

TEST(CharScanner, LookaheadReadsOnlyAsDeepAsAsked)
{
    CountedInput input("abcd");
    EXPECT_EQ(0, input.source.reads());
    EXPECT_EQ('b', input.scanner.LA(2));
    EXPECT_EQ(2, input.source.reads());
    input.scanner.match('a');
    EXPECT_EQ('b', input.scanner.LA(1));
    EXPECT_EQ(2, input.source.reads());
}

TEST(CharScanner, CaseInsensitiveLookaheadFoldsButTextKeepsTheInputsCase)
{
    ProbeInput input("ABC", false);
    EXPECT_EQ('a', input.scanner.LA(1));
    EXPECT_EQ('b', input.scanner.LA(2));
    input.scanner.match('a');
    input.scanner.match("bc");
    EXPECT_EQ("ABC", input.scanner.getText());
    EXPECT_EQ(CharScanner::EOF_CHAR, input.scanner.LA(1));
}

TEST(CharScanner, ToLowerFoldsBytesOnly)
{
    ProbeInput input("");
    const int cases[][2] = {{'Q', 'q'}, {'q', 'q'}, {'1', '1'}, {-1, -1}, {300, 300}, {-7, -7}};
    for (const auto& c : cases)
        EXPECT_EQ(c[1], input.scanner.toLower(c[0])) << c[0];
}

TEST(CharScanner, ConsumeAppendsAndAdvancesTheColumnButNotTheLine)
{
    ProbeInput input("a\nb");
    input.scanner.consume();
    input.scanner.consume();
    EXPECT_EQ("a\n", input.scanner.getText());
    EXPECT_EQ(1, input.scanner.getLine());
    EXPECT_EQ(3, input.scanner.getColumn());
    input.scanner.newline();
    EXPECT_EQ(2, input.scanner.getLine());
    EXPECT_EQ(1, input.scanner.getColumn());
}

TEST(CharScanner, TabMovesToTheNextStopOfWidthEight)
{
    const int cases[][2] = {{1, 9}, {2, 9}, {8, 9}, {9, 17}, {16, 17}, {17, 25}};
    for (const auto& c : cases) {
        ProbeInput input("\t");
        input.scanner.setColumn(c[0]);
        input.scanner.consume();
        EXPECT_EQ(c[1], input.scanner.getColumn()) << "from column " << c[0];
        EXPECT_EQ("\t", input.scanner.getText());
    }
}

TEST(CharScanner, TabStopsFollowTheTabSize)
{
    ProbeInput input("");
    input.scanner.tabSize = 4;
    input.scanner.setColumn(5);
    input.scanner.tab();
    EXPECT_EQ(9, input.scanner.getColumn());
}

TEST(CharScanner, WhileGuessingConsumeMovesOnlyTheBuffer)
{
    ProbeInput input("a\tb");
    input.scanner.inputState->guessing = 1;
    input.scanner.consume();
    input.scanner.match('\t');
    EXPECT_EQ("", input.scanner.getText());
    EXPECT_EQ(1, input.scanner.getColumn());
    EXPECT_EQ('b', input.scanner.LA(1));
}

TEST(CharScanner, ConsumingEndOfInputAppendsByteFFAndAdvances)
{
    ProbeInput input("");
    input.scanner.consume();
    EXPECT_EQ(std::string(1, '\xFF'), input.scanner.getText());
    EXPECT_EQ(2, input.scanner.getColumn());
}

TEST(CharScanner, TextGrowsInStepsOf256)
{
    ProbeInput input("");
    ProbeScanner& s = input.scanner;
    s.append('x');
    EXPECT_GE(s.getText().capacity(), 256u);
    s.append(std::string(255, 'x'));
    s.append('y');
    EXPECT_EQ(257u, s.getText().size());
    EXPECT_GE(s.getText().capacity(), 512u);
}

TEST(CharScanner, WithoutSaveTextNothingIsAppended)
{
    ProbeInput input("ab");
    input.scanner.saveText = false;
    input.scanner.append('x');
    input.scanner.append(std::string("yz"));
    input.scanner.consume();
    input.scanner.match('b');
    EXPECT_EQ("", input.scanner.getText());
    EXPECT_EQ(3, input.scanner.getColumn());
}

TEST(CharScanner, MatchFailuresThrowAtTheLookaheadPositionAndConsumeNothing)
{
    struct Case {
        const char* name;
        void (*attempt)(CharScanner&);
        const char* text;
    };
    const Case cases[] = {
        {"char", [](CharScanner& s) { s.match('x'); }, "t.txt:1:1: expecting ''x'', found ''a''"},
        {"not", [](CharScanner& s) { s.matchNot('a'); }, "t.txt:1:1: expecting anything but ''a''; got it anyway"},
        {"range", [](CharScanner& s) { s.matchRange('0', '9'); },
         "t.txt:1:1: expecting token in range: ''0''..''9'', found ''a''"},
        {"set", [](CharScanner& s) { s.match(setOf({'y', 'x'})); },
         "t.txt:1:1: expecting one of ( ''x'' ''y''), found ''a''"},
        {"string", [](CharScanner& s) { s.match("b"); }, "t.txt:1:1: expecting ''b'', found ''a''"},
    };
    for (const Case& c : cases) {
        ProbeInput input("ab");
        input.scanner.setFilename("t.txt");
        EXPECT_THROW_TEXT(c.attempt(input.scanner), MismatchedCharException, c.text);
        EXPECT_EQ('a', input.scanner.LA(1)) << c.name;
        EXPECT_EQ("", input.scanner.getText()) << c.name;
    }
}

TEST(CharScanner, MatchFailuresAtEndOfInputShowEOF)
{
    ProbeInput input("");
    EXPECT_THROW_TEXT(input.scanner.match('a'), MismatchedCharException, "line 1:1: expecting ''a'', found 'EOF'");
    EXPECT_THROW_TEXT(input.scanner.matchNot(CharScanner::EOF_CHAR), MismatchedCharException,
                      "line 1:1: expecting anything but 'EOF'; got it anyway");
    EXPECT_THROW_TEXT(input.scanner.match(setOf({0})), MismatchedCharException,
                      "line 1:1: expecting one of ( '0x00'), found 'EOF'");
}

TEST(CharScanner, MatchRangeAcceptsBothBoundsAndNothingBeyond)
{
    ProbeInput input("09:/");
    input.scanner.matchRange('0', '9');
    input.scanner.matchRange('0', '9');
    EXPECT_THROW(input.scanner.matchRange('0', '9'), MismatchedCharException);
    input.scanner.consume();
    EXPECT_THROW(input.scanner.matchRange('0', '9'), MismatchedCharException);
    EXPECT_EQ("09:", input.scanner.getText());
}

TEST(CharScanner, MatchStringKeepsWhatMatchedBeforeTheMismatch)
{
    ProbeInput input("fox");
    input.scanner.setFilename("t.txt");
    EXPECT_THROW_TEXT(input.scanner.match("for"), MismatchedCharException,
                      "t.txt:1:3: expecting ''r'', found ''x''");
    EXPECT_EQ("fo", input.scanner.getText());
    EXPECT_EQ('x', input.scanner.LA(1));
}

TEST(CharScanner, MatchStringComparesBytesIncludingHighAndZeroBytes)
{
    ProbeInput input(std::string("\xE9\0z", 3));
    input.scanner.match("\xE9");
    input.scanner.match(std::string("\0z", 2));
    EXPECT_EQ(std::string("\xE9\0z", 3), input.scanner.getText());
}

TEST(CharScanner, MatchingAnEmptyStringReadsNothing)
{
    CountedInput input("a");
    input.scanner.match("");
    input.scanner.match(std::string());
    EXPECT_EQ(0, input.source.reads());
}

TEST(CharScanner, RewindReturnsToTheMarkedCharacter)
{
    ProbeInput input("abc");
    const unsigned int m = input.scanner.mark();
    input.scanner.match("ab");
    input.scanner.rewind(m);
    EXPECT_EQ('a', input.scanner.LA(1));
    EXPECT_FALSE(input.scanner.getInputBuffer().isMarked());
}

TEST(CharScanner, CommitKeepsWhatWasConsumedSinceTheMark)
{
    ProbeInput input("abc");
    input.scanner.mark();
    input.scanner.match("ab");
    input.scanner.commit();
    EXPECT_FALSE(input.scanner.getInputBuffer().isMarked());
    EXPECT_EQ('c', input.scanner.LA(1));
    EXPECT_EQ("ab", input.scanner.getText());
}

TEST(CharScanner, ConsumeUntilStopsBeforeTheTargetOrAtEndOfInput)
{
    ProbeInput input("abcd");
    input.scanner.consumeUntil('c');
    EXPECT_EQ("ab", input.scanner.getText());
    input.scanner.consumeUntil(setOf({'a'}));
    EXPECT_EQ("abcd", input.scanner.getText());
    input.scanner.consumeUntil('x');
    EXPECT_EQ("abcd", input.scanner.getText());
    EXPECT_EQ(5, input.scanner.getColumn());
}

TEST(CharScanner, RecoverSkipsOneCharacterThenUpToTheSet)
{
    ProbeInput input(";;x;y");
    const MismatchedCharException ex;
    input.scanner.recover(ex, setOf({';'}));
    EXPECT_EQ(";", input.scanner.getText());
    input.scanner.recover(ex, setOf({';'}));
    EXPECT_EQ(";;x", input.scanner.getText());
}

TEST(CharScanner, RecoverAtEndOfInputConsumesOnceAndReturns)
{
    ProbeInput input("");
    input.scanner.recover(MismatchedCharException(), BitSet());
    EXPECT_EQ(2, input.scanner.getColumn());
    EXPECT_EQ(CharScanner::EOF_CHAR, input.scanner.LA(1));
}

TEST(CharScanner, ReportsGoToStandardErrorOneLineEach)
{
    ProbeInput input("");
    CaptureStream err(std::cerr);
    input.scanner.reportError("bad");
    input.scanner.reportWarning("odd");
    input.scanner.setFilename("a.txt");
    input.scanner.reportError("bad");
    input.scanner.reportWarning("odd");
    input.scanner.setLine(2);
    input.scanner.setColumn(3);
    input.scanner.reportError(MismatchedCharException('\n', 'x', false, &input.scanner));
    EXPECT_EQ("error: bad\n"
              "warning: odd\n"
              "a.txt: error: bad\n"
              "a.txt: warning: odd\n"
              "a.txt:2:3: expecting ''x'', found '0x0A'\n",
              err.text());
}

TEST(CharScanner, TracesRulesOnStandardOutputIndentedByDepth)
{
    ProbeInput input("a");
    CaptureStream out(std::cout);
    input.scanner.traceIn("mOUTER");
    input.scanner.traceIn("mINNER");
    input.scanner.match('a');
    input.scanner.traceOut("mINNER");
    input.scanner.traceOut("mOUTER");
    EXPECT_EQ(" > lexer mOUTER; c==97\n"
              "  > lexer mINNER; c==97\n"
              "  < lexer mINNER; c==-1\n"
              " < lexer mOUTER; c==-1\n",
              out.text());
    EXPECT_EQ(0, input.scanner.traceDepth);
}

TEST(CharScanner, MakeTokenStampsTypeAndStartPositionButNoText)
{
    ProbeInput input("ab");
    input.scanner.setLine(3);
    input.scanner.setColumn(5);
    input.scanner.resetText();
    input.scanner.match("ab");
    const TokenRefCount<Token> token = input.scanner.makeToken(7);
    EXPECT_EQ("[\"\",<7>,line=3,column=5]", token->toString());
    EXPECT_EQ("ab", input.scanner.getText());
}

TEST(CharScanner, ResetTextEmptiesTheTextAndMarksTheTokenStart)
{
    ProbeInput input("ab\tc");
    input.scanner.match("ab\t");
    input.scanner.resetText();
    EXPECT_EQ("", input.scanner.getText());
    EXPECT_EQ(9, input.scanner.inputState->startColumn);
    EXPECT_EQ(1, input.scanner.inputState->startLine);
}

TEST(CharScanner, MakeTokenUsesTheTokenObjectFactory)
{
    ProbeInput input("");
    tokenFactoryCalls = 0;
    input.scanner.setTokenObjectFactory(&countingFactory);
    const TokenRefCount<Token> token = input.scanner.makeToken(Token::EOF_TYPE);
    EXPECT_EQ(1, tokenFactoryCalls);
    EXPECT_NE(nullptr, dynamic_cast<orvel::CommonHiddenStreamToken*>(token.get()));
    EXPECT_EQ(Token::EOF_TYPE, token->getType());
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
        ProbeInput input("");
        input.scanner.literalsCaseSensitive = c.literalsCaseSensitive;
        input.scanner.literals["if"] = 9;
        input.scanner.setText(c.text);
        EXPECT_EQ(c.type, input.scanner.testLiteralsTable(5)) << c.text;
        EXPECT_EQ(c.type, input.scanner.testLiteralsTable(c.text, 5)) << c.text;
    }
}

TEST(CharScanner, SharedInputStateContinuesAtTheSamePosition)
{
    ProbeInput input("ab\n\tcd");
    input.scanner.setFilename("t.txt");
    input.scanner.match("ab\n");
    input.scanner.newline();
    input.scanner.match('\t');

    ProbeScanner next(input.scanner.getInputState(), true);
    EXPECT_EQ(2, next.getLine());
    EXPECT_EQ(9, next.getColumn());
    EXPECT_EQ("t.txt", next.getFilename());
    next.match('c');
    EXPECT_EQ("c", next.getText());
    EXPECT_EQ(10, input.scanner.getColumn());
    EXPECT_EQ('d', input.scanner.LA(1));
}

TEST(CharScanner, SetInputStateSwitchesInputAndReleasesTheOldState)
{
    int deaths = 0;
    ProbeScanner scanner(new DyingBuffer(deaths), true);
    std::istringstream in("z");
    const RefCount<LexerInputState> other(new LexerInputState(new CharBuffer(in)));
    other->line = 6;
    scanner.setInputState(other);
    EXPECT_EQ(1, deaths);
    EXPECT_EQ(other.get(), scanner.getInputState().get());
    EXPECT_EQ(6, scanner.getLine());
    EXPECT_EQ('z', scanner.LA(1));
}
