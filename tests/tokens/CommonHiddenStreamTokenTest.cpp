#include <orvel/CommonHiddenStreamToken.hpp>
#include <orvel/Token.hpp>

#include <gtest/gtest.h>

#include "support/TokenProbes.hpp"

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

using orvel::CommonHiddenStreamToken;
using orvel::Token;
using orvel::TokenRefCount;
using orvel::test::ProbeToken;

namespace {

class CommonHiddenStreamTokenTest : public ::testing::Test {
protected:
    std::vector<int> deaths;
};

TEST_F(CommonHiddenStreamTokenTest, ConstructorsMatchCommonTokenWithNoLinks)
{
    const CommonHiddenStreamToken plain;
    const CommonHiddenStreamToken typed(5, "id");
    const CommonHiddenStreamToken texted(std::string("ws"));
    EXPECT_EQ("[\"\",<0>,line=1,column=1]", plain.toString());
    EXPECT_EQ("[\"id\",<5>,line=1,column=1]", typed.toString());
    EXPECT_EQ("[\"ws\",<0>,line=1,column=1]", texted.toString());
    EXPECT_FALSE(static_cast<bool>(plain.getHiddenBefore()));
    EXPECT_FALSE(static_cast<bool>(typed.getHiddenAfter()));
}

TEST_F(CommonHiddenStreamTokenTest, LinksKeepTheirNeighboursAliveAndAreNotPrinted)
{
    auto* before = new ProbeToken(2, deaths);
    auto* after = new ProbeToken(3, deaths);
    TokenRefCount<Token> token(new ProbeToken(1, deaths));
    auto* hidden = static_cast<CommonHiddenStreamToken*>(token.get());
    hidden->setHiddenBefore(before);
    hidden->setHiddenAfter(after);

    EXPECT_EQ(before, hidden->getHiddenBefore().get());
    EXPECT_EQ(after, hidden->getHiddenAfter().get());
    EXPECT_EQ(1u, before->shares());
    EXPECT_EQ("[\"probe\",<1>,line=1,column=1]", token->toString());
    hidden->setHiddenAfter(orvel::nullToken);
    EXPECT_EQ(std::vector<int>{3}, deaths);
}

TEST_F(CommonHiddenStreamTokenTest, RelinkingTheSameNeighbourLeavesItsCountUnchanged)
{
    auto* neighbour = new ProbeToken(2, deaths);
    CommonHiddenStreamToken token;
    token.setHiddenBefore(neighbour);
    token.setHiddenBefore(token.getHiddenBefore());
    token.setHiddenBefore(neighbour);
    EXPECT_EQ(1u, neighbour->shares());
    EXPECT_TRUE(deaths.empty());
}

TEST_F(CommonHiddenStreamTokenTest, FactoryMakesADefaultHiddenStreamToken)
{
    TokenRefCount<Token> made = CommonHiddenStreamToken::factory();
    auto* hidden = dynamic_cast<CommonHiddenStreamToken*>(made.get());
    ASSERT_NE(nullptr, hidden);
    EXPECT_EQ("[\"\",<0>,line=1,column=1]", made->toString());
    EXPECT_FALSE(static_cast<bool>(hidden->getHiddenAfter()));
}

// Tokens die in the order a recursive release starts them: the token, then
// its hidden-after chain to the end, then its hidden-before chain.
TEST_F(CommonHiddenStreamTokenTest, DroppingAChainReleasesAfterLinksDepthFirstThenBeforeLinks)
{
    auto* a1 = new ProbeToken(11, deaths);
    auto* a2 = new ProbeToken(12, deaths);
    auto* b1 = new ProbeToken(21, deaths);
    TokenRefCount<Token> root(new ProbeToken(1, deaths));
    static_cast<ProbeToken*>(root.get())->setHiddenAfter(a1);
    static_cast<ProbeToken*>(root.get())->setHiddenBefore(b1);
    a1->setHiddenAfter(a2);
    a1->setHiddenBefore(new ProbeToken(13, deaths));
    b1->setHiddenAfter(new ProbeToken(22, deaths));

    root = nullptr;

    EXPECT_EQ((std::vector<int>{1, 11, 12, 13, 21, 22}), deaths);
}

TEST_F(CommonHiddenStreamTokenTest, DroppingAMillionLongHiddenAfterChainUsesConstantStack)
{
    constexpr int length = 1000000;
    TokenRefCount<Token> head(new ProbeToken(0, deaths));
    auto* tail = static_cast<ProbeToken*>(head.get());
    for (int id = 1; id < length; ++id) {
        auto* next = new ProbeToken(id, deaths);
        tail->setHiddenAfter(next);
        tail = next;
    }
    deaths.reserve(length);

    head = nullptr;

    ASSERT_EQ(static_cast<std::size_t>(length), deaths.size());
    EXPECT_TRUE(std::is_sorted(deaths.begin(), deaths.end()));
}

}
