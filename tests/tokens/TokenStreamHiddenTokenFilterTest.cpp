#include <orvel/BitSet.hpp>
#include <orvel/CommonHiddenStreamToken.hpp>
#include <orvel/CommonToken.hpp>
#include <orvel/TokenStreamException.hpp>
#include <orvel/TokenStreamHiddenTokenFilter.hpp>

#include "support/Expect.hpp"
#include "support/ScriptedTokenStream.hpp"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

using orvel::BitSet;
using orvel::CommonHiddenStreamToken;
using orvel::CommonToken;
using orvel::nullToken;
using orvel::Token;
using orvel::TokenRefCount;
using orvel::TokenStreamException;
using orvel::TokenStreamHiddenTokenFilter;
using orvel::test::streams::CountedToken;
using orvel::test::streams::ScriptedTokenStream;

namespace {

constexpr int VISIBLE = 4;
constexpr int HIDDEN = 5;
constexpr int DISCARDED = 6;
constexpr int HIDDEN_AND_DISCARDED = 7;

CommonHiddenStreamToken* links(const TokenRefCount<Token>& t)
{
    return static_cast<CommonHiddenStreamToken*>(t.get());
}

std::size_t wordCount(const std::string& words)
{
    std::istringstream in(words);
    std::size_t count = 0;
    for (std::string word; in >> word;)
        ++count;
    return count;
}

std::string nameOf(const TokenRefCount<Token>& t) { return t ? t->getText() : "-"; }

// The type a token name stands for: V visible, H hidden, D discarded, X both
// hidden and discarded, EOF end of file.
int typeOf(const std::string& name)
{
    switch (name[0]) {
    case 'V':
        return VISIBLE;
    case 'H':
        return HIDDEN;
    case 'D':
        return DISCARDED;
    case 'X':
        return HIDDEN_AND_DISCARDED;
    default:
        return Token::EOF_TYPE;
    }
}

// A hiding filter over named tokens ("V1 H1 D1 V2 EOF"). On destruction it
// clears every back link, which frees the runs of hidden tokens.
class FilterRun {
    std::map<std::string, TokenRefCount<Token>> byName;

public:
    explicit FilterRun(const std::string& names) : input(tokensNamed(names)), filter(input)
    {
        filter.hide(HIDDEN);
        filter.hide(HIDDEN_AND_DISCARDED);
        filter.discard(DISCARDED);
        filter.discard(HIDDEN_AND_DISCARDED);
    }
    ~FilterRun()
    {
        for (auto& entry : byName)
            links(entry.second)->setHiddenBefore(nullToken);
    }

    // Returns the names of the next `count` tokens handed out.
    std::string handOut(std::size_t count)
    {
        std::string names;
        for (std::size_t i = 0; i < count; ++i)
            names += (i ? " " : "") + nameOf(filter.nextToken());
        return names;
    }
    // Returns "before/after": the names the token's hidden links lead to.
    std::string linksOf(const std::string& name) const
    {
        const CommonHiddenStreamToken* t = links(byName.at(name));
        return nameOf(t->getHiddenBefore()) + "/" + nameOf(t->getHiddenAfter());
    }
    TokenRefCount<Token> token(const std::string& name) const { return byName.at(name); }

    ScriptedTokenStream input;
    TokenStreamHiddenTokenFilter filter;

private:
    std::vector<TokenRefCount<Token>> tokensNamed(const std::string& names)
    {
        std::vector<TokenRefCount<Token>> tokens;
        std::istringstream in(names);
        for (std::string name; in >> name;) {
            tokens.emplace_back(new CommonHiddenStreamToken(typeOf(name), name));
            byName[name] = tokens.back();
        }
        return tokens;
    }
};

struct LinkCase {
    const char* input;
    const char* handedOut;
    const char* initialHidden;
    std::map<std::string, std::string> links;
};

TEST(TokenStreamHiddenTokenFilter, LinksEachRunOfHiddenTokensToTheVisibleTokensAroundIt)
{
    const std::vector<LinkCase> cases = {
        {"V1 H1 H2 D1 H3 V2 EOF", "V1 V2 EOF", "-",
         {{"V1", "-/H1"}, {"H1", "-/H2"}, {"H2", "H1/H3"}, {"D1", "-/-"}, {"H3", "H2/-"}, {"V2", "H3/-"},
          {"EOF", "-/-"}}},
        {"Ha Hb V1 EOF", "V1 EOF", "Ha", {{"Ha", "-/Hb"}, {"Hb", "Ha/-"}, {"V1", "Hb/-"}}},
        {"V1 V2 EOF", "V1 V2 EOF", "-", {{"V1", "-/-"}, {"V2", "-/-"}, {"EOF", "-/-"}}},
        {"H0 V1 H1 H2 V2 EOF", "V1 V2 EOF", "H0",
         {{"H0", "-/-"}, {"V1", "H0/H1"}, {"H1", "-/H2"}, {"H2", "H1/-"}, {"V2", "H2/-"}}},
        {"D1 H1 D2 H2 V1 EOF", "V1 EOF", "H1", {{"H1", "-/H2"}, {"H2", "H1/-"}, {"V1", "H2/-"}}},
        {"X1 V1 X2 EOF", "V1 EOF", "X1", {{"X1", "-/-"}, {"V1", "X1/X2"}, {"X2", "-/-"}, {"EOF", "X2/-"}}},
        {"V1 D1 V2 EOF", "V1 V2 EOF", "-", {{"V1", "-/-"}, {"V2", "-/-"}}},
    };
    for (const LinkCase& c : cases) {
        FilterRun run(c.input);
        EXPECT_EQ(c.handedOut, run.handOut(wordCount(c.handedOut))) << c.input;
        EXPECT_EQ(c.initialHidden, nameOf(run.filter.getInitialHiddenToken())) << c.input;
        for (const auto& [name, expected] : c.links)
            EXPECT_EQ(expected, run.linksOf(name)) << c.input << ", token " << name;
    }
}

TEST(TokenStreamHiddenTokenFilter, ReadsAheadExactlyToTheNextVisibleToken)
{
    FilterRun run("H0 V1 H1 D1 V2 V3 EOF");
    EXPECT_EQ(0u, run.input.callCount());
    EXPECT_FALSE(run.filter.LA(1));

    run.filter.nextToken();
    EXPECT_EQ(5u, run.input.callCount());
    EXPECT_EQ("V2", nameOf(run.filter.LA(1)));
    run.filter.nextToken();
    EXPECT_EQ(6u, run.input.callCount());
    for (int i : {-1, 0, 1, 2, 7})
        EXPECT_EQ("V3", nameOf(run.filter.LA(i))) << i;
}

TEST(TokenStreamHiddenTokenFilter, OverwritesTheBackLinkButKeepsTheForwardLinkOfAVisibleToken)
{
    FilterRun run("V1 V2 EOF");
    TokenRefCount<Token> earlier(new CommonHiddenStreamToken(HIDDEN, "earlier"));
    links(run.token("V1"))->setHiddenAfter(earlier);
    links(run.token("V2"))->setHiddenBefore(earlier);

    run.handOut(2);
    EXPECT_EQ("-/earlier", run.linksOf("V1"));
    EXPECT_EQ("-/-", run.linksOf("V2"));
}

TEST(TokenStreamHiddenTokenFilter, ReportsTheLinksOfAToken)
{
    FilterRun run("V1 H1 H2 V2 EOF");
    run.handOut(2);
    EXPECT_EQ(run.token("H1"), run.filter.getHiddenAfter(run.token("V1")));
    EXPECT_EQ(run.token("H1"), run.filter.getHiddenBefore(run.token("H2")));
    EXPECT_EQ(run.token("H2"), run.filter.getHiddenBefore(run.token("V2")));
    EXPECT_FALSE(run.filter.getHiddenAfter(run.token("V2")));
}

TEST(TokenStreamHiddenTokenFilter, EndOfFileStaysVisibleWhateverSetItIsIn)
{
    FilterRun run("V1 H1 EOF");
    run.filter.hide(Token::EOF_TYPE);
    run.filter.discard(Token::EOF_TYPE);
    EXPECT_EQ("V1 EOF", run.handOut(2));
    EXPECT_EQ("H1/-", run.linksOf("EOF"));
    EXPECT_EQ("EOF", run.handOut(1));
}

TEST(TokenStreamHiddenTokenFilter, RejectsAnEmptyHandleFromTheInput)
{
    ScriptedTokenStream input({});
    TokenStreamHiddenTokenFilter filter(input);
    EXPECT_THROW_TEXT(filter.nextToken(), TokenStreamException,
                      "TokenStreamHiddenTokenFilter: the input yielded an empty token handle");
}

TEST(TokenStreamHiddenTokenFilter, RejectsATokenOfAnotherClassAndKeepsItsLookahead)
{
    TokenRefCount<Token> first(new CommonHiddenStreamToken(VISIBLE, "a"));
    ScriptedTokenStream input({first, TokenRefCount<Token>(new CommonToken(VISIBLE, "b"))});
    TokenStreamHiddenTokenFilter filter(input);
    EXPECT_THROW_TEXT(filter.nextToken(), TokenStreamException,
                      "TokenStreamHiddenTokenFilter: the input yielded a token that is not a "
                      "CommonHiddenStreamToken: [\"b\",<4>,line=1,column=1]");
    EXPECT_EQ(first, filter.LA(1));
}

TEST(TokenStreamHiddenTokenFilter, RejectsAskingForTheLinksOfATokenOfAnotherClass)
{
    ScriptedTokenStream input({});
    TokenStreamHiddenTokenFilter filter(input);
    EXPECT_THROW_TEXT(filter.getHiddenAfter(TokenRefCount<Token>(new CommonToken(VISIBLE, "c"))),
                      TokenStreamException,
                      "TokenStreamHiddenTokenFilter: getHiddenAfter() was given a token that is not a "
                      "CommonHiddenStreamToken: [\"c\",<4>,line=1,column=1]");
    EXPECT_THROW_TEXT(filter.getHiddenBefore(nullToken), TokenStreamException,
                      "TokenStreamHiddenTokenFilter: getHiddenBefore() was given an empty token handle");
}

TEST(TokenStreamHiddenTokenFilter, CopiesItsSetsInAndOut)
{
    ScriptedTokenStream input({});
    TokenStreamHiddenTokenFilter filter(input);
    BitSet hidden;
    hidden.add(5);
    BitSet discarded;
    discarded.add(6);
    filter.hide(9);
    filter.hide(hidden);
    filter.hide(8);
    filter.discard(discarded);

    EXPECT_EQ((std::vector<unsigned int>{5, 8}), filter.getHideMask().toArray());
    EXPECT_EQ((std::vector<unsigned int>{6}), filter.getDiscardMask().toArray());
    EXPECT_FALSE(hidden.member(8));
    filter.getHideMask().add(10);
    EXPECT_FALSE(filter.getHideMask().member(10));
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
