#include <orvel/ASTFactory.hpp>
#include <orvel/CommonASTWithHiddenTokens.hpp>
#include <orvel/LLkParser.hpp>
#include <orvel/TokenStreamHiddenTokenFilter.hpp>
#include <orvel/TokenStreamRewriteEngine.hpp>
#include <orvel/TokenWithIndex.hpp>

#include "support/SampleLexer.hpp"
#include "support/Streams.hpp"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using namespace orvel;
using test::hidden;

const std::string source = "/* sizes\n   of the box */\n"
                           "x 3; /* x is the width */\n"
                           "y x 2.5 /* double x */ \"x\";\n"
                           "\txx y/x ;\n"
                           "/* end */\n";

// program : (any token)* EOF ; every token becomes a node of one flat list.
class ListParser : public LLkParser {
public:
    ListParser(TokenStream& input, ASTFactory& factory) : LLkParser(input, 1) { setASTFactory(&factory); }

    ASTRefCount<AST> getAST() override { return tree; }
    const char* getTokenName(int) const override { return "?"; }
    const char* const* getTokenNames() const override { return nullptr; }
    int getNumTokens() const override { return 0; }

    void program()
    {
        ASTPair list;
        while (LA(1) != Token::EOF_TYPE) {
            astFactory->addASTChild(list, astFactory->create(LT(1)));
            consume();
        }
        match(Token::EOF_TYPE);
        tree = list.root;
    }

private:
    ASTRefCount<AST> tree;
};

// The source parsed through a filter hiding white space and comments into a
// list of CommonASTWithHiddenTokens.
struct HiddenParse {
    explicit HiddenParse(CharScanner::TokenObjectFactory tokens) : in(source), lexer(in, true, true, true), filter(lexer)
    {
        lexer.setTokenObjectFactory(tokens);
        filter.hide(test::WS);
        filter.hide(test::COMMENT);
        factory.setASTNodeFactory(CommonASTWithHiddenTokens::TYPE_NAME, CommonASTWithHiddenTokens::factory);
        ListParser parser(filter, factory);
        parser.program();
        tree = parser.getAST();
    }

    std::istringstream in;
    test::SampleLexer lexer;
    TokenStreamHiddenTokenFilter filter;
    ASTFactory factory;
    ASTRefCount<AST> tree;
};

// The texts of `t` and of the hidden tokens after it.
std::string withHiddenAfter(TokenRefCount<Token> t)
{
    std::string text;
    for (; t; t = hidden(t)->getHiddenAfter())
        text += t->getText();
    return text;
}

TEST(TokenStreamToolsEndToEnd, TheTreeReachesEveryHiddenTokenSoTheSourceCanBeRebuiltFromIt)
{
    const HiddenParse run(CommonHiddenStreamToken::factory);
    std::string rebuilt = withHiddenAfter(run.filter.getInitialHiddenToken());
    for (ASTRefCount<AST> n = run.tree; n; n = n->getNextSibling()) {
        const auto* node = dynamic_cast<const CommonASTWithHiddenTokens*>(n.get());
        ASSERT_NE(nullptr, node);
        rebuilt += node->getText() + withHiddenAfter(node->getHiddenAfter());
    }
    EXPECT_EQ(source, rebuilt);

    const auto* first = dynamic_cast<const CommonASTWithHiddenTokens*>(run.tree.get());
    TokenRefCount<Token> back = first->getHiddenBefore();
    while (hidden(back)->getHiddenBefore())
        back = hidden(back)->getHiddenBefore();
    EXPECT_TRUE(back == run.filter.getInitialHiddenToken());
}

// A hidden-stream token that counts the live ones.
struct LiveToken : CommonHiddenStreamToken {
    LiveToken() { ++alive; }
    ~LiveToken() override { --alive; }
    static TokenRefCount<Token> factory() { return new LiveToken; }
    static inline int alive = 0;
};

TEST(TokenStreamToolsEndToEnd, DroppingTheTreeFreesEveryTokenWithTheRunsOfHiddenTokens)
{
    {
        const HiddenParse run(LiveToken::factory);
        EXPECT_GT(LiveToken::alive, 10);
    }
    EXPECT_EQ(0, LiveToken::alive);
}

TEST(TokenStreamToolsEndToEnd, RenamingIdentifiersKeepsCommentsAndLayoutByteForByte)
{
    std::istringstream in(source);
    test::SampleLexer lexer(in, true, true, true);
    lexer.setTokenObjectFactory(TokenWithIndex::factory);
    TokenStreamRewriteEngine engine(lexer);
    engine.discard(test::WS);
    engine.discard(test::COMMENT);
    ASTFactory factory;
    ListParser parser(engine, factory);
    parser.program();
    for (unsigned long i = 0; i < engine.size(); ++i) {
        const TokenRefCount<TokenWithIndex> t = engine.getToken(i);
        if (t->getType() == test::ID && t->getText() == "x")
            engine.replace(t->getIndex(), "width");
    }
    EXPECT_EQ("/* sizes\n   of the box */\n"
              "width 3; /* x is the width */\n"
              "y width 2.5 /* double x */ \"x\";\n"
              "\txx y/width ;\n"
              "/* end */\n",
              engine.toString());
    EXPECT_EQ(source, engine.toOriginalString());
}

}
