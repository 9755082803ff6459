#include <orvel/CommonHiddenStreamToken.hpp>
#include <orvel/Token.hpp>
#include <orvel/TokenRefCount.hpp>

#include <gtest/gtest.h>

#include "support/TokenProbes.hpp"

#include <memory>
#include <utility>
#include <vector>

using orvel::CommonHiddenStreamToken;
using orvel::Token;
using orvel::TokenRefCount;
using orvel::test::ProbeToken;

static_assert(sizeof(TokenRefCount<Token>) == sizeof(void*));
static_assert(sizeof(TokenRefCount<ProbeToken>) == sizeof(void*));

namespace {

class TokenRefCountTest : public ::testing::Test {
protected:
    std::vector<int> deaths;
};

TEST_F(TokenRefCountTest, EmptyHandleHoldsNoRecordAndYieldsNull)
{
    TokenRefCount<Token> empty;
    TokenRefCount<Token> fromNull(static_cast<Token*>(nullptr));
    TokenRefCount<Token> copy(empty);
    copy = fromNull;
    EXPECT_EQ(nullptr, empty.get());
    EXPECT_EQ(nullptr, copy.operator->());
    EXPECT_FALSE(static_cast<bool>(fromNull));
    EXPECT_EQ(nullptr, orvel::TokenRef::getRef(nullptr));
}

TEST_F(TokenRefCountTest, HandlesMadeSeparatelyFromOneRawPointerShareOneRecord)
{
    auto* raw = new ProbeToken(7, deaths);
    auto first = std::make_unique<TokenRefCount<Token>>(raw);
    const orvel::TokenRef* record = raw->record();
    auto second = std::make_unique<TokenRefCount<Token>>(raw);
    TokenRefCount<Token> third(raw);

    EXPECT_EQ(record, raw->record());
    EXPECT_EQ(3u, raw->shares());
    first.reset();
    second.reset();
    EXPECT_TRUE(deaths.empty());
    EXPECT_EQ(1u, raw->shares());
    third = nullptr;
    EXPECT_EQ(std::vector<int>{7}, deaths);
}

TEST_F(TokenRefCountTest, HandlesOfEveryElementTypeShareOneRecord)
{
    auto* raw = new ProbeToken(7, deaths);
    TokenRefCount<Token> base(raw);
    const orvel::TokenRef* record = raw->record();
    {
        TokenRefCount<CommonHiddenStreamToken> hidden(base);
        TokenRefCount<ProbeToken> probe(hidden);
        TokenRefCount<Token> back(probe);
        EXPECT_EQ(4u, raw->shares());
        EXPECT_EQ(record, raw->record());
        EXPECT_EQ(raw, probe.get());
        EXPECT_EQ(7, hidden->getType());
        EXPECT_TRUE(back == probe);
    }
    EXPECT_EQ(1u, raw->shares());
    EXPECT_TRUE(deaths.empty());
}

TEST_F(TokenRefCountTest, LastHandleDeletesThroughTheVirtualDestructor)
{
    TokenRefCount<Token> handle(new ProbeToken(7, deaths));
    TokenRefCount<Token> copy(handle);
    handle = nullptr;
    EXPECT_TRUE(deaths.empty());
    copy = new ProbeToken(8, deaths);
    EXPECT_EQ(std::vector<int>{7}, deaths);
}

TEST_F(TokenRefCountTest, AssigningTheSameRecordChangesNothing)
{
    auto* raw = new ProbeToken(7, deaths);
    TokenRefCount<Token> handle(raw);
    TokenRefCount<Token> other(handle);
    TokenRefCount<ProbeToken> derived(handle);
    const TokenRefCount<Token>& alias = handle;

    handle = alias;
    EXPECT_EQ(3u, raw->shares());
    handle = other;
    EXPECT_EQ(3u, raw->shares());
    handle = raw;
    EXPECT_EQ(3u, raw->shares());
    handle = derived.get();
    EXPECT_EQ(3u, raw->shares());
    handle = std::move(other);
    EXPECT_EQ(2u, raw->shares());
    TokenRefCount<ProbeToken> moved(std::move(derived));
    EXPECT_EQ(2u, raw->shares());
    EXPECT_FALSE(static_cast<bool>(derived));
    EXPECT_TRUE(deaths.empty());
    EXPECT_EQ(raw, handle.get());
}

TEST_F(TokenRefCountTest, ReplacingHandleByTokenReachableOnlyThroughItKeepsThatTokenAlive)
{
    for (bool byRawPointer : {false, true}) {
        deaths.clear();
        auto* outer = new ProbeToken(1, deaths);
        auto* inner = new ProbeToken(2, deaths);
        TokenRefCount<Token> handle(outer);
        outer->setHiddenAfter(inner);
        ASSERT_EQ(1u, inner->shares());

        if (byRawPointer)
            handle = inner;
        else
            handle = outer->afterLink();

        EXPECT_EQ(std::vector<int>{1}, deaths) << "by raw pointer: " << byRawPointer;
        EXPECT_EQ(1u, inner->shares());
        EXPECT_EQ(inner, handle.get());
    }
}

TEST_F(TokenRefCountTest, HandlesCompareEqualWhenTheyLeadToTheSameToken)
{
    auto* raw = new ProbeToken(7, deaths);
    TokenRefCount<Token> a(raw);
    TokenRefCount<ProbeToken> b(a);
    TokenRefCount<Token> other(new ProbeToken(8, deaths));
    TokenRefCount<CommonHiddenStreamToken> empty;

    EXPECT_TRUE(a == b);
    EXPECT_FALSE(a != b);
    EXPECT_TRUE(a != other);
    EXPECT_TRUE(empty == orvel::nullToken);
    EXPECT_TRUE(orvel::nullToken != a);
}

}
