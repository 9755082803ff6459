#ifndef ORVEL_TESTS_SUPPORT_PARSERFIXTURES_HPP
#define ORVEL_TESTS_SUPPORT_PARSERFIXTURES_HPP

#include <orvel/BitSet.hpp>
#include <orvel/CommonToken.hpp>
#include <orvel/Token.hpp>
#include <orvel/TokenBuffer.hpp>
#include <orvel/TokenRefCount.hpp>
#include <orvel/TokenStream.hpp>

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace orvel::test {

// Token types of the small token sets the parser tests use.
enum : int { ID = 4, PLUS = 5, STAR = 6, SEMI = 7 };

// The token-name table that goes with them; entry 2 is never named.
inline constexpr const char* tokenNames[] = {"<0>",  "EOF",  "<2>", "NULL_TREE_LOOKAHEAD",
                                             "ID",   "PLUS", "STAR", "SEMI"};
inline constexpr int numTokens = 8;

// Returns the set of the given members, of the default size or larger.
inline BitSet setOf(std::initializer_list<unsigned int> members)
{
    BitSet set;
    for (unsigned int m : members)
        set.add(m);
    return set;
}

// A CommonToken that counts its destruction in `*deaths`.
class CountedToken : public CommonToken {
public:
    CountedToken(int type, const std::string& text, int* deaths_)
        : CommonToken(type, text), deaths(deaths_)
    {
    }
    ~CountedToken() override { ++*deaths; }

private:
    int* deaths;
};

// Returns a token of `type` and `text` at `line` and `column`.
inline TokenRefCount<Token> token(int type, const std::string& text, int line = 1,
                                  int column = 1)
{
    TokenRefCount<Token> t(new CommonToken(type, text));
    t->setLine(line);
    t->setColumn(column);
    return t;
}

// Hands out the tokens it was given, then end-of-file tokens (text "<eof>")
// forever, counting every call.
class ListTokenStream : public TokenStream {
public:
    explicit ListTokenStream(std::vector<TokenRefCount<Token>> tokens_ = {})
        : tokens(std::move(tokens_))
    {
    }

    TokenRefCount<Token> nextToken() override
    {
        const std::size_t next = static_cast<std::size_t>(reads++);
        return next < tokens.size() ? tokens[next] : token(Token::EOF_TYPE, "<eof>");
    }

    // Number of nextToken() calls so far.
    int reads = 0;

private:
    std::vector<TokenRefCount<Token>> tokens;
};

// Hands out the tokens it was given, then calls `raise` (which throws) on
// every further call.
class FailingTokenStream : public TokenStream {
public:
    FailingTokenStream(std::vector<TokenRefCount<Token>> tokens_, std::function<void()> raise_)
        : tokens(std::move(tokens_)), raise(std::move(raise_))
    {
    }

    TokenRefCount<Token> nextToken() override
    {
        if (next == tokens.size())
            raise();
        return tokens.at(next++);
    }

private:
    std::vector<TokenRefCount<Token>> tokens;
    std::function<void()> raise;
    std::size_t next = 0;
};

// A TokenBuffer that counts its destruction in `*deaths`.
class CountedTokenBuffer : public TokenBuffer {
public:
    CountedTokenBuffer(TokenStream& input, int* deaths_) : TokenBuffer(input), deaths(deaths_) {}
    ~CountedTokenBuffer() override { ++*deaths; }

private:
    int* deaths;
};

}

#endif
