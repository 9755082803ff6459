#include <orvel/ASTNULLType.hpp>
#include <orvel/CommonASTWithPosition.hpp>
#include <orvel/ErrorLimitException.hpp>
#include <orvel/LLkParser.hpp>
#include <orvel/MismatchedTokenException.hpp>
#include <orvel/NoViableAltException.hpp>
#include <orvel/TokenBuffer.hpp>
#include <orvel/TokenStreamException.hpp>
#include <orvel/TreeParser.hpp>

#include "support/Fixtures.hpp"

namespace {

using namespace orvel;
using namespace orvel::test;

// Token types of the parser tests and their name table; entry 2 is never named.
enum : int { ID = 4, PLUS = 5, STAR = 6, SEMI = 7 };
inline constexpr const char* tokenNames[] = {"<0>", "EOF", "<2>", "NULL_TREE_LOOKAHEAD", "ID", "PLUS", "STAR", "SEMI"};
inline constexpr int numTokens = 8;

// Completes a parser or tree parser base with the table above and no tree;
// its indentation writes a "|" first, showing where it is called virtually.
template <typename Base>
class Named : public Base {
public:
    using Base::Base;
    ASTRefCount<AST> getAST() override { return nullAST; }
    const char* getTokenName(int num) const override { return tokenNames[num]; }
    const char* const* getTokenNames() const override { return tokenNames; }
    int getNumTokens() const override { return numTokens; }
    void traceIndent() override
    {
        std::cout << "|";
        Base::traceIndent();
    }

    using Base::inputState;
    using Base::traceDepth;
};

// Tokens a + b ; at line 2, columns 1, 3, 5 and 6, then end of file.
FunctionStream sum()
{
    return listStream({token(ID, "a", 2, 1), token(PLUS, "+", 2, 3), token(ID, "b", 2, 5), token(SEMI, ";", 2, 6),
                       token(Token::EOF_TYPE, "", 2, 7)});
}

struct KParser : Named<LLkParser> {
    using Named::Named;
    using LLkParser::k;
};

TEST(Parser, MatchingConsumesOnlyOnSuccessAndDebugLinesAndReportsShowWhatHappened)
{
    FunctionStream stream = sum();
    KParser parser(stream, 1);
    CaptureStream out(std::cout);
    parser.setFilename("sum.txt");
    EXPECT_THROW_TEXT(parser.matchNot(ID), MismatchedTokenException,
                      "sum.txt:2:1: expecting anything but ID; got it anyway");
    parser.match(ID);
    DEBUG_PARSER = true;
    parser.traceDepth = 2;
    EXPECT_THROW_TEXT(parser.match(ID), MismatchedTokenException, "sum.txt:2:3: expecting ID, found '+'");
    parser.match(PLUS);
    parser.traceDepth = 0;
    EXPECT_THROW_TEXT(parser.match(setOf({PLUS, STAR})), MismatchedTokenException,
                      "sum.txt:2:5: expecting one of ( PLUS STAR), found 'b'");
    parser.match(setOf({ID}));
    DEBUG_PARSER = false;
    parser.matchNot(ID);
    EXPECT_EQ("|  enter match(4) with LA(1)=5\n"
              "|  token mismatch: 5!=4\n"
              "|  enter match(5) with LA(1)=5\n"
              "|enter match(bitset) with LA(1)=4\n"
              "|token mismatch: 4 not member of bitset\n"
              "|enter match(bitset) with LA(1)=4\n",
              out.text());
    EXPECT_THROW_TEXT(parser.matchNot(Token::EOF_TYPE), MismatchedTokenException,
                      "sum.txt:2:7: expecting anything but EOF; got it anyway");
    CaptureStream err(std::cerr);
    parser.reportError("bad");
    parser.reportWarning("odd");
    parser.setFilename("");
    parser.reportError("bad");
    parser.reportWarning("odd");
    parser.reportError(RecognitionException("m", "b.txt", 3, 4));
    EXPECT_EQ("sum.txt: error: bad\nsum.txt: warning: odd\nerror: bad\nwarning: odd\nb.txt:3:4: m\n", err.text());
    EXPECT_EQ(0, parser.getNumberOfSyntaxErrors());
    parser.setErrorLimit(2);
    parser.reportSyntaxError(RecognitionException("m", "b.txt", 3, 4));
    EXPECT_THROW_TEXT(parser.reportSyntaxError(RecognitionException("m", "b.txt", 3, 4)),
                      ErrorLimitException, "stopped after 2 errors");
    EXPECT_EQ(2, parser.getNumberOfSyntaxErrors());
}

// Parsers on one state share its file name, guessing, position and buffer; a
// buffer the state adopted goes with the last of them, and its tokens live on
// in an error that holds them.
TEST(Parser, ParsersOnOneStatePullTokensOnlyAsDeepAsAskedAndShareTheAdoptedBuffer)
{
    int deaths = 0;
    FunctionStream stream([&](int call) -> TokenRefCount<Token> {
        return new Counted<CommonToken>(&deaths, call == 2 ? PLUS : ID, std::to_string(call));
    });
    FunctionStream other = sum();
    TokenBuffer borrowed(other);
    MismatchedTokenException error;
    {
        KParser parser(stream, 2);
        const KParser sharing(parser.getInputState(), 3);
        EXPECT_EQ(PLUS, parser.LA(2));
        parser.consume();
        parser.setFilename("shared.txt");
        EXPECT_EQ("shared.txt", sharing.getFilename());
        try {
            parser.match(ID);
        } catch (const MismatchedTokenException& e) {
            error = e;
        }
        EXPECT_EQ(2, stream.calls);
        parser.setInputState(RefCount<ParserInputState>(new ParserInputState(borrowed)));
        EXPECT_EQ(0, deaths);
        EXPECT_EQ(ID, parser.LA(1));
    }
    EXPECT_EQ(1, deaths);
    EXPECT_EQ("shared.txt:1:1: expecting ID, found '2'", error.toString());
    error = MismatchedTokenException();
    EXPECT_EQ(2, deaths);
    EXPECT_EQ(1, other.calls);
}

TEST(Parser, TracesIndentVirtuallyAndShowGuessingThenTheTextOfKLookaheadTokensOrTheirErrors)
{
    FunctionStream stream = listStream({token(ID, "a"), token(PLUS, "+")}, []() -> TokenRefCount<Token> {
        throw RecognitionException("bad '#'", "in.txt", 1, 3);
    });
    KParser parser(stream, 0);
    CaptureStream out(std::cout);
    parser.traceIn("r");
    EXPECT_EQ(0, stream.calls);
    parser.k = 2;
    parser.traceIn("expr");
    parser.match(ID);
    parser.getInputState()->guessing = 1;
    parser.traceOut("expr");
    parser.getInputState()->guessing = 0;
    parser.k = 3;
    parser.traceOut("r");
    EXPECT_EQ("| > r; \n"
              "|  > expr; LA(1)==a, LA(2)==+\n"
              "|  < expr; [guessing]LA(1)==+, LA(2)==[error: in.txt:1:3: bad '#']\n"
              "| < r; LA(1)==+, LA(2)==[error: in.txt:1:3: bad '#'], LA(3)==[error: in.txt:1:3: bad '#']\n",
              out.text());
    EXPECT_EQ(0, parser.traceDepth);
}

// The base class's trace lines write their own indentation and show one token.
TEST(Parser, BaseTraceLinesIndentWithBlanksAndShowTheTokenTextAndGuessing)
{
    struct BaseParser : Named<orvel::Parser> {
        explicit BaseParser(TokenBuffer* buffer) : Named(buffer) {}
        int LA(unsigned int i) override { return inputState->input->LA(i); }
        TokenRefCount<Token> LT(unsigned int i) override { return inputState->input->LT(i); }
        void consume() override { inputState->input->consume(); }
    };
    FunctionStream stream = sum();
    BaseParser parser(new TokenBuffer(stream));
    CaptureStream out(std::cout);
    parser.traceIn("expr");
    parser.match(ID);
    parser.traceIn("rest");
    parser.getInputState()->guessing = 1;
    parser.traceOut("rest");
    parser.getInputState()->guessing = 0;
    parser.traceOut("expr");
    parser.traceOut("x");
    parser.traceIndent();
    EXPECT_EQ(-1, parser.traceDepth);
    EXPECT_EQ(" > expr; LA(1)==a\n  > rest; LA(1)==+\n  < rest; LA(1)==+ [guessing]\n < expr; LA(1)==+\n< x; LA(1)==+\n|",
              out.text());
    stream.next = [](int) -> TokenRefCount<Token> { throw TokenStreamException(); };
    parser.consume();
    EXPECT_THROW(parser.match(PLUS), TokenStreamException);
}

// Returns a node that keeps the position 2:10 of the token it was made from.
ASTRefCount<AST> positioned(const std::string& text, int type)
{
    ASTRefCount<AST> n = CommonASTWithPosition::factory();
    n->initialize(token(type, text, 2, 10));
    return n;
}

// Texts, types and sets are captured when the error is built, except that a
// no-viable-alternative error reads its token when asked. Texts are shown
// safe to print and short; the end of input is named.
TEST(ParserErrors, RenderThePositionAndTheMessageOfEachKind)
{
    const auto x = [] { return token(ID + 10, "x", 3, 5); };
    const std::string megabyte(1 << 20, 'a');
    const auto* const names = tokenNames;
    const int n = numTokens;
    TokenRefCount<Token> changed = token(ID, "before", 2, 7);
    ASTRefCount<AST> changedNode = node("old", ID);
    BitSet expected = setOf({PLUS});
    const std::pair<MismatchedTokenException, const char*> mismatches[] = {
        {{names, n, x(), ID, false, "t.g"}, "t.g:3:5: expecting ID, found 'x'"},
        {{names, n, x(), ID, true, "t.g"}, "t.g:3:5: expecting anything but ID; got it anyway"},
        {{names, n, x(), ID, STAR, true, "t.g"}, "t.g:3:5: expecting token NOT in range: ID..STAR, found 'x'"},
        {{names, n, x(), setOf({STAR, ID}), false, "t.g"}, "t.g:3:5: expecting one of ( ID STAR), found 'x'"},
        {{names, n, x(), setOf({ID, STAR}), true, ""}, "line 3:5: expecting NOT one of ( ID STAR), found 'x'"},
        {{names, n, x(), BitSet(), false, "t.g"}, "t.g:3:5: expecting one of (), found 'x'"},
        {{names, n, x(), 8, 2, false, "t.g"}, "t.g:3:5: expecting token in range: <8>..<2>, found 'x'"},
        {{names, n, x(), -3, true, "t.g"}, "t.g:3:5: expecting anything but <-3>; got it anyway"},
        {{nullptr, 0, x(), 1, false, "t.g"}, "t.g:3:5: expecting <1>, found 'x'"},
        {{names, n, x(), setOf({0, 1}), false, "t.g"}, "t.g:3:5: expecting one of ( <Set of tokens> EOF), found 'x'"},
        {{names, n, changed, PLUS, false, "in.txt"}, "in.txt:2:7: expecting PLUS, found 'before'"},
        {{names, n, token(Token::EOF_TYPE, "", 9, 1), SEMI, false, "t.g"}, "t.g:9:1: expecting SEMI, found 'EOF'"},
        {{names, n, token(ID, "\x1B]0;owned\x07\x1B[2J", 3, 5), SEMI, false, "t.g"},
         "t.g:3:5: expecting SEMI, found '0x1B]0;owned0x070x1B[2J'"},
        {{names, n, token(ID, megabyte, 3, 5), setOf({SEMI}), false, "t.g"},
         "t.g:3:5: expecting one of ( SEMI), found 'aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa...'"},
        {{names, n, node("+", PLUS), ID, STAR, true}, "<AST>: expecting token NOT in range: ID..STAR, found '+'"},
        {{names, n, changedNode, expected, true}, "<AST>: expecting NOT one of ( PLUS), found 'old'"},
        {{names, n, positioned("b\n", PLUS), ID, false}, "<AST>:2:10: expecting ID, found 'b0x0A'"},
        {{names, n, positioned("", Token::EOF_TYPE), ID, false, std::string("t.calc")}, "t.calc:2:10: expecting ID, found 'EOF'"},
        {{}, "<AST>: Mismatched Token: expecting any AST node"},
    };
    const std::pair<NoViableAltException, const char*> noViableAlts[] = {
        {{token(Token::EOF_TYPE, "x", 2, 7), "in.txt"}, "in.txt:2:7: unexpected end of file"},
        {{token(Token::NULL_TREE_LOOKAHEAD, "x", 2, 7), "in.txt"}, "in.txt:2:7: unexpected end of tree"},
        {{changed, ""}, "line 2:7: unexpected token: after"},
        {{token(ID, megabyte + "\x1B", 2, 7), ""}, "line 2:7: unexpected token: aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa..."},
        {NoViableAltException(node("+", PLUS)), "<AST>: unexpected AST node: +"},
        {NoViableAltException(nullAST), "<AST>: unexpected end of subtree"},
        {NoViableAltException(TreeParser::ASTNULL), "<AST>: unexpected AST node: <ASTNULL>"},
        {NoViableAltException(positioned("\x1B[2J", ID)), "<AST>:2:10: unexpected AST node: 0x1B[2J"},
        {NoViableAltException(positioned("", Token::EOF_TYPE), "t.calc"), "t.calc:2:10: unexpected end of file"},
    };
    changed->setText("after");
    changedNode->setText("new");
    expected.add(STAR);
    for (const auto& [error, rendering] : mismatches)
        EXPECT_EQ(rendering, error.toString());
    for (const auto& [error, rendering] : noViableAlts)
        EXPECT_EQ(rendering, error.toString());
}

using NamedTreeParser = Named<TreeParser>;

// Errors are placed at the node's position, if it keeps one, in the tree
// parser's file, if it has one.
TEST(TreeParser, MatchingFailsOnEmptyAndNullNodesAndOnTypesThatDoNotFit)
{
    NamedTreeParser p;
    NamedTreeParser named;
    named.setFilename("t.calc");
    const ASTRefCount<AST> null = TreeParser::ASTNULL;
    const ASTRefCount<AST> otherNull(new ASTNULLType);
    const int three = Token::NULL_TREE_LOOKAHEAD;
    const char* const notPlus = "<AST>: expecting anything but PLUS; got it anyway";
    const std::pair<std::function<void()>, const char*> cases[] = {
        {[&] { p.match(node("x", three), three); }, nullptr},
        {[&] { p.matchNot(node("*", STAR), PLUS); }, nullptr},
        {[&] { p.match(node("+", PLUS), setOf({PLUS, STAR})); }, nullptr},
        {[&] { p.match(null, three); }, "<AST>: expecting NULL_TREE_LOOKAHEAD, found '<ASTNULL>'"},
        {[&] { p.match(otherNull, ID); }, "<AST>: expecting ID, found '<ASTNULL>'"},
        {[&] { p.match(nullAST, ID); }, "<AST>: expecting ID, found '<empty tree>'"},
        {[&] { p.match(node("+", PLUS), ID); }, "<AST>: expecting ID, found '+'"},
        {[&] { p.matchNot(node("+", PLUS), PLUS); }, notPlus},
        {[&] { p.match(node("a", ID), setOf({PLUS, STAR})); }, "<AST>: expecting one of ( PLUS STAR), found 'a'"},
        {[&] { p.match(nullAST, setOf({ID})); }, "<AST>: expecting one of ( ID), found '<empty tree>'"},
        {[&] { p.match(null, setOf({3})); }, "<AST>: expecting one of ( NULL_TREE_LOOKAHEAD), found '<ASTNULL>'"},
        {[&] { p.match(positioned("a", ID), PLUS); }, "<AST>:2:10: expecting PLUS, found 'a'"},
        {[&] { named.match(positioned("a", ID), PLUS); }, "t.calc:2:10: expecting PLUS, found 'a'"},
        {[&] { named.matchNot(node("+", PLUS), PLUS); }, "t.calc: expecting anything but PLUS; got it anyway"},
        {[&] { named.match(nullAST, setOf({ID})); }, "t.calc: expecting one of ( ID), found '<empty tree>'"},
    };
    for (const auto& [run, error] : cases) {
        SCOPED_TRACE(error ? error : "match");
        if (error)
            EXPECT_THROW_TEXT(run(), MismatchedTokenException, error);
        else
            EXPECT_NO_THROW(run());
    }
}

TEST(TreeParser, ReportsNeverShowAFileNameAndTracesShowTheNodeAndGuessing)
{
    NamedTreeParser parser;
    const NamedTreeParser sharing(parser.inputState);
    ASTRefCount<AST> plus = node("+", PLUS);
    plus->addChild(node("a", ID));
    CaptureStream err(std::cerr);
    CaptureStream out(std::cout);
    parser.reportError("bad tree");
    parser.reportWarning("odd tree");
    parser.reportError(MismatchedTokenException(tokenNames, numTokens, nullAST, ID, false));
    parser.traceIn("expr", plus);
    parser.traceIn("atom", nullAST);
    sharing.inputState->guessing = 1;
    parser.traceOut("atom", TreeParser::ASTNULL);
    parser.inputState->guessing = 0;
    parser.traceOut("expr", plus);
    parser.traceOut("r", nullAST);
    parser.traceOut("r", nullAST);
    parser.traceIn("s", nullAST);
    EXPECT_EQ(-1, parser.traceDepth);
    EXPECT_EQ("error: bad tree\nwarning: odd tree\n<AST>: expecting ID, found '<empty tree>'\n", err.text());
    parser.reportSyntaxError(MismatchedTokenException(tokenNames, numTokens, nullAST, ID, false));
    EXPECT_EQ(1, parser.getNumberOfSyntaxErrors());
    EXPECT_EQ("| > expr(+)\n"
              "|  > atom(null)\n"
              "|  < atom(<ASTNULL>) [guessing]\n"
              "| < expr(+)\n"
              "|< r(null)\n"
              "|< r(null)\n"
              "|> s(null)\n",
              out.text());
    EXPECT_EQ(0, NamedTreeParser().inputState->guessing);
}

}
