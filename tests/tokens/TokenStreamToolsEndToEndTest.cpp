#include <orvel/ASTFactory.hpp>
#include <orvel/CommonASTWithHiddenTokens.hpp>
#include <orvel/LLkParser.hpp>
#include <orvel/TokenStreamHiddenTokenFilter.hpp>
#include <orvel/TokenStreamRewriteEngine.hpp>
#include <orvel/TokenWithIndex.hpp>

#include "support/SampleLexer.hpp"
#include "support/Fixtures.hpp"

#include <sstream>

namespace {

using namespace orvel;
using test::hidden;

const std::string source = "/* sizes\n   of the box */\n"
                           "x 3; /* x is the width */\n"
                           "y x 2.5 /* double x */ \"x\";\n"
                           "\txx y/x ;\n"
                           "/* end */\n";

// program : (any token)* ; every token becomes a node of one flat list.
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
        tree = list.root;
    }

private:
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

// A hidden-stream token that counts the live ones.
struct LiveToken : CommonHiddenStreamToken {
    LiveToken() { ++alive; }
    ~LiveToken() override { --alive; }
    static TokenRefCount<Token> factory() { return new LiveToken; }
    static inline int alive = 0;
};

// Dropping the tree then frees every token, the runs of hidden tokens included.
TEST(TokenStreamToolsEndToEnd, TheTreeReachesEveryHiddenTokenSoTheSourceCanBeRebuiltFromIt)
{
    {
        std::istringstream in(source);
        sample::SampleLexer lexer(in, true);
        lexer.setTokenObjectFactory(LiveToken::factory);
        TokenStreamHiddenTokenFilter filter(lexer);
        filter.hide(sample::WS);
        filter.hide(sample::COMMENT);
        ASTFactory factory;
        factory.setASTNodeFactory(CommonASTWithHiddenTokens::TYPE_NAME, CommonASTWithHiddenTokens::factory);
        ListParser parser(filter, factory);
        parser.program();
        std::string rebuilt = withHiddenAfter(filter.getInitialHiddenToken());
        for (ASTRefCount<AST> n = parser.getAST(); n; n = n->getNextSibling()) {
            const auto* node = dynamic_cast<const CommonASTWithHiddenTokens*>(n.get());
            ASSERT_NE(nullptr, node);
            rebuilt += node->getText() + withHiddenAfter(node->getHiddenAfter());
        }
        EXPECT_EQ(source, rebuilt);
        TokenRefCount<Token> back = static_cast<CommonASTWithHiddenTokens*>(parser.getAST().get())->getHiddenBefore();
        while (hidden(back)->getHiddenBefore())
            back = hidden(back)->getHiddenBefore();
        EXPECT_TRUE(back == filter.getInitialHiddenToken());
    }
    EXPECT_EQ(0, LiveToken::alive);
}

TEST(TokenStreamToolsEndToEnd, RenamingIdentifiersKeepsCommentsAndLayoutByteForByte)
{
    std::istringstream in(source);
    sample::SampleLexer lexer(in, true);
    lexer.setTokenObjectFactory(TokenWithIndex::factory);
    TokenStreamRewriteEngine engine(lexer);
    engine.discard(sample::WS);
    engine.discard(sample::COMMENT);
    ASTFactory factory;
    ListParser parser(engine, factory);
    parser.program();
    for (unsigned long i = 0; i < engine.size(); ++i) {
        const TokenRefCount<TokenWithIndex> t = engine.getToken(i);
        if (t->getType() == sample::ID && t->getText() == "x")
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
