#include <orvel/CommonToken.hpp>
#include <orvel/TokenStreamException.hpp>
#include <orvel/TokenStreamRetryException.hpp>
#include <orvel/TokenStreamSelector.hpp>

#include "support/Expect.hpp"
#include "support/ScriptedTokenStream.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

using orvel::CommonToken;
using orvel::Token;
using orvel::TokenRefCount;
using orvel::TokenStream;
using orvel::TokenStreamException;
using orvel::TokenStreamSelector;
using orvel::test::streams::ScriptedTokenStream;

namespace {

TokenRefCount<Token> tokenNamed(const std::string& text) { return new CommonToken(Token::MIN_USER_TYPE, text); }

ScriptedTokenStream streamOf(const std::vector<std::string>& texts)
{
    std::vector<TokenRefCount<Token>> tokens;
    for (const std::string& text : texts)
        tokens.push_back(tokenNamed(text));
    return ScriptedTokenStream(tokens);
}

// A token stream whose nextToken() runs a function, counting the calls.
class FunctionStream : public TokenStream {
public:
    explicit FunctionStream(std::function<TokenRefCount<Token>(int call)> next) : next(std::move(next)) {}
    TokenRefCount<Token> nextToken() override { return next(++calls); }

    int calls = 0;

private:
    std::function<TokenRefCount<Token>(int)> next;
};

std::string text(const TokenRefCount<Token>& t) { return t->getText(); }

// Runs `action` and returns the string it throws, or "nothing thrown".
std::string thrownString(const std::function<void()>& action)
{
    try {
        action();
    } catch (const std::string& s) {
        return s;
    }
    return "nothing thrown";
}

TEST(TokenStreamSelector, HandsOutTheTokensOfTheCurrentStream)
{
    ScriptedTokenStream a = streamOf({"a1", "a2"});
    ScriptedTokenStream b = streamOf({"b1"});
    TokenStreamSelector selector;
    selector.addInputStream(&a, "a");
    selector.addInputStream(&b, "b");

    selector.select("a");
    EXPECT_EQ("a1", text(selector.nextToken()));
    selector.select("b");
    EXPECT_EQ(&b, selector.getCurrentStream());
    EXPECT_EQ("b1", text(selector.nextToken()));
    selector.select(&a);
    EXPECT_EQ("a2", text(selector.nextToken()));
    EXPECT_EQ(2u, a.callCount());
    EXPECT_EQ(1u, b.callCount());
}

TEST(TokenStreamSelector, RegisteringAKeyAgainReplacesItsStream)
{
    ScriptedTokenStream a = streamOf({"a1"});
    ScriptedTokenStream b = streamOf({"b1"});
    TokenStreamSelector selector;
    selector.addInputStream(&a, "x");
    selector.addInputStream(&b, "x");
    EXPECT_EQ(&b, selector.getStream("x"));
}

TEST(TokenStreamSelector, ThrowsAStringNamingAnUnknownStreamAndKeepsTheCurrentOne)
{
    ScriptedTokenStream a = streamOf({"a1"});
    TokenStreamSelector selector;
    selector.addInputStream(&a, "a");
    selector.select(&a);

    const std::vector<std::pair<std::string, std::function<void()>>> lookups = {
        {"TokenStream A not found", [&] { selector.getStream("A"); }},
        {"TokenStream  not found", [&] { selector.select(""); }},
        {"TokenStream lexer two not found", [&] { selector.select("lexer two"); }},
        {"TokenStream b not found", [&] { selector.push("b"); }},
    };
    for (const auto& [expected, lookup] : lookups) {
        EXPECT_EQ(expected, thrownString(lookup));
        EXPECT_EQ(&a, selector.getCurrentStream()) << expected;
    }
}

TEST(TokenStreamSelector, AFailedPushByNameLeavesTheCurrentStreamOnTheStack)
{
    ScriptedTokenStream a = streamOf({"a1"});
    ScriptedTokenStream b = streamOf({"b1"});
    TokenStreamSelector selector;
    selector.select(&a);
    EXPECT_EQ("TokenStream b not found", thrownString([&] { selector.push("b"); }));
    selector.select(&b);
    EXPECT_EQ(&a, selector.pop());
    EXPECT_EQ(&a, selector.getCurrentStream());
}

TEST(TokenStreamSelector, PushAndPopNest)
{
    ScriptedTokenStream first = streamOf({"f1"});
    ScriptedTokenStream a = streamOf({"a1"});
    ScriptedTokenStream b = streamOf({"b1"});
    TokenStreamSelector selector;
    selector.addInputStream(&a, "a");
    selector.select(&first);

    selector.push("a");
    selector.push(&b);
    EXPECT_EQ(&b, selector.getCurrentStream());
    EXPECT_EQ(&a, selector.pop());
    EXPECT_EQ("a1", text(selector.nextToken()));
    EXPECT_EQ(&first, selector.pop());
    EXPECT_EQ(&first, selector.getCurrentStream());
    EXPECT_EQ("f1", text(selector.nextToken()));
}

TEST(TokenStreamSelector, RejectsPopWithNothingPushed)
{
    ScriptedTokenStream a = streamOf({"a1"});
    TokenStreamSelector selector;
    selector.push(&a);
    selector.pop();
    EXPECT_THROW_TEXT(selector.pop(), TokenStreamException, "TokenStreamSelector: pop() with no stream pushed");
}

TEST(TokenStreamSelector, RejectsNextTokenWithNoCurrentStream)
{
    TokenStreamSelector selector;
    EXPECT_THROW_TEXT(selector.nextToken(), TokenStreamException,
                      "TokenStreamSelector: nextToken() with no stream selected");
    ScriptedTokenStream a = streamOf({"a1"});
    FunctionStream deselecting([&](int) -> TokenRefCount<Token> {
        selector.select(static_cast<TokenStream*>(nullptr));
        selector.retry();
    });
    selector.select(&deselecting);
    EXPECT_THROW_TEXT(selector.nextToken(), TokenStreamException,
                      "TokenStreamSelector: nextToken() with no stream selected");
}

TEST(TokenStreamSelector, RetryAfterSelectingFromInsideAStreamReturnsTheNewStreamsToken)
{
    ScriptedTokenStream b = streamOf({"b1", "b2"});
    TokenStreamSelector selector;
    selector.addInputStream(&b, "b");
    FunctionStream switching([&](int) -> TokenRefCount<Token> {
        selector.select("b");
        selector.retry();
    });
    selector.select(&switching);

    EXPECT_EQ("b1", text(selector.nextToken()));
    EXPECT_EQ(1, switching.calls);
    EXPECT_EQ(1u, b.callCount());
    EXPECT_EQ("b2", text(selector.nextToken()));
}

TEST(TokenStreamSelector, PushAndPopWithRetryFromInsideStreamsSplicesOneStreamIntoAnother)
{
    TokenStreamSelector selector;
    FunctionStream included([&](int call) -> TokenRefCount<Token> {
        if (call == 1)
            return tokenNamed("i1");
        selector.pop();
        selector.retry();
    });
    FunctionStream main([&](int call) -> TokenRefCount<Token> {
        if (call == 2) {
            selector.push(&included);
            selector.retry();
        }
        return tokenNamed("m" + std::to_string(call));
    });
    selector.select(&main);

    std::vector<std::string> texts;
    for (int i = 0; i < 3; ++i)
        texts.push_back(text(selector.nextToken()));
    EXPECT_EQ((std::vector<std::string>{"m1", "i1", "m3"}), texts);
    EXPECT_EQ(2, included.calls);
}

TEST(TokenStreamSelector, RetryWithoutSwitchingAsksTheSameStreamAgain)
{
    TokenStreamSelector selector;
    FunctionStream hesitant([&](int call) -> TokenRefCount<Token> {
        if (call < 3)
            selector.retry();
        return tokenNamed("t");
    });
    selector.select(&hesitant);
    EXPECT_EQ("t", text(selector.nextToken()));
    EXPECT_EQ(3, hesitant.calls);
}

TEST(TokenStreamSelector, PassesOtherStreamFailuresThroughWithoutRetrying)
{
    TokenStreamSelector selector;
    FunctionStream failing([](int) -> TokenRefCount<Token> { throw TokenStreamException("broken input"); });
    selector.select(&failing);
    EXPECT_THROW_TEXT(selector.nextToken(), TokenStreamException, "broken input");
    EXPECT_EQ(1, failing.calls);
}

}
