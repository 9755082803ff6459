#include <orvel/CharScannerLiteralsLess.hpp>
#include <orvel/CommonHiddenStreamToken.hpp>
#include <orvel/MismatchedCharException.hpp>
#include <orvel/NoViableAltForCharException.hpp>

#include "support/Expect.hpp"
#include "support/SampleLexer.hpp"
#include "support/ScannerProbe.hpp"

#include <string>

namespace {

using namespace orvel;
using test::charsOf;
using test::ProbeScanner;
using test::ScriptedBuffer;

TEST(CharScanner, OwnsOnlyABufferGivenByPointerAndDeletesItWithTheLastShareOfItsState)
{
    int deaths = 0;
    ScriptedBuffer borrowed("", &deaths);
    { ProbeScanner byReference(borrowed, true); }
    EXPECT_EQ(0, deaths);
    auto* first = new ProbeScanner(new ScriptedBuffer("", &deaths), true);
    ProbeScanner second(first->getInputState(), true);
    delete first;
    EXPECT_EQ(0, deaths);
    second.setInputState(RefCount<LexerInputState>(new LexerInputState(new ScriptedBuffer("z"))));
    EXPECT_EQ(1, deaths);
    EXPECT_EQ('z', second.LA(1));
}

TEST(CharScanner, ReadsOnlyAsDeepAsAskedAndFoldsTheLookaheadButNotTheTextWhenCaseInsensitive)
{
    auto* buffer = new ScriptedBuffer("ABCD");
    ProbeScanner s(buffer, false);
    s.match("");
    EXPECT_EQ(0u, buffer->reads);
    EXPECT_EQ('b', s.LA(2));
    EXPECT_EQ(2u, buffer->reads);
    s.match('a');
    s.match("bc");
    EXPECT_EQ("ABC", s.getText());
    EXPECT_EQ(3u, buffer->reads);
    for (const int c : {int{'1'}, -1, 300, -7})
        EXPECT_EQ(c, s.toLower(c));
}

TEST(CharScanner, ConsumeAppendsTheCharacterAndMovesTheColumnOnOrToTheNextTabStopUnlessGuessing)
{
    const struct {
        const char* input;
        int tabSize; // 0 keeps the default of 8
        int fromColumn, guessing;
        const char* text;
        int column;
    } cases[] = {
        {"\n", 0, 1, 0, "\n", 2}, {"", 0, 1, 0, "\xFF", 2},  {"\t", 0, 1, 0, "\t", 9},  {"\t", 0, 8, 0, "\t", 9},
        {"\t", 0, 9, 0, "\t", 17}, {"\t", 4, 5, 0, "\t", 9}, {"a", 0, 1, 1, "", 1},     {"\t", 0, 1, 1, "", 1},
    };
    for (const auto& c : cases) {
        ProbeScanner s(c.input);
        if (c.tabSize != 0)
            s.tabSize = c.tabSize;
        s.setColumn(c.fromColumn);
        s.inputState->guessing = c.guessing;
        s.consume();
        EXPECT_EQ(c.text, s.getText());
        EXPECT_EQ(c.column, s.getColumn()) << "tab size " << c.tabSize << " from " << c.fromColumn;
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
    EXPECT_GE(s.getText().capacity(), 512u);
    s.setText("");
    s.saveText = false;
    s.append('x');
    s.append(std::string("yz"));
    s.match('a');
    EXPECT_EQ("", s.getText());
}

TEST(CharScanner, MatchFailuresThrowAtTheLookaheadKeepingWhatMatchedBefore)
{
    const struct {
        const char* input;
        void (*attempt)(CharScanner&);
        const char *error, *textAfter;
    } cases[] = {
        {"ab", [](auto& s) { s.match('x'); }, "f:1:1: expecting ''x'', found ''a''", ""},
        {"ab", [](auto& s) { s.matchNot('a'); }, "f:1:1: expecting anything but ''a''; got it anyway", ""},
        {"ab", [](auto& s) { s.matchRange('0', '9'); }, "f:1:1: expecting token in range: ''0''..''9'', found ''a''",
         ""},
        {"ab", [](auto& s) { s.match(charsOf("yx")); }, "f:1:1: expecting one of ( ''x'' ''y''), found ''a''", ""},
        {"fox", [](auto& s) { s.match("for"); }, "f:1:3: expecting ''r'', found ''x''", "fo"},
        {"09:", [](auto& s) { s.matchRange('0', '9'); s.matchRange('0', '9'); s.matchRange('0', '9'); },
         "f:1:3: expecting token in range: ''0''..''9'', found '':''", "09"},
        {"\xE9\0z", [](auto& s) { s.match(std::string("\xE9\x01", 2)); }, "f:1:2: expecting '0x01', found '0x00'",
         "\xE9"},
        {"", [](auto& s) { s.matchNot(CharScanner::EOF_CHAR); }, "f:1:1: expecting anything but 'EOF'; got it anyway",
         ""},
        {"", [](auto& s) { s.match(charsOf(std::string(1, '\0'))); }, "f:1:1: expecting one of ( '0x00'), found 'EOF'",
         ""},
    };
    for (const auto& c : cases) {
        ProbeScanner s(std::string(c.input, c.input[0] == '\xE9' ? 3 : std::char_traits<char>::length(c.input)));
        s.setFilename("f");
        EXPECT_THROW_TEXT(c.attempt(s), MismatchedCharException, c.error);
        EXPECT_EQ(c.textAfter, s.getText());
    }
}

// Positions come from the scanner when the error is built, or are explicit.
TEST(CharScanner, LexerErrorsRenderEachKindAfterThePosition)
{
    ProbeScanner scanner("");
    scanner.setFilename("t.txt");
    scanner.setLine(3);
    scanner.setColumn(7);
    CharScanner* const s = &scanner;
    BitSet copied = charsOf("a");
    const std::pair<MismatchedCharException, const char*> mismatches[] = {
        {{'\'', 0, false, s}, "t.txt:3:7: expecting '0x00', found '''''"},
        {{-1, -1, true, s}, "t.txt:3:7: expecting anything but 'EOF'; got it anyway"},
        {{-1, 0x80, 0xFF, false, s},
         "t.txt:3:7: expecting token in range: '0x80'..'0xFF', found 'EOF'"},
        {{'m', 'a', 'z', true, s}, "t.txt:3:7: expecting token NOT in range: 'a''..''z'', found ''m''"},
        {{'\t', BitSet(), false, s}, "t.txt:3:7: expecting one of (), found '0x09'"},
        {{'c', copied, false, nullptr}, " expecting one of ( ''a''), found ''c''"},
        {{'"', charsOf(std::string("\"\0", 2)), true, s},
         "t.txt:3:7: expecting NOT one of ( '0x00' ''\"''), found ''\"''"},
        {{}, " Mismatched char"},
    };
    const std::pair<NoViableAltForCharException, const char*> noViableAlts[] = {
        {{'@', s}, "t.txt:3:7: unexpected char: '@'"},
        {{'x', nullptr}, " unexpected char: 'x'"},
        {{'\t', "", -1, 4}, " unexpected char: 0x09"},
        {{-1, "f", 3, -1}, "f:3: unexpected char: EOF"},
        {{0xE9, "", 1, 1}, "line 1:1: unexpected char: 0xE9"},
    };
    copied.add('b');
    scanner.setLine(9);
    for (const auto& [error, rendering] : mismatches)
        EXPECT_EQ(rendering, error.toString());
    for (const auto& [error, rendering] : noViableAlts)
        EXPECT_EQ(rendering, error.toString());
}

TEST(CharScanner, RewindReturnsToTheMarkCommitKeepsWhatWasConsumedAndRecoverSkipsToTheSet)
{
    ProbeScanner s(";;x;ab");
    const unsigned int m = s.mark();
    s.match(";;");
    s.rewind(m);
    EXPECT_EQ(';', s.LA(1));
    s.mark();
    s.match(";");
    s.commit();
    EXPECT_FALSE(s.getInputBuffer().isMarked());
    s.recover(MismatchedCharException(), charsOf(";"));
    EXPECT_EQ(";;;;x", s.getText());
    s.consumeUntil('b');
    EXPECT_EQ(";;;;x;a", s.getText());
    s.consumeUntil(charsOf("z"));
    const int column = s.getColumn();
    s.recover(MismatchedCharException(), BitSet());
    EXPECT_EQ(column + 1, s.getColumn()) << "at end of input recovery still consumes once";
}

TEST(CharScanner, ReportsGoToStandardErrorAndTracesToStandardOutputOneLineEach)
{
    ProbeScanner s("a");
    test::CaptureStream err(std::cerr);
    test::CaptureStream out(std::cout);
    s.reportError("bad");
    s.reportWarning("odd");
    s.setFilename("a.txt");
    s.reportError("bad");
    s.reportWarning("odd");
    s.reportError(MismatchedCharException('\n', 'x', false, &s));
    s.traceIn("mOUTER");
    s.traceIn("mINNER");
    s.match('a');
    s.traceOut("mINNER");
    s.traceOut("mOUTER");
    EXPECT_EQ("error: bad\nwarning: odd\na.txt: error: bad\na.txt: warning: odd\n"
              "a.txt:1:1: expecting ''x'', found '0x0A'\n",
              err.text());
    EXPECT_EQ(" > lexer mOUTER; c==97\n  > lexer mINNER; c==97\n  < lexer mINNER; c==-1\n < lexer mOUTER; c==-1\n",
              out.text());
}

TEST(CharScanner, MakeTokenUsesTheFactoryAndStampsTheTypeAndTheStartThatResetTextRecorded)
{
    ProbeScanner s("ab\tcd");
    s.setLine(3);
    s.match("ab\t");
    s.resetText();
    s.match("cd");
    s.setTokenObjectFactory(&CommonHiddenStreamToken::factory);
    const TokenRefCount<Token> token = s.makeToken(7);
    EXPECT_NE(nullptr, dynamic_cast<CommonHiddenStreamToken*>(token.get()));
    EXPECT_EQ("[\"\",<7>,line=3,column=9]", token->toString());
    EXPECT_EQ("cd", s.getText());
}

// The literal table orders its keys as the scanner's case rule says, asking on every comparison.
TEST(CharScanner, LiteralsTableAnswersByTheLexersCaseRule)
{
    const struct {
        bool caseSensitive;
        const char* text;
        int type;
    } cases[] = {{true, "if", 9}, {true, "IF", 5}, {true, "iff", 5}, {false, "If", 9}, {false, "iF", 9}, {false, "i", 5}};
    for (const auto& c : cases) {
        ProbeScanner s("");
        s.literalsCaseSensitive = c.caseSensitive;
        s.literals["if"] = 9;
        s.literals["z"] = 1;
        s.literalsQueries = 0;
        s.setText(c.text);
        EXPECT_EQ(c.type, s.testLiteralsTable(5)) << c.text;
        EXPECT_EQ(c.type, s.testLiteralsTable(c.text, 5)) << c.text;
        EXPECT_GT(s.literalsQueries, 1);
    }
    ProbeScanner s("");
    const CharScannerLiteralsLess less(&s);
    EXPECT_TRUE(less("Z", "a") && less("z", "\xE9") && less("", "a") && !less("a", "a"));
    s.literalsCaseSensitive = false;
    EXPECT_TRUE(less("apple", "Banana") && !less("IF", "if") && less("z", "\xE9"));
}

}
