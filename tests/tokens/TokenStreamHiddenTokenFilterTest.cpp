#include <orvel/BitSet.hpp>
#include <orvel/CommonHiddenStreamToken.hpp>
#include <orvel/CommonToken.hpp>
#include <orvel/TokenStreamException.hpp>
#include <orvel/TokenStreamHiddenTokenFilter.hpp>

#include "support/Expect.hpp"
#include "support/ScriptedTokenStream.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace orvel;
using test::streams::CountedToken;
using test::streams::ScriptedTokenStream;

constexpr int VISIBLE = 4;
constexpr int HIDDEN = 5;

CommonHiddenStreamToken* links(const TokenRefCount<Token>& t)
{
    return static_cast<CommonHiddenStreamToken*>(t.get());
}

std::string nameOf(const TokenRefCount<Token>& t) { return t ? t->getText() : "-"; }

// Named tokens: V visible, H hidden, D discarded, X both hidden and discarded
// (types 4 to 7), EOF end of file.
std::vector<TokenRefCount<Token>> tokensNamed(const std::string& names)
{
    std::vector<TokenRefCount<Token>> tokens;
    std::istringstream in(names);
    for (std::string name; in >> name;) {
        const int type = name == "EOF" ? Token::EOF_TYPE : 4 + static_cast<int>(std::string("VHDX").find(name[0]));
        tokens.emplace_back(new CommonHiddenStreamToken(type, name));
    }
    return tokens;
}

// A hiding filter over named tokens. On destruction it clears every back
// link, which frees the runs of hidden tokens.
struct FilterRun {
    explicit FilterRun(const std::string& names) : tokens(tokensNamed(names)), input(tokens), filter(input)
    {
        filter.hide(HIDDEN);
        filter.hide(7);
        filter.discard(6);
        filter.discard(7);
    }
    ~FilterRun()
    {
        for (const auto& t : tokens)
            links(t)->setHiddenBefore(nullToken);
    }

    // Returns the names of the next `count` tokens handed out.
    std::string handOut(int count)
    {
        std::string names;
        for (int i = 0; i < count; ++i)
            names += (i ? " " : "") + nameOf(filter.nextToken());
        return names;
    }
    // Returns "before/after" (the names of the hidden links) for every token.
    std::string allLinks() const
    {
        std::string text;
        for (const auto& t : tokens)
            text += (text.empty() ? "" : " ") + nameOf(links(t)->getHiddenBefore()) + "/"
                    + nameOf(links(t)->getHiddenAfter());
        return text;
    }

    std::vector<TokenRefCount<Token>> tokens;
    ScriptedTokenStream input;
    TokenStreamHiddenTokenFilter filter;
};

TEST(TokenStreamHiddenTokenFilter, LinksEachRunOfHiddenTokensToTheVisibleTokensAroundIt)
{
    struct Case {
        const char* input;
        int count;
        const char* handedOut;
        const char* initialHidden;
        const char* links;
    };
    const std::vector<Case> cases = {
        {"V1 H1 H2 D1 H3 V2 EOF", 3, "V1 V2 EOF", "-", "-/H1 -/H2 H1/H3 -/- H2/- H3/- -/-"},
        {"Ha Hb V1 EOF", 2, "V1 EOF", "Ha", "-/Hb Ha/- Hb/- -/-"},
        {"V1 V2 EOF", 3, "V1 V2 EOF", "-", "-/- -/- -/-"},
        {"H0 V1 H1 H2 V2 EOF", 3, "V1 V2 EOF", "H0", "-/- H0/H1 -/H2 H1/- H2/- -/-"},
        {"D1 H1 D2 H2 V1 EOF", 2, "V1 EOF", "H1", "-/- -/H2 -/- H1/- H2/- -/-"},
        {"X1 V1 X2 EOF", 2, "V1 EOF", "X1", "-/- X1/X2 -/- X2/-"},
        {"V1 D1 V2 EOF", 3, "V1 V2 EOF", "-", "-/- -/- -/- -/-"},
    };
    for (const Case& c : cases) {
        FilterRun run(c.input);
        EXPECT_EQ(c.handedOut, run.handOut(c.count)) << c.input;
        EXPECT_EQ(c.initialHidden, nameOf(run.filter.getInitialHiddenToken())) << c.input;
        EXPECT_EQ(c.links, run.allLinks()) << c.input;
    }
}

TEST(TokenStreamHiddenTokenFilter, ReadsAheadExactlyToTheNextVisibleToken)
{
    FilterRun run("H0 V1 H1 D1 V2 V3 EOF");
    EXPECT_FALSE(run.filter.LA(1));
    run.filter.nextToken();
    EXPECT_EQ(5u, run.input.callCount());
    run.filter.nextToken();
    EXPECT_EQ(6u, run.input.callCount());
    for (int i : {-1, 0, 1, 2})
        EXPECT_EQ("V3", nameOf(run.filter.LA(i))) << i;
}

TEST(TokenStreamHiddenTokenFilter, OverwritesTheBackLinkButKeepsTheForwardLinkOfAVisibleToken)
{
    FilterRun run("V1 V2 EOF");
    TokenRefCount<Token> earlier(new CommonHiddenStreamToken(HIDDEN, "E"));
    links(run.tokens[0])->setHiddenAfter(earlier);
    links(run.tokens[1])->setHiddenBefore(earlier);
    run.handOut(2);
    EXPECT_EQ("-/E -/- -/-", run.allLinks());
}

TEST(TokenStreamHiddenTokenFilter, EndOfFileStaysVisibleWhateverSetItIsIn)
{
    FilterRun run("V1 H1 EOF");
    run.filter.hide(Token::EOF_TYPE);
    run.filter.discard(Token::EOF_TYPE);
    EXPECT_EQ("V1 EOF", run.handOut(2));
    EXPECT_EQ("-/H1 -/- H1/-", run.allLinks());
    EXPECT_EQ(run.tokens[1], run.filter.getHiddenAfter(run.tokens[0]));
    EXPECT_EQ(run.tokens[1], run.filter.getHiddenBefore(run.tokens[2]));
}

TEST(TokenStreamHiddenTokenFilter, RejectsAnEmptyHandleOrATokenOfAnotherClass)
{
    ScriptedTokenStream empty({});
    TokenStreamHiddenTokenFilter emptyFilter(empty);
    EXPECT_THROW_TEXT(emptyFilter.nextToken(), TokenStreamException,
                      "TokenStreamHiddenTokenFilter: the input yielded an empty token handle");

    TokenRefCount<Token> first(new CommonHiddenStreamToken(VISIBLE, "a"));
    ScriptedTokenStream mixed({first, TokenRefCount<Token>(new CommonToken(VISIBLE, "b"))});
    TokenStreamHiddenTokenFilter filter(mixed);
    EXPECT_THROW_TEXT(filter.nextToken(), TokenStreamException,
                      "TokenStreamHiddenTokenFilter: the input yielded a token that is not a "
                      "CommonHiddenStreamToken: [\"b\",<4>,line=1,column=1]");
    EXPECT_EQ(first, filter.LA(1));
    EXPECT_THROW_TEXT(filter.getHiddenBefore(nullToken), TokenStreamException,
                      "TokenStreamHiddenTokenFilter: getHiddenBefore() was given an empty token handle");
}

TEST(TokenStreamHiddenTokenFilter, CopiesItsSetsInAndOut)
{
    ScriptedTokenStream input({});
    TokenStreamHiddenTokenFilter filter(input);
    BitSet hidden;
    hidden.add(5);
    filter.hide(9);
    filter.hide(hidden);
    filter.hide(8);
    filter.discard(6);

    EXPECT_EQ((std::vector<unsigned int>{5, 8}), filter.getHideMask().toArray());
    EXPECT_EQ((std::vector<unsigned int>{6}), filter.getDiscardMask().toArray());
    EXPECT_FALSE(hidden.member(8));
}

TEST(TokenStreamHiddenTokenFilter, ARunStaysReachableUntilItsBackLinksAreCleared)
{
    int destroyed = 0;
    TokenRefCount<Token> v2;
    {
        std::vector<TokenRefCount<Token>> tokens;
        for (int type : {VISIBLE, HIDDEN, HIDDEN, HIDDEN, VISIBLE, Token::EOF_TYPE})
            tokens.emplace_back(new CountedToken<CommonHiddenStreamToken>(type, "", destroyed));
        ScriptedTokenStream input(tokens);
        tokens.clear();
        TokenStreamHiddenTokenFilter filter(input);
        filter.hide(HIDDEN);
        filter.nextToken();
        v2 = filter.nextToken();
    }
    EXPECT_EQ(2, destroyed);

    int runLength = 0;
    for (TokenRefCount<Token> t = links(v2)->getHiddenBefore(); t; ++runLength) {
        TokenRefCount<Token> previous = links(t)->getHiddenBefore();
        links(t)->setHiddenBefore(nullToken);
        t = previous;
    }
    EXPECT_EQ(3, runLength);
    v2 = nullToken;
    EXPECT_EQ(6, destroyed);
}

}
