#include <orvel/orvel.hpp>

#include "support/Expect.hpp"
#include "support/ScriptedTokenStream.hpp"

#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace orvel;
using test::streams::FunctionStream;
using test::streams::ScriptedTokenStream;

TokenRefCount<Token> tokenNamed(const std::string& text) { return new CommonToken(Token::MIN_USER_TYPE, text); }

std::string textOf(TokenStream& stream) { return stream.nextToken()->getText(); }

TEST(TokenStreamSelector, SwitchesAmongNamedStreamsAndReturnsThroughTheStack)
{
    ScriptedTokenStream first({tokenNamed("f1")});
    ScriptedTokenStream a({tokenNamed("a1"), tokenNamed("a2")});
    ScriptedTokenStream b({tokenNamed("b1")});
    TokenStreamSelector selector;
    selector.addInputStream(&b, "a");
    selector.addInputStream(&a, "a");
    selector.addInputStream(&b, "b");
    EXPECT_EQ(&a, selector.getStream("a")) << "a later registration replaces an earlier one";

    selector.select(&first);
    selector.push("a");
    EXPECT_EQ("a1", textOf(selector));
    selector.push(&b);
    EXPECT_EQ("b1", textOf(selector));
    EXPECT_EQ(&a, selector.pop());
    EXPECT_EQ("a2", textOf(selector));
    EXPECT_EQ(&first, selector.pop());
    EXPECT_EQ(&first, selector.getCurrentStream());
    EXPECT_EQ("f1", textOf(selector));
}

TEST(TokenStreamSelector, ThrowsAStringNamingAnUnknownStreamAndKeepsTheCurrentOne)
{
    ScriptedTokenStream a({tokenNamed("a1")});
    ScriptedTokenStream b({tokenNamed("b1")});
    TokenStreamSelector selector;
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
        EXPECT_EQ(&a, selector.getCurrentStream()) << expected;
    }
    selector.select(&b);
    EXPECT_EQ(&a, selector.pop()) << "the failed push keeps the stream it saved";
}

TEST(TokenStreamSelector, ThrowsOnMisuseAndPassesOtherStreamFailuresThroughWithoutAskingAgain)
{
    TokenStreamSelector selector;
    EXPECT_THROW_TEXT(selector.pop(), TokenStreamException, "TokenStreamSelector: pop() with no stream pushed");
    EXPECT_THROW_TEXT(selector.nextToken(), TokenStreamException,
                      "TokenStreamSelector: nextToken() with no stream selected");
    FunctionStream failing([](int) -> TokenRefCount<Token> { throw TokenStreamException("broken input"); });
    selector.select(&failing);
    EXPECT_THROW_TEXT(selector.nextToken(), TokenStreamException, "broken input");
    EXPECT_EQ(1, failing.calls);
}

TEST(TokenStreamSelector, RetryAsksTheCurrentStreamAgainInTheSameCall)
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
        return tokenNamed("m" + std::to_string(call));
    });
    selector.select(&main);

    EXPECT_EQ("m1", textOf(selector));
    EXPECT_EQ("i1", textOf(selector)) << "after switching to a pushed stream";
    EXPECT_EQ("m4", textOf(selector)) << "after popping, then retrying without switching";
    EXPECT_EQ(2, included.calls);
    EXPECT_EQ(4, main.calls);
}

}
