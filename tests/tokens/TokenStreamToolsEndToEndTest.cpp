#include <orvel/ASTFactory.hpp>
#include <orvel/ASTPair.hpp>
#include <orvel/CharBuffer.hpp>
#include <orvel/CharScanner.hpp>
#include <orvel/CommonASTWithHiddenTokens.hpp>
#include <orvel/CommonHiddenStreamToken.hpp>
#include <orvel/LLkParser.hpp>
#include <orvel/NoViableAltException.hpp>
#include <orvel/NoViableAltForCharException.hpp>
#include <orvel/TokenStreamHiddenTokenFilter.hpp>
#include <orvel/TokenStreamRewriteEngine.hpp>
#include <orvel/TokenWithIndex.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace orvel;

enum : int { ID = Token::MIN_USER_TYPE, INT, ASSIGN, PLUS, STAR, SEMI, WS, COMMENT };

constexpr const char* tokenNames[] = {"<0>", "EOF", "<2>", "NULL_TREE_LOOKAHEAD", "ID", "INT",
                                      "'='", "'+'", "'*'", "';'",                 "WS", "COMMENT"};

const std::string source = "/* sizes\n"
                           "   of the box */\n"
                           "// in pixels\n"
                           "x = 3; // x is the width\n"
                           "y = x * 2 /* double x */ + 1;\n"
                           "\txx = y+x ;\n"
                           "// end\n";

// A lexer that keeps white space and comments ("// ..." up to the end of the
// line, "/* ... */") as tokens of their own types.
class KeepingLexer : public CharScanner {
public:
    explicit KeepingLexer(std::istream& in) : CharScanner(new CharBuffer(in), true) {}

    bool getLiteralsCaseSensitive() const override { return true; }

    TokenRefCount<Token> nextToken() override
    {
        static const std::string singles = "=+*;"; // ASSIGN, PLUS, STAR, SEMI
        resetText();
        const int c = LA(1);
        const auto single = singles.find(static_cast<char>(c));
        int ttype = ID;
        if (c == EOF_CHAR)
            return makeToken(Token::EOF_TYPE);
        if (c == ' ' || c == '\t' || c == '\n')
            ttype = mWS();
        else if (c == '/')
            ttype = mCOMMENT();
        else if (c >= '0' && c <= '9')
            ttype = mWORD('0', '9', INT);
        else if (c >= 'a' && c <= 'z')
            ttype = mWORD('a', 'z', ID);
        else if (single == std::string::npos)
            throw NoViableAltForCharException(c, getFilename(), getLine(), getColumn());
        else {
            match(c);
            ttype = ASSIGN + static_cast<int>(single);
        }
        tokenObject = makeToken(ttype);
        tokenObject->setText(getText());
        return tokenObject;
    }

private:
    // Matches the line end when there is one, and counts it.
    bool mNEWLINE()
    {
        if (LA(1) != '\n')
            return false;
        match('\n');
        newline();
        return true;
    }

    int mWS()
    {
        do {
            if (!mNEWLINE())
                consume();
        } while (LA(1) == ' ' || LA(1) == '\t' || LA(1) == '\n');
        return WS;
    }

    int mCOMMENT()
    {
        match('/');
        if (LA(1) == '/') {
            while (LA(1) != '\n' && LA(1) != EOF_CHAR)
                consume();
            return COMMENT;
        }
        match('*');
        while (!(LA(1) == '*' && LA(2) == '/')) {
            if (!mNEWLINE())
                matchNot(EOF_CHAR);
        }
        match("*/");
        return COMMENT;
    }

    // One or more characters from `first` to `last`.
    int mWORD(int first, int last, int ttype)
    {
        do
            matchRange(first, last);
        while (LA(1) >= first && LA(1) <= last);
        return ttype;
    }
};

// program : (statement ";")* EOF! ;   statement : ID "="^ expr ;
// expr : atom (("+"^ | "*"^) atom)* ;   atom : ID | INT ;   (one precedence level)
// The ";" nodes stay in the tree, so the comments after them stay reachable.
class StatementParser : public LLkParser {
public:
    StatementParser(TokenStream& input, ASTFactory& factory) : LLkParser(input, 1) { setASTFactory(&factory); }

    ASTRefCount<AST> getAST() override { return returnAST; }
    const char* getTokenName(int num) const override { return tokenNames[num]; }
    const char* const* getTokenNames() const override { return tokenNames; }
    int getNumTokens() const override { return COMMENT + 1; }

    void program()
    {
        ASTPair currentAST;
        while (LA(1) == ID) {
            statement();
            astFactory->addASTChild(currentAST, returnAST);
            astFactory->addASTChild(currentAST, astFactory->create(LT(1)));
            match(SEMI);
        }
        match(Token::EOF_TYPE);
        returnAST = currentAST.root;
    }

private:
    void statement()
    {
        ASTPair currentAST;
        astFactory->addASTChild(currentAST, astFactory->create(LT(1)));
        match(ID);
        astFactory->makeASTRoot(currentAST, astFactory->create(LT(1)));
        match(ASSIGN);
        expr();
        astFactory->addASTChild(currentAST, returnAST);
        returnAST = currentAST.root;
    }

    void expr()
    {
        ASTPair currentAST;
        atom(currentAST);
        while (LA(1) == PLUS || LA(1) == STAR) {
            astFactory->makeASTRoot(currentAST, astFactory->create(LT(1)));
            consume();
            atom(currentAST);
        }
        returnAST = currentAST.root;
    }

    void atom(ASTPair& currentAST)
    {
        if (LA(1) != ID && LA(1) != INT)
            throw NoViableAltException(LT(1), getFilename());
        astFactory->addASTChild(currentAST, astFactory->create(LT(1)));
        consume();
    }

    ASTRefCount<AST> returnAST;
};

CommonHiddenStreamToken* links(const TokenRefCount<Token>& t) { return static_cast<CommonHiddenStreamToken*>(t.get()); }

// Adds every hidden token reachable from `t`, its siblings and their
// descendants: back along the hidden-before chains, on along the hidden-after
// ones. Each token is added once.
void collectHidden(ASTRefCount<AST> t, std::vector<TokenRefCount<Token>>& found)
{
    const auto add = [&found](const TokenRefCount<Token>& h) {
        if (std::find(found.begin(), found.end(), h) == found.end())
            found.push_back(h);
    };
    for (; t; t = t->getNextSibling()) {
        const auto* node = dynamic_cast<const CommonASTWithHiddenTokens*>(t.get());
        ASSERT_NE(node, nullptr) << t->getText();
        for (TokenRefCount<Token> h = node->getHiddenBefore(); h; h = links(h)->getHiddenBefore())
            add(h);
        for (TokenRefCount<Token> h = node->getHiddenAfter(); h; h = links(h)->getHiddenAfter())
            add(h);
        collectHidden(t->getFirstChild(), found);
    }
}

// The source parsed through a filter hiding white space and comments into a
// tree of CommonASTWithHiddenTokens.
struct HiddenParse {
    explicit HiddenParse(CharScanner::TokenObjectFactory tokenFactory) : in(source), lexer(in), filter(lexer)
    {
        lexer.setTokenObjectFactory(tokenFactory);
        filter.hide(WS);
        filter.hide(COMMENT);
        factory.setASTNodeFactory(CommonASTWithHiddenTokens::TYPE_NAME, CommonASTWithHiddenTokens::factory);
        StatementParser parser(filter, factory);
        parser.program();
        tree = parser.getAST();
    }
    std::vector<TokenRefCount<Token>> reachableHidden() const
    {
        std::vector<TokenRefCount<Token>> found;
        collectHidden(tree, found);
        return found;
    }

    std::istringstream in;
    KeepingLexer lexer;
    TokenStreamHiddenTokenFilter filter;
    ASTFactory factory;
    ASTRefCount<AST> tree;
};

// A hidden-stream token that counts the live ones.
class CountedHiddenToken : public CommonHiddenStreamToken {
public:
    CountedHiddenToken() { ++alive; }
    ~CountedHiddenToken() override { --alive; }
    static TokenRefCount<Token> factory() { return TokenRefCount<Token>(new CountedHiddenToken); }

    inline static int alive = 0;
};

TEST(TokenStreamToolsEndToEnd, EveryCommentIsReachableFromTheTreeThroughTheHiddenLinks)
{
    const HiddenParse run(CommonHiddenStreamToken::factory);
    std::vector<TokenRefCount<Token>> hidden = run.reachableHidden();
    std::sort(hidden.begin(), hidden.end(), [](const TokenRefCount<Token>& a, const TokenRefCount<Token>& b) {
        return std::make_pair(a->getLine(), a->getColumn()) < std::make_pair(b->getLine(), b->getColumn());
    });
    std::vector<std::string> comments;
    for (const auto& t : hidden)
        if (t->getType() == COMMENT)
            comments.push_back(t->getText());

    EXPECT_EQ(comments, (std::vector<std::string>{"/* sizes\n   of the box */", "// in pixels",
                                                  "// x is the width", "/* double x */", "// end"}));
}

TEST(TokenStreamToolsEndToEnd, LeadingHiddenTokensRunFromTheInitialHiddenTokenToTheFirstIdentifier)
{
    const HiddenParse run(CommonHiddenStreamToken::factory);
    std::string leading;
    for (TokenRefCount<Token> h = run.filter.getInitialHiddenToken(); h; h = links(h)->getHiddenAfter())
        leading += h->getText();
    EXPECT_EQ(leading, "/* sizes\n   of the box */\n// in pixels\n");

    const auto* first = dynamic_cast<const CommonASTWithHiddenTokens*>(run.tree->getFirstChild().get());
    ASSERT_NE(first, nullptr);
    ASSERT_EQ(first->getText(), "x");
    TokenRefCount<Token> back = first->getHiddenBefore();
    while (links(back)->getHiddenBefore())
        back = links(back)->getHiddenBefore();
    EXPECT_TRUE(back == run.filter.getInitialHiddenToken());
}

TEST(TokenStreamToolsEndToEnd, DroppingTheTreeFreesEveryTokenWithTheRunsOfHiddenTokens)
{
    {
        const HiddenParse run(CountedHiddenToken::factory);
        EXPECT_GT(CountedHiddenToken::alive, 0);
    }
    EXPECT_EQ(CountedHiddenToken::alive, 0);
}

TEST(TokenStreamToolsEndToEnd, RenamingIdentifiersKeepsCommentsAndLayoutByteForByte)
{
    std::istringstream in(source);
    KeepingLexer lexer(in);
    lexer.setTokenObjectFactory(TokenWithIndex::factory);
    TokenStreamRewriteEngine engine(lexer);
    engine.discard(WS);
    engine.discard(COMMENT);
    ASTFactory factory;
    StatementParser parser(engine, factory);
    parser.program();

    for (unsigned long i = 0; i < engine.size(); ++i) {
        const TokenRefCount<TokenWithIndex> t = engine.getToken(i);
        if (t->getType() == ID && t->getText() == "x")
            engine.replace(t->getIndex(), "width");
    }

    EXPECT_EQ(engine.toString(), "/* sizes\n"
                                 "   of the box */\n"
                                 "// in pixels\n"
                                 "width = 3; // x is the width\n"
                                 "y = width * 2 /* double x */ + 1;\n"
                                 "\txx = y+width ;\n"
                                 "// end\n");
    EXPECT_EQ(engine.toOriginalString(), source);
}

}
