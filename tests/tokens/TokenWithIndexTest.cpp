#include <orvel/TokenWithIndex.hpp>

#include <gtest/gtest.h>

#include <climits>

using orvel::TokenWithIndex;

namespace {

TEST(TokenWithIndex, ConstructorsMatchCommonTokenWithIndexZero)
{
    const TokenWithIndex made[] = {TokenWithIndex(), TokenWithIndex(5, "id"), TokenWithIndex(std::string("ws"))};
    const char* renderings[] = {"[\"\",<0>,line=1,column=1]", "[\"id\",<5>,line=1,column=1]",
                                "[\"ws\",<0>,line=1,column=1]"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(renderings[i], made[i].toString());
        EXPECT_EQ(0ul, made[i].getIndex());
    }
}

TEST(TokenWithIndex, FactoryTokenKeepsTheIndexSetThroughAHandleOfTheDerivedType)
{
    orvel::TokenRefCount<orvel::Token> made = TokenWithIndex::factory();
    orvel::TokenRefCount<TokenWithIndex> indexed(made);
    indexed->setIndex(ULONG_MAX);
    made = nullptr;
    EXPECT_EQ(ULONG_MAX, indexed->getIndex());
    EXPECT_EQ("[\"\",<0>,line=1,column=1]", indexed->toString());
}

}
