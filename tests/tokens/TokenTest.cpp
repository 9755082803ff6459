#include <orvel/CommonHiddenStreamToken.hpp>
#include <orvel/TokenWithIndex.hpp>

#include "support/Fixtures.hpp"

#include <algorithm>
#include <climits>

namespace {

using namespace orvel;
using test::hidden;
using test::ProbeToken;

TEST(Token, RenderingsShowTextTypeAndForCommonTokensLineAndColumnButNeverTheFile)
{
    const TokenRefCount<Token> plain(new Token(INT_MIN));
    plain->setText("abc");
    plain->setLine(5);
    const TokenRefCount<Token> placed(new CommonToken(7, "say \"hi\"\n"));
    placed->setLine(-3);
    placed->setColumn(0);
    placed->setFilename("input.g");
    const std::pair<TokenRefCount<Token>, const char*> renderings[] = {
        {plain, "[\"<no text>\",<-2147483648>]"},
        {placed, "[\"say \"hi\"\n\",<7>,line=-3,column=0]"},
        {CommonToken::factory(), "[\"\",<0>,line=1,column=1]"},
        {CommonHiddenStreamToken::factory(), "[\"\",<0>,line=1,column=1]"},
        {new TokenWithIndex(5, "id"), "[\"id\",<5>,line=1,column=1]"},
    };
    for (const auto& [token, rendering] : renderings)
        EXPECT_EQ(rendering, token->toString());
    EXPECT_EQ(0, plain->getLine());
    EXPECT_EQ("", placed->getFilename());
}

// make() puts token and record in one block that is recycled with the text's
// storage; nothing of that shows: handles share, free and convert as ever.
TEST(CommonToken, MadeInOneBlockReadsAndSharesAsAnyOther)
{
    const std::string longText(300, 'x');
    for (const std::string& text : {longText, std::string("short"), longText}) {
        TokenRefCount<Token> made = CommonToken::make(6, text, 2, 3);
        const TokenRefCount<CommonToken> common(made);
        const TokenRefCount<Token> fromRaw(made.get());
        made = nullptr;
        EXPECT_EQ(text, common->getTextView());
        EXPECT_EQ("[\"" + text + "\",<6>,line=2,column=3]", fromRaw->toString());
    }
    EXPECT_EQ("<no text>", TokenRefCount<Token>(new Token(4))->getTextView());
}

// Builds `length` probe tokens 0, 1, ... each linked to the next, and back when `bothWays`; returns the first.
TokenRefCount<Token> chain(int length, bool bothWays, std::vector<int>& deaths)
{
    TokenRefCount<Token> first(new ProbeToken(0, deaths));
    TokenRefCount<Token> last = first;
    for (int id = 1; id < length; ++id) {
        TokenRefCount<Token> next(new ProbeToken(id, deaths));
        hidden(last)->setHiddenAfter(next);
        if (bothWays)
            hidden(next)->setHiddenBefore(last);
        last = next;
    }
    return first;
}

// A run linked both ways holds itself together: it lives while anything
// outside holds one of its tokens and is freed as soon as nothing does.
TEST(CommonHiddenStreamToken, AMillionLongChainOrRunIsFreedWithinTheDefaultStack)
{
    constexpr int length = 1000000;
    for (bool bothWays : {false, true}) {
        std::vector<int> deaths;
        deaths.reserve(length);
        TokenRefCount<Token> first = chain(length, bothWays, deaths);
        TokenRefCount<Token> middle = first;
        for (int i = 0; i < length / 2; ++i)
            middle = hidden(middle)->getHiddenAfter();
        first = nullptr;
        EXPECT_EQ(bothWays ? 0u : length / 2u, deaths.size());
        if (bothWays) {
            for (first = middle; hidden(first)->getHiddenBefore();)
                first = hidden(first)->getHiddenBefore();
            EXPECT_EQ(0, first->getType());
            first = nullptr;
        }
        middle = nullptr;
        ASSERT_EQ(static_cast<std::size_t>(length), deaths.size());
        EXPECT_TRUE(bothWays || std::is_sorted(deaths.begin(), deaths.end()));
    }
}

}
