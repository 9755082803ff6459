#include <orvel/CommonHiddenStreamToken.hpp>
#include <orvel/TokenStreamHiddenTokenFilter.hpp>
#include <orvel/TokenStreamException.hpp>
#include <orvel/TokenStreamSelector.hpp>

#include "support/Expect.hpp"
#include "support/Streams.hpp"

#include <functional>
#include <sstream>

namespace {

using namespace orvel;
using test::FunctionStream;
using test::hidden;

std::string nameOf(const TokenRefCount<Token>& t) { return t ? t->getText() : "-"; }

// Hidden-stream tokens named V.. visible, H.. hidden, D.. discarded and X..
// hidden and discarded (types 4 to 7), EOF end of file.
test::Tokens tokensNamed(const std::string& names)
{
    test::Tokens tokens;
    std::istringstream in(names);
    for (std::string name; in >> name;) {
        const int type = name == "EOF" ? Token::EOF_TYPE : 4 + static_cast<int>(std::string("VHDX").find(name[0]));
        tokens.emplace_back(new CommonHiddenStreamToken(type, name));
    }
    return tokens;
}

// Returns "name@reads" for each token `filter` hands out up to end of file,
// with the number of input reads made by then.
std::string handOut(TokenStream& filter, const FunctionStream& input)
{
    std::string out;
    for (TokenRefCount<Token> t; !t || t->getType() != Token::EOF_TYPE;) {
        t = filter.nextToken();
        out += (out.empty() ? "" : " ") + nameOf(t) + "@" + std::to_string(input.calls);
    }
    return out;
}

TEST(TokenStreamBasicFilter, HandsOutExactlyTheTokensWhoseTypeIsNotDiscarded)
{
    FunctionStream input = test::listStream(tokensNamed("D1 V1 D2 X1 V2 H1 EOF"));
    TokenStreamBasicFilter filter(input);
    BitSet mask;
    mask.add(6);
    filter.discard(5);
    filter.discard(mask);
    filter.discard(7);
    EXPECT_EQ("V1@2 V2@5 H1@6 EOF@7", handOut(filter, input));
    EXPECT_FALSE(mask.member(7));
    FunctionStream empty = test::listStream({});
    EXPECT_FALSE(TokenStreamBasicFilter(empty).nextToken());
}

// End of file is put in both sets to show that it stays visible.
TEST(TokenStreamHiddenTokenFilter, LinksEachRunOfHiddenTokensToTheVisibleTokensAroundIt)
{
    const struct {
        const char *input, *handedOut, *initialHidden, *links;
    } cases[] = {
        {"V1 H1 H2 D1 H3 V2 EOF", "V1@6 V2@7 EOF@8", "-", "-/H1 -/H2 H1/H3 -/- H2/- H3/- -/-"},
        {"H0 V1 H1 H2 V2 EOF", "V1@5 V2@6 EOF@7", "H0", "-/- H0/H1 -/H2 H1/- H2/- -/-"},
        {"D1 H1 D2 H2 V1 EOF", "V1@6 EOF@7", "H1", "-/- -/H2 -/- H1/- H2/- -/-"},
        {"X1 V1 X2 EOF", "V1@4 EOF@5", "X1", "-/- X1/X2 -/- X2/-"},
        {"V1 D1 V2 EOF", "V1@3 V2@4 EOF@5", "-", "-/- -/- -/- -/-"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        const test::Tokens tokens = tokensNamed(c.input);
        FunctionStream input = test::listStream(tokens);
        TokenStreamHiddenTokenFilter filter(input);
        for (int type : {5, 7, Token::EOF_TYPE})
            filter.hide(type);
        for (int type : {6, 7, Token::EOF_TYPE})
            filter.discard(type);
        EXPECT_EQ(c.handedOut, handOut(filter, input));
        EXPECT_EQ(c.initialHidden, nameOf(filter.getInitialHiddenToken()));
        std::string links;
        for (const auto& t : tokens)
            links += (links.empty() ? "" : " ") + nameOf(hidden(t)->getHiddenBefore()) + "/"
                     + nameOf(hidden(t)->getHiddenAfter());
        EXPECT_EQ(c.links, links);
        EXPECT_EQ("EOF", nameOf(filter.LA(2)));
    }
}

TEST(TokenStreamHiddenTokenFilter, RejectsAnEmptyHandleOrATokenOfAnotherClass)
{
    FunctionStream empty = test::listStream({});
    EXPECT_THROW_TEXT(TokenStreamHiddenTokenFilter(empty).nextToken(), TokenStreamException,
                      "TokenStreamHiddenTokenFilter: the input yielded an empty token handle");
    const TokenRefCount<Token> first(new CommonHiddenStreamToken(4, "a"));
    FunctionStream mixed = test::listStream({first, new CommonToken(4, "b")});
    TokenStreamHiddenTokenFilter filter(mixed);
    EXPECT_THROW_TEXT(filter.nextToken(), TokenStreamException,
                      "TokenStreamHiddenTokenFilter: the input yielded a token that is not a "
                      "CommonHiddenStreamToken: [\"b\",<4>,line=1,column=1]");
    EXPECT_EQ(first, filter.LA(1));
    EXPECT_THROW_TEXT(filter.getHiddenBefore(nullToken), TokenStreamException,
                      "TokenStreamHiddenTokenFilter: getHiddenBefore() was given an empty token handle");
}

// The run 1 2 3 between the visible tokens 0 and 4 links itself both ways.
// Whatever single token is kept, the whole run stays and goes with it.
TEST(TokenStreamHiddenTokenFilter, ARunLivesAsLongAsAnythingReachesItAndIsFreedAfter)
{
    for (std::size_t kept : {0, 2, 4}) {
        int destroyed = 0;
        TokenRefCount<Token> keep;
        {
            test::Tokens tokens;
            for (int type : {4, 5, 5, 5, 4, Token::EOF_TYPE})
                tokens.emplace_back(new test::Counted<CommonHiddenStreamToken>(&destroyed, type,
                                                                                std::to_string(tokens.size())));
            FunctionStream input = test::listStream(tokens);
            TokenStreamHiddenTokenFilter filter(input);
            filter.hide(5);
            handOut(filter, input);
            keep = tokens[kept];
        }
        EXPECT_EQ(kept == 2 ? 3 : 2, destroyed) << kept;
        TokenRefCount<Token> t = keep;
        while (hidden(t)->getHiddenBefore())
            t = hidden(t)->getHiddenBefore();
        std::string run;
        for (; t; t = hidden(t)->getHiddenAfter())
            run += t->getText();
        EXPECT_EQ(kept == 0 ? "0123" : "123", run);
        keep = nullToken;
        EXPECT_EQ(6, destroyed);
    }
}

TokenRefCount<Token> tokenNamed(const std::string& text) { return new CommonToken(Token::MIN_USER_TYPE, text); }

std::string textOf(TokenStream& stream) { return stream.nextToken()->getText(); }

TEST(TokenStreamSelector, SwitchesAmongNamedStreamsAndReturnsThroughTheStack)
{
    FunctionStream first = test::listStream({tokenNamed("f1")});
    FunctionStream a = test::listStream({tokenNamed("a1"), tokenNamed("a2")});
    FunctionStream b = test::listStream({tokenNamed("b1")});
    TokenStreamSelector selector;
    selector.addInputStream(&b, "a");
    selector.addInputStream(&a, "a");
    selector.select(&first);
    selector.push("a");
    EXPECT_EQ("a1", textOf(selector));
    selector.push(&b);
    EXPECT_EQ("b1", textOf(selector));
    EXPECT_EQ(&a, selector.pop());
    EXPECT_EQ("a2", textOf(selector));
    EXPECT_EQ(&first, selector.pop());
    EXPECT_EQ("f1", textOf(selector));
}

// Unknown names are thrown as a std::string; the current stream stays.
TEST(TokenStreamSelector, AnswersMisuseWithoutChangingTheCurrentStream)
{
    FunctionStream a = test::listStream({tokenNamed("a1")});
    FunctionStream b = test::listStream({tokenNamed("b1")});
    TokenStreamSelector selector;
    EXPECT_THROW_TEXT(selector.pop(), TokenStreamException, "TokenStreamSelector: pop() with no stream pushed");
    EXPECT_THROW_TEXT(selector.nextToken(), TokenStreamException,
                      "TokenStreamSelector: nextToken() with no stream selected");
    selector.addInputStream(&a, "a");
    selector.select(&a);
    const std::pair<std::string, std::function<void()>> lookups[] = {
        {"TokenStream A not found", [&] { selector.getStream("A"); }},
        {"TokenStream  not found", [&] { selector.select(""); }},
        {"TokenStream b not found", [&] { selector.push("b"); }},
    };
    for (const auto& [expected, lookup] : lookups) {
        std::string thrown = "nothing thrown";
        try {
            lookup();
        } catch (const std::string& s) {
            thrown = s;
        }
        EXPECT_EQ(expected, thrown);
        EXPECT_EQ(&a, selector.getCurrentStream());
    }
    selector.select(&b);
    EXPECT_EQ(&a, selector.pop()) << "the failed push keeps the stream it saved";
}

TEST(TokenStreamSelector, RetryAsksTheCurrentStreamAgainInTheSameCallAndFailuresPassThrough)
{
    TokenStreamSelector selector;
    FunctionStream included([&](int call) -> TokenRefCount<Token> {
        if (call == 1)
            return tokenNamed("i1");
        selector.pop();
        selector.retry();
    });
    FunctionStream main([&](int call) -> TokenRefCount<Token> {
        if (call == 2)
            selector.push(&included);
        if (call == 2 || call == 3)
            selector.retry();
        if (call == 5)
            throw TokenStreamException("broken input");
        return tokenNamed("m" + std::to_string(call));
    });
    selector.select(&main);
    EXPECT_EQ("m1", textOf(selector));
    EXPECT_EQ("i1", textOf(selector)) << "after switching to a pushed stream";
    EXPECT_EQ("m4", textOf(selector)) << "after popping, then retrying without switching";
    EXPECT_THROW_TEXT(selector.nextToken(), TokenStreamException, "broken input");
    EXPECT_EQ(2, included.calls);
    EXPECT_EQ(5, main.calls);
}

}
