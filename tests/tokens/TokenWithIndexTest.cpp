#include <orvel/Token.hpp>
#include <orvel/TokenWithIndex.hpp>

#include <gtest/gtest.h>

#include <climits>
#include <string>

using orvel::Token;
using orvel::TokenRefCount;
using orvel::TokenWithIndex;

namespace {

TEST(TokenWithIndex, ConstructorsMatchCommonTokenWithIndexZero)
{
    const TokenWithIndex plain;
    const TokenWithIndex typed(5, "id");
    const TokenWithIndex texted(std::string("ws"));
    EXPECT_EQ("[\"\",<0>,line=1,column=1]", plain.toString());
    EXPECT_EQ("[\"id\",<5>,line=1,column=1]", typed.toString());
    EXPECT_EQ("[\"ws\",<0>,line=1,column=1]", texted.toString());
    EXPECT_EQ(0ul, plain.getIndex());
    EXPECT_EQ(0ul, typed.getIndex());
    EXPECT_EQ(0ul, texted.getIndex());
}

TEST(TokenWithIndex, IndexIsSetThroughAHandleOfTheDerivedType)
{
    TokenRefCount<Token> made = TokenWithIndex::factory();
    TokenRefCount<TokenWithIndex> indexed(made);
    indexed->setIndex(ULONG_MAX);
    made = nullptr;
    EXPECT_EQ(ULONG_MAX, indexed->getIndex());
    EXPECT_EQ("[\"\",<0>,line=1,column=1]", indexed->toString());
}

}
