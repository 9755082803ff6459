#ifndef ORVEL_TESTS_SUPPORT_SCRIPTEDTOKENSTREAM_HPP
#define ORVEL_TESTS_SUPPORT_SCRIPTEDTOKENSTREAM_HPP

#include <orvel/Token.hpp>
#include <orvel/TokenRefCount.hpp>
#include <orvel/TokenStream.hpp>

#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace orvel::test::streams {

// A token of class Base that adds one to `destroyed` when it is deleted.
template <typename Base>
class CountedToken : public Base {
public:
    CountedToken(int type, const std::string& text, int& destroyed) : Base(type, text), destroyed(destroyed) {}
    ~CountedToken() override { ++destroyed; }

private:
    int& destroyed;
};

// A token stream that hands out a fixed list of tokens in order, then the last
// one again on every further call, and counts its calls.
class ScriptedTokenStream : public TokenStream {
public:
    explicit ScriptedTokenStream(std::vector<TokenRefCount<Token>> script) : script(std::move(script)) {}

    TokenRefCount<Token> nextToken() override
    {
        ++calls;
        if (next < script.size())
            return script[next++];
        return script.empty() ? TokenRefCount<Token>() : script.back();
    }

    // Returns how often nextToken() was called.
    std::size_t callCount() const { return calls; }
    // Returns the token at `i` of the list.
    const TokenRefCount<Token>& at(std::size_t i) const { return script.at(i); }

private:
    std::vector<TokenRefCount<Token>> script;
    std::size_t next = 0;
    std::size_t calls = 0;
};

// A token stream whose nextToken() returns what `next` returns given the call
// number (1 for the first call); keeps no handle to the tokens it hands out.
struct FunctionStream : TokenStream {
    explicit FunctionStream(std::function<TokenRefCount<Token>(int)> next) : next(std::move(next)) {}
    TokenRefCount<Token> nextToken() override { return next(++calls); }

    std::function<TokenRefCount<Token>(int)> next;
    int calls = 0;
};

}

#endif
