#include <orvel/ASTFactory.hpp>
#include <orvel/CommonASTWithHiddenTokens.hpp>
#include <orvel/CommonHiddenStreamToken.hpp>
#include <orvel/TokenStreamBasicFilter.hpp>
#include <orvel/TokenStreamHiddenTokenFilter.hpp>
#include <orvel/TokenStreamRewriteEngine.hpp>
#include <orvel/TokenStreamSelector.hpp>

#include <gtest/gtest.h>

#include <deque>
#include <stdexcept>
#include <string>
#include <type_traits>

using namespace orvel;

namespace {

// A token that counts its making and its deletion.
struct Counted : CommonHiddenStreamToken {
    Counted(int type, int& alive) : CommonHiddenStreamToken(type, std::string(1, char('a' + type))), alive(alive)
    {
        ++alive;
    }
    ~Counted() override { --alive; }
    int& alive;
};

// Hands out one new token per type in `types` (0 throws instead), then end of
// input; keeps no handle to what it handed out.
struct TypeStream : TokenStream {
    TypeStream(std::deque<int> types, int& alive) : types(std::move(types)), alive(alive) {}
    TokenRefCount<Token> nextToken() override
    {
        const int type = types.empty() ? Token::EOF_TYPE : types.front();
        if (!types.empty())
            types.pop_front();
        if (type == 0)
            throw std::runtime_error("input failed");
        return new Counted(type, alive);
    }
    std::deque<int> types;
    int& alive;
};

}

TEST(HiddenRunLifetime, StackedFiltersFreeEveryRunOnceTheLastNodeGoes)
{
    // Inner filter hides 5, outer hides 6: the outer run of the two 6s keeps
    // a link into each inner run of 5s.
    int alive = 0;
    ASTRefCount<AST> node = CommonASTWithHiddenTokens::factory();
    {
        TypeStream input({4, 5, 5, 6, 6, 5, 5, 4}, alive);
        TokenStreamHiddenTokenFilter inner(input);
        inner.hide(5);
        TokenStreamHiddenTokenFilter outer(inner);
        outer.hide(6);
        EXPECT_EQ(4, outer.nextToken()->getType());
        node->initialize(outer.nextToken());
        EXPECT_EQ(6, static_cast<CommonASTWithHiddenTokens&>(*node).getHiddenBefore()->getType());
        EXPECT_EQ(Token::EOF_TYPE, outer.nextToken()->getType());
    }
    EXPECT_EQ(6, alive);
    node = nullAST;
    EXPECT_EQ(0, alive);
}

TEST(HiddenRunLifetime, AnExceptionFromTheInputLeavesTheFilterAsItWas)
{
    int alive = 0;
    {
        TypeStream input({4, 5, 0, 5, 5, 4}, alive);
        TokenStreamHiddenTokenFilter filter(input);
        filter.hide(5);
        EXPECT_THROW(filter.nextToken(), std::runtime_error);
        const TokenRefCount<Token> first = filter.nextToken();
        EXPECT_EQ("e", first->getText());
        const TokenRefCount<Token> hidden = filter.getHiddenAfter(first);
        EXPECT_EQ(5, hidden->getType());
        EXPECT_EQ(5, filter.getHiddenAfter(hidden)->getType());
        EXPECT_EQ(4, filter.nextToken()->getType());
        EXPECT_EQ(Token::EOF_TYPE, filter.nextToken()->getType());
    }
    EXPECT_EQ(0, alive);
}

TEST(HiddenRunLifetime, StreamToolsCannotBeCopiedAndAFilterGivenAFilterWrapsIt)
{
    static_assert(!std::is_copy_constructible_v<TokenStreamBasicFilter>);
    static_assert(!std::is_copy_constructible_v<TokenStreamHiddenTokenFilter>);
    static_assert(!std::is_copy_constructible_v<TokenStreamSelector>);
    static_assert(!std::is_copy_constructible_v<TokenStreamRewriteEngine>);
    static_assert(!std::is_copy_assignable_v<TokenStreamBasicFilter>);
    int alive = 0;
    TypeStream input({5, 6, 4}, alive);
    TokenStreamBasicFilter inner(input);
    TokenStreamBasicFilter outer(inner);
    inner.discard(5);
    outer.discard(6);
    EXPECT_EQ(4, outer.nextToken()->getType());
}
