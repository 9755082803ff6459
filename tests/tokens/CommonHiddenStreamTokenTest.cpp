#include <orvel/CommonHiddenStreamToken.hpp>

#include <gtest/gtest.h>

#include "support/TokenProbes.hpp"

#include <algorithm>
#include <cstddef>

using orvel::CommonHiddenStreamToken;
using orvel::TokenRefCount;
using orvel::test::ProbeToken;

namespace {

ProbeToken* probe(const TokenRefCount<orvel::Token>& t) { return static_cast<ProbeToken*>(t.get()); }

TEST(CommonHiddenStreamToken, ConstructorsAndFactoryMatchCommonTokenWithNoLinks)
{
    const TokenRefCount<orvel::Token> made[] = {CommonHiddenStreamToken::factory(),
                                                new CommonHiddenStreamToken(5, "id"),
                                                new CommonHiddenStreamToken(std::string("ws"))};
    const char* renderings[] = {"[\"\",<0>,line=1,column=1]", "[\"id\",<5>,line=1,column=1]",
                                "[\"ws\",<0>,line=1,column=1]"};
    for (int i = 0; i < 3; ++i) {
        auto* hidden = dynamic_cast<CommonHiddenStreamToken*>(made[i].get());
        ASSERT_NE(nullptr, hidden);
        EXPECT_EQ(renderings[i], hidden->toString());
        EXPECT_FALSE(hidden->getHiddenBefore() || hidden->getHiddenAfter());
    }
}

TEST(CommonHiddenStreamToken, LinksKeepTheirNeighboursAliveOnceAndAreNotPrinted)
{
    std::vector<int> deaths;
    auto* before = new ProbeToken(2, deaths);
    auto* after = new ProbeToken(3, deaths);
    TokenRefCount<orvel::Token> token(new ProbeToken(1, deaths));
    probe(token)->setHiddenBefore(before);
    probe(token)->setHiddenAfter(after);
    probe(token)->setHiddenBefore(probe(token)->getHiddenBefore());
    probe(token)->setHiddenBefore(before);

    EXPECT_EQ(before, probe(token)->getHiddenBefore().get());
    EXPECT_EQ(after, probe(token)->getHiddenAfter().get());
    EXPECT_EQ(1u, before->shares());
    EXPECT_EQ("[\"probe\",<1>,line=1,column=1]", token->toString());
    probe(token)->setHiddenAfter(orvel::nullToken);
    EXPECT_EQ(std::vector<int>{3}, deaths);
}

// Tokens die in the order a recursive release starts them: the token, then
// its hidden-after chain to the end, then its hidden-before chain.
TEST(CommonHiddenStreamToken, DroppingAChainReleasesAfterLinksDepthFirstThenBeforeLinks)
{
    std::vector<int> deaths;
    auto* a1 = new ProbeToken(11, deaths);
    auto* b1 = new ProbeToken(21, deaths);
    TokenRefCount<orvel::Token> root(new ProbeToken(1, deaths));
    probe(root)->setHiddenAfter(a1);
    probe(root)->setHiddenBefore(b1);
    a1->setHiddenAfter(new ProbeToken(12, deaths));
    a1->setHiddenBefore(new ProbeToken(13, deaths));
    b1->setHiddenAfter(new ProbeToken(22, deaths));

    root = nullptr;
    EXPECT_EQ((std::vector<int>{1, 11, 12, 13, 21, 22}), deaths);
}

TEST(CommonHiddenStreamToken, DroppingAMillionLongHiddenAfterChainUsesConstantStack)
{
    constexpr int length = 1000000;
    std::vector<int> deaths;
    deaths.reserve(length);
    TokenRefCount<orvel::Token> head(new ProbeToken(0, deaths));
    ProbeToken* tail = probe(head);
    for (int id = 1; id < length; ++id) {
        auto* next = new ProbeToken(id, deaths);
        tail->setHiddenAfter(next);
        tail = next;
    }

    head = nullptr;
    ASSERT_EQ(static_cast<std::size_t>(length), deaths.size());
    EXPECT_TRUE(std::is_sorted(deaths.begin(), deaths.end()));
}

}

namespace {

// Tokens linked to the next and back hold each other alive. Such a run lives
// while anything outside it holds one of its tokens, and is freed as soon as
// nothing does, whatever its length.
TEST(CommonHiddenStreamToken, ARunLinkedBothWaysIsFreedOnceNothingOutsideHoldsIt)
{
    constexpr int length = 1000000;
    std::vector<int> deaths;
    deaths.reserve(length);
    std::vector<TokenRefCount<orvel::Token>> run;
    for (int id = 0; id < length; ++id) {
        run.emplace_back(new ProbeToken(id, deaths));
        if (id > 0) {
            probe(run[id - 1])->setHiddenAfter(run[id]);
            probe(run[id])->setHiddenBefore(run[id - 1]);
        }
    }
    TokenRefCount<orvel::Token> middle = run[length / 2];
    run.clear();
    EXPECT_TRUE(deaths.empty());

    TokenRefCount<orvel::Token> first = middle;
    while (probe(first)->getHiddenBefore())
        first = probe(first)->getHiddenBefore();
    EXPECT_EQ(0, first->getType());
    first = nullptr;

    middle = nullptr;
    EXPECT_EQ(static_cast<std::size_t>(length), deaths.size());
}

}
