#include <orvel/CharBuffer.hpp>
#include <orvel/CharScannerLiteralsLess.hpp>
#include <orvel/ErrorLimitException.hpp>
#include <orvel/MismatchedCharException.hpp>
#include <orvel/NoViableAltForCharException.hpp>

#include "support/Fixtures.hpp"
#include "support/SampleLexer.hpp"

#include <stdexcept>

namespace {

using namespace orvel;
using sample::charsOf;

// A buffer over a fixed text that counts how often it is asked for a
// character (past the end it yields -1 like a real source) and, when given a
// counter, its own destruction.
class ScriptedBuffer : public InputBuffer {
public:
    explicit ScriptedBuffer(std::string text, int* deaths = nullptr) : text(std::move(text)), deaths(deaths) {}
    ~ScriptedBuffer() override
    {
        if (deaths)
            ++*deaths;
    }

    int getChar() override
    {
        const std::size_t at = reads++;
        return at < text.size() ? static_cast<unsigned char>(text[at]) : -1;
    }

    std::size_t reads = 0;

private:
    std::string text;
    int* deaths;
};

// A scanner with no rules of its own, whose state tests can read and set.
class ProbeScanner : public CharScanner {
public:
    using CharScanner::CharScanner;
    // A scanner that owns a buffer over `text`.
    explicit ProbeScanner(const std::string& text, bool caseSensitiveChars = true)
        : CharScanner(new ScriptedBuffer(text), caseSensitiveChars)
    {
    }

    TokenRefCount<Token> nextToken() override { return makeToken(Token::EOF_TYPE); }
    bool getLiteralsCaseSensitive() const override { return literalsCaseSensitive; }

    using CharScanner::inputState;
    using CharScanner::literals;
    using CharScanner::deliver;
    using CharScanner::saveText;
    using CharScanner::setModeCount;

    bool literalsCaseSensitive = true;
};

// The buffer as "kept|ahead" (marked and lookahead characters), " open" while
// a mark is open, and how many characters it has read from its source.
std::string view(const ScriptedBuffer& in)
{
    return in.getMarkedChars() + "|" + in.getLAChars() + (in.isMarked() ? " open" : "") + " read "
           + std::to_string(in.reads);
}

// Each step runs operations (Ln: LA(n), c: consume, m: mark, rn: rewind(n),
// C: commit, R: reset) and shows the buffer after them.
TEST(InputBuffer, ReadsOnlyAsDeepAsAskedAppliesConsumesLazilyAndKeepsWhatMarksNeed)
{
    ScriptedBuffer in("abcdefgh");
    const std::pair<const char*, const char*> steps[] = {
        {"L3 c", "|abc read 3"},
        {"L1", "|bc read 3"},
        {"c c c L1", "|e read 5"},               // consumed but never looked at: skipped
        {"m L1 c m", "e| open read 5"},          // marks nest
        {"L1 c r1 L1", "e|f open read 6"},       // rewind closes the innermost without rereading
        {"m L1 c C", "e|f open read 6"},         // the pending consume shows at the next lookahead
        {"r0", "|ef read 6"},
        {"m c c c L1", "efg|h open read 8"},     // consumes under a mark may run ahead of the lookahead
        {"C L1", "efg|h read 8"},                // committed characters stay in a window...
        {"c L1", "fgh|\xFF read 9"},            // ...that slides with each consume
        {"R L3", "|\xFF\xFF\xFF read 12"},
    };
    for (const auto& [ops, expected] : steps) {
        std::istringstream script(ops);
        for (std::string op; script >> op;) {
            const auto n = static_cast<unsigned int>(op.size() > 1 ? op[1] - '0' : 0);
            switch (op[0]) {
            case 'L': in.LA(n); break;
            case 'c': in.consume(); break;
            case 'm': in.mark(); break;
            case 'r': in.rewind(n); break;
            case 'C': in.commit(); break;
            default: in.reset();
            }
        }
        EXPECT_EQ(expected, view(in)) << ops;
    }
}

TEST(CharBuffer, TakesNoCharacterAheadOfTheLookaheadYieldsBytesFrom0To255AndPassesFailuresThrough)
{
    struct BrokenSource : std::streambuf {
        int_type underflow() override { throw std::runtime_error("device lost"); }
    } broken;
    std::stringbuf text(std::string("\xFF\x00" "bc", 4));
    std::istream stream(&text);
    CharBuffer in(stream);
    EXPECT_EQ(0, in.LA(2));
    EXPECT_EQ(255, in.LA(1));
    in.consume();
    EXPECT_EQ('b', in.LA(2));
    EXPECT_EQ('c', stream.peek());
    stream.rdbuf(&broken);
    stream.exceptions(std::ios::badbit);
    EXPECT_THROW(in.LA(3), std::runtime_error);
    EXPECT_EQ('b', in.LA(2));
}

// Both start over at line 1, column 1, not guessing.
TEST(LexerInputState, InitializeAndResetStartOverDeletingOnlyAnOwnedBuffer)
{
    int deaths = 0;
    ScriptedBuffer borrowed("abc", &deaths);
    LexerInputState owning(new ScriptedBuffer("", &deaths));
    LexerInputState borrowing(borrowed);
    borrowing.column = borrowing.startLine = borrowing.guessing = owning.line = owning.startColumn = 5;
    ASSERT_EQ('b', borrowed.LA(2));
    borrowing.reset();
    EXPECT_EQ(1 + 1 + 0, borrowing.column + borrowing.startLine + borrowing.guessing);
    EXPECT_EQ('c', borrowing.input->LA(1)) << "reset drops the buffered characters";
    std::istringstream in("xy");
    owning.initialize(in, "next.txt");
    borrowing.initialize(in, nullptr);
    EXPECT_EQ(1, deaths);
    EXPECT_EQ(1 + 1, owning.line + owning.startColumn);
    EXPECT_EQ("next.txt", owning.filename);
}

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
    EXPECT_EQ(3u, buffer->reads);
    s.saveText = false;
    s.append(std::string("yz"));
    s.consume();
    EXPECT_EQ("ABC", s.getText());
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
            s.setTabSize(c.tabSize);
        s.setColumn(c.fromColumn);
        s.inputState->guessing = c.guessing;
        s.consume();
        EXPECT_EQ(c.text, s.getText());
        EXPECT_EQ(c.column, s.getColumn()) << "tab size " << c.tabSize << " from " << c.fromColumn;
        EXPECT_EQ(CharScanner::EOF_CHAR, s.LA(1));
    }
}

TEST(CharScanner, MatchFailuresThrowAtTheLookaheadKeepingWhatMatchedBefore)
{
    const struct {
        const char* input;
        void (*attempt)(CharScanner&);
        const char *error, *textAfter;
    } cases[] = {
        {"ab", [](auto& s) { s.match('x'); }, "f:1:1: expecting ''x'', found ''a''", ""},
        {"ab", [](auto& s) { s.matchRange('0', '9'); }, "f:1:1: expecting token in range: ''0''..''9'', found ''a''",
         ""},
        {"ab", [](auto& s) { s.match(charsOf("yx")); }, "f:1:1: expecting one of ( ''x'' ''y''), found ''a''", ""},
        {"fox", [](auto& s) { s.match("for"); }, "f:1:3: expecting ''r'', found ''x''", "fo"},
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
        {{'\t', "", -1, 4}, " unexpected char: 0x09"},
        {{-1, "f", 3, -1}, "f:3: unexpected char: EOF"},
    };
    copied.add('b');
    scanner.setLine(9);
    for (const auto& [error, rendering] : mismatches)
        EXPECT_EQ(rendering, error.toString());
    for (const auto& [error, rendering] : noViableAlts)
        EXPECT_EQ(rendering, error.toString());
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

// Syntax errors are reported through reportError, which an override may
// change, and counted up to the limit.
TEST(CharScanner, CountsTheSyntaxErrorsItReportsAndThrowsOnceTheLimitIsReached)
{
    struct Quiet : ProbeScanner {
        using ProbeScanner::ProbeScanner;
        void reportError(const RecognitionException& ex) override { seen += ex.getMessage(); }
        std::string seen;
    } s("a");
    s.reportError(RecognitionException("not counted "));
    s.reportSyntaxError(RecognitionException("m"));
    EXPECT_EQ(1, s.getNumberOfSyntaxErrors());
    EXPECT_THROW(s.setErrorLimit(-1), ORVELException);
    EXPECT_EQ(0, s.getErrorLimit());
    s.setErrorLimit(2);
    EXPECT_THROW_TEXT(s.reportSyntaxError(RecognitionException("n")), ErrorLimitException,
                      "stopped after 2 errors");
    EXPECT_EQ(2, s.getNumberOfSyntaxErrors());
    EXPECT_EQ("not counted mn", s.seen);
}

// Misuse of the tab size, the modes and emit() throws and changes nothing.
TEST(CharScanner, ModesStackUpAndMisuseOfModesTabSizeAndEmitThrowsChangingNothing)
{
    ProbeScanner s("ab");
    s.setFilename("m.txt");
    EXPECT_THROW(s.setTabSize(0), ORVELException);
    EXPECT_EQ(8, s.getTabSize());
    EXPECT_THROW(s.setMode(1), ORVELException);
    s.setModeCount(3);
    s.pushMode(1);
    s.pushMode(2);
    EXPECT_THROW(s.pushMode(3), ORVELException);
    EXPECT_EQ(2, s.getMode());
    EXPECT_EQ(1, s.popMode());
    s.setMode(2);
    EXPECT_EQ(0, s.popMode());
    s.consume();
    EXPECT_THROW_TEXT(s.popMode(), RecognitionException, "m.txt:1:2: popMode with no mode to return to");
    EXPECT_EQ(0, s.getMode());
    EXPECT_THROW(s.emit(nullToken), ORVELException);
}

// What nextToken returns is noted: its type for prevType(), and on the
// token whether a line end came since the previous one ended.
TEST(CharScanner, DeliverNotesThePreviousTypeAndLineEndsBetweenTokens)
{
    ProbeScanner s("");
    EXPECT_EQ(Token::INVALID_TYPE, s.prevType());
    const struct {
        int newlinesBefore, newlinesInside;
        bool newlineBefore;
    } cases[] = {{0, 0, false}, {1, 0, true}, {0, 2, false}, {0, 0, false}, {2, 1, true}};
    int type = Token::MIN_USER_TYPE;
    for (const auto& c : cases) {
        for (int i = 0; i < c.newlinesBefore; ++i)
            s.newline();
        s.resetText();
        for (int i = 0; i < c.newlinesInside; ++i)
            s.newline();
        EXPECT_EQ(c.newlineBefore, s.deliver(s.makeToken(type))->getNewlineBefore()) << type;
        EXPECT_EQ(type++, s.prevType());
    }
}

// The literal table orders its keys as the scanner's case rule says at each comparison.
TEST(CharScanner, LiteralsAreOrderedBytewiseOrIgnoringCaseAsTheScannerSays)
{
    ProbeScanner s("");
    const CharScannerLiteralsLess less(&s);
    EXPECT_TRUE(less("Z", "a") && less("z", "\xE9") && less("", "a") && !less("a", "a") && !less("ab", "a"));
    s.literalsCaseSensitive = false;
    EXPECT_TRUE(less("apple", "Banana") && !less("IF", "if") && !less("if", "IF") && less("z", "\xE9"));
    s.literals["if"] = 9;
    EXPECT_EQ(9, s.testLiteralsTable("iF", 5));
    EXPECT_EQ(5, s.testLiteralsTable("iff", 5));
}

}
