#include <orvel/ASTPair.hpp>

#include <gtest/gtest.h>

#include "support/TreeNodes.hpp"

using namespace orvel;

TEST(ASTPair, AdvanceMovesTheChildToTheLastOfItsSiblingsAndLeavesEmptyAlone)
{
    ASTPair pair;
    pair.advanceChildToEnd();
    EXPECT_FALSE(pair.root || pair.child);
    pair.child = test::fromText(" a ( b c ) d");
    pair.advanceChildToEnd();
    EXPECT_EQ("d", pair.child->getText());
    EXPECT_FALSE(pair.root);
}
