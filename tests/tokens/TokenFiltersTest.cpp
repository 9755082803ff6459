#include <orvel/CommonHiddenStreamToken.hpp>
#include <orvel/TokenStreamHiddenTokenFilter.hpp>
#include <orvel/TokenStreamException.hpp>
#include <orvel/TokenStreamSelector.hpp>

#include "support/Fixtures.hpp"

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

std::string textOf(TokenStream& stream) { return stream.nextToken()->getText(); }

// Streams switch by pointer or name and return through the stack; a retry
// asks the current stream again within the same call.
TEST(TokenStreamSelector, SwitchesAmongStreamsReturnsThroughTheStackAndRetries)
{
    TokenStreamSelector selector;
    TokenStream* popped = nullptr;
    FunctionStream b([&](int call) -> TokenRefCount<Token> {
        if (call == 2) {
            popped = selector.pop();
            selector.retry();
        }
        return test::token(4, "b1");
    });
    FunctionStream a([&](int call) -> TokenRefCount<Token> {
        if (call == 2) {
            selector.push(&b);
            selector.retry();
        }
        return test::token(4, "a" + std::to_string(call));
    });
    FunctionStream main([&](int call) -> TokenRefCount<Token> {
        if (call == 2)
            selector.retry();
        if (call == 4)
            throw TokenStreamException("broken input");
        return test::token(4, "m" + std::to_string(call));
    });
    selector.addInputStream(&b, "a");
    selector.addInputStream(&a, "a");
    selector.select(&main);
    EXPECT_EQ("m1", textOf(selector));
    selector.push("a");
    EXPECT_EQ("a1", textOf(selector));
    EXPECT_EQ("b1", textOf(selector)) << "after switching to a pushed stream";
    EXPECT_EQ("a3", textOf(selector)) << "after popping back";
    EXPECT_EQ(&a, popped);
    EXPECT_EQ(&main, selector.pop());
    EXPECT_EQ("m3", textOf(selector)) << "after retrying without switching";
    EXPECT_THROW_TEXT(selector.nextToken(), TokenStreamException, "broken input");
    EXPECT_EQ(4, main.calls);
}

// Unknown names are thrown as a std::string; the current stream stays.
TEST(TokenStreamSelector, AnswersMisuseWithoutChangingTheCurrentStream)
{
    FunctionStream a = test::listStream({});
    FunctionStream b = test::listStream({});
    TokenStreamSelector selector;
    EXPECT_THROW_TEXT(selector.pop(), TokenStreamException, "TokenStreamSelector: pop() with no stream pushed");
    EXPECT_THROW_TEXT(selector.nextToken(), TokenStreamException,
                      "TokenStreamSelector: nextToken() with no stream selected");
    selector.addInputStream(&a, "a");
    selector.select(&a);
    std::string thrown;
    for (const auto& lookup : std::initializer_list<std::function<void()>>{
             [&] { selector.getStream("A"); }, [&] { selector.select(""); }, [&] { selector.push("b"); }}) {
        try {
            lookup();
        } catch (const std::string& s) {
            thrown += s + "|";
        }
        EXPECT_EQ(&a, selector.getCurrentStream());
    }
    EXPECT_EQ("TokenStream A not found|TokenStream  not found|TokenStream b not found|", thrown);
    selector.select(&b);
    EXPECT_EQ(&a, selector.pop()) << "the failed push keeps the stream it saved";
}

}
