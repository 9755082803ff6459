#include <orvel/orvel.hpp>

#include "support/Expect.hpp"
#include "support/ScriptedTokenStream.hpp"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using namespace orvel;
using test::streams::CountedToken;
using test::streams::ScriptedTokenStream;

constexpr int VISIBLE = 4;
constexpr int HIDDEN = 5;

CommonHiddenStreamToken* links(const TokenRefCount<Token>& t) { return static_cast<CommonHiddenStreamToken*>(t.get()); }

std::string nameOf(const TokenRefCount<Token>& t) { return t ? t->getText() : "-"; }

// Tokens named V.. visible, H.. hidden, D.. discarded, X.. hidden and
// discarded (types 4 to 7), EOF end of file.
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

// A hiding filter over named tokens, end of file put in both sets to show it
// stays visible.
struct FilterRun {
    explicit FilterRun(const std::string& names) : tokens(tokensNamed(names)), input(tokens), filter(input)
    {
        for (int type : {HIDDEN, 7, Token::EOF_TYPE})
            filter.hide(type);
        for (int type : {6, 7, Token::EOF_TYPE})
            filter.discard(type);
    }
    // Returns "name@reads" for each token handed out up to end of file (ten
    // at most), with the number of input reads made by then.
    std::string handOut()
    {
        std::string out;
        for (int i = 0; i < 10 && out.find("EOF") == std::string::npos; ++i) {
            const std::string name = nameOf(filter.nextToken());
            out += (i ? " " : "") + name + "@" + std::to_string(input.callCount());
        }
        return out;
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
        const char *input, *handedOut, *initialHidden, *links;
    };
    const Case cases[] = {
        {"V1 H1 H2 D1 H3 V2 EOF", "V1@6 V2@7 EOF@8", "-", "-/H1 -/H2 H1/H3 -/- H2/- H3/- -/-"},
        {"Ha Hb V1 EOF", "V1@4 EOF@5", "Ha", "-/Hb Ha/- Hb/- -/-"},
        {"V1 V2 EOF", "V1@2 V2@3 EOF@4", "-", "-/- -/- -/-"},
        {"H0 V1 H1 H2 V2 EOF", "V1@5 V2@6 EOF@7", "H0", "-/- H0/H1 -/H2 H1/- H2/- -/-"},
        {"D1 H1 D2 H2 V1 EOF", "V1@6 EOF@7", "H1", "-/- -/H2 -/- H1/- H2/- -/-"},
        {"X1 V1 X2 EOF", "V1@4 EOF@5", "X1", "-/- X1/X2 -/- X2/-"},
        {"V1 D1 V2 EOF", "V1@3 V2@4 EOF@5", "-", "-/- -/- -/- -/-"},
        {"V1 H1 EOF", "V1@3 EOF@4", "-", "-/H1 -/- H1/-"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        FilterRun run(c.input);
        EXPECT_EQ(c.handedOut, run.handOut());
        EXPECT_EQ(c.initialHidden, nameOf(run.filter.getInitialHiddenToken()));
        EXPECT_EQ(c.links, run.allLinks());
    }
}

TEST(TokenStreamHiddenTokenFilter, AnswersTheOneTokenReadAheadWhateverLookaheadIsAsked)
{
    FilterRun run("V1 H1 V2 EOF");
    EXPECT_FALSE(run.filter.LA(1));
    run.filter.nextToken();
    for (int i : {-1, 0, 1, 2})
        EXPECT_EQ("V2", nameOf(run.filter.LA(i))) << i;
    EXPECT_EQ(run.tokens[1], run.filter.getHiddenAfter(run.tokens[0]));
    run.filter.nextToken();
    EXPECT_EQ(run.tokens[1], run.filter.getHiddenBefore(run.tokens[2]));
}

TEST(TokenStreamHiddenTokenFilter, OverwritesTheBackLinkButKeepsTheForwardLinkOfAVisibleToken)
{
    FilterRun run("V1 V2 EOF");
    TokenRefCount<Token> earlier(new CommonHiddenStreamToken(HIDDEN, "E"));
    links(run.tokens[0])->setHiddenAfter(earlier);
    links(run.tokens[1])->setHiddenBefore(earlier);
    run.handOut();
    EXPECT_EQ("-/E -/- -/-", run.allLinks());
}

TEST(TokenStreamHiddenTokenFilter, RejectsAnEmptyHandleOrATokenOfAnotherClass)
{
    ScriptedTokenStream empty({});
    EXPECT_THROW_TEXT(TokenStreamHiddenTokenFilter(empty).nextToken(), TokenStreamException,
                      "TokenStreamHiddenTokenFilter: the input yielded an empty token handle");

    TokenRefCount<Token> first(new CommonHiddenStreamToken(VISIBLE, "a"));
    ScriptedTokenStream mixed({first, new CommonToken(VISIBLE, "b")});
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

// The run H1 H2 H3 between V1 and V2 links itself both ways. Whatever single
// token is kept (the visible ones reach the run from either end), every link
// of the run holds while it is kept, and everything goes with it.
TEST(TokenStreamHiddenTokenFilter, ARunLivesAsLongAsAnythingReachesItAndIsFreedAfter)
{
    for (std::size_t kept : {0, 1, 2, 3, 4}) {
        SCOPED_TRACE(kept);
        int destroyed = 0;
        TokenRefCount<Token> keep;
        {
            std::vector<TokenRefCount<Token>> tokens;
            int n = 0;
            for (int type : {VISIBLE, HIDDEN, HIDDEN, HIDDEN, VISIBLE, Token::EOF_TYPE})
                tokens.emplace_back(new CountedToken<CommonHiddenStreamToken>(type, std::to_string(n++), destroyed));
            ScriptedTokenStream input(tokens);
            TokenStreamHiddenTokenFilter filter(input);
            filter.hide(HIDDEN);
            while (filter.nextToken()->getType() != Token::EOF_TYPE) {
            }
            keep = tokens[kept];
        }
        EXPECT_EQ(kept == 0 || kept == 4 ? 2 : 3, destroyed);

        TokenRefCount<Token> first = keep;
        while (links(first)->getHiddenBefore())
            first = links(first)->getHiddenBefore();
        std::string run;
        for (TokenRefCount<Token> t = first; t; t = links(t)->getHiddenAfter())
            run += t->getText() + "<" + nameOf(links(t)->getHiddenBefore()) + " ";
        const char* expected[] = {"0<- 1<- 2<1 3<2 ", "1<- 2<1 3<2 ", "1<- 2<1 3<2 ", "1<- 2<1 3<2 ", "1<- 2<1 3<2 "};
        EXPECT_EQ(expected[kept], run);
        first = nullToken;

        keep = nullToken;
        EXPECT_EQ(6, destroyed);
    }
}

}
