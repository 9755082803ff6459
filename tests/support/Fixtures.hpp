#ifndef ORVEL_TESTS_SUPPORT_FIXTURES_HPP
#define ORVEL_TESTS_SUPPORT_FIXTURES_HPP

#include <orvel/BitSet.hpp>
#include <orvel/CommonAST.hpp>
#include <orvel/CommonHiddenStreamToken.hpp>
#include <orvel/TokenStream.hpp>

#include <gtest/gtest.h>

#include <functional>
#include <iostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

// Checks an exception's type and its exact toString() text together.
#define EXPECT_THROW_TEXT(statement, type, expected)                                  \
    do {                                                                              \
        bool thrown_ = false;                                                         \
        try {                                                                         \
            statement;                                                                \
        } catch (const type& e_) {                                                    \
            thrown_ = true;                                                           \
            EXPECT_EQ(std::string(expected), e_.toString());                          \
        }                                                                             \
        EXPECT_TRUE(thrown_) << "expected " #type " from " #statement;                \
    } while (0)

namespace orvel::test {

// Captures what is written to std::cout or std::cerr while it lives.
class CaptureStream {
public:
    explicit CaptureStream(std::ostream& stream) : stream(stream), saved(stream.rdbuf(buffer.rdbuf())) {}
    ~CaptureStream() { stream.rdbuf(saved); }
    std::string text() const { return buffer.str(); }

private:
    std::ostream& stream;
    std::ostringstream buffer;
    std::streambuf* saved;
};

// A Base (token, buffer, input state) that counts its destruction in `*deaths`.
template <typename Base>
class Counted : public Base {
public:
    template <typename... Args>
    explicit Counted(int* deaths, Args&&... args) : Base(std::forward<Args>(args)...), deaths(deaths) {}
    ~Counted() override { ++*deaths; }

private:
    int* deaths;
};

// A hidden-stream token that writes its type into `deaths` when its destructor starts.
class ProbeToken : public CommonHiddenStreamToken {
public:
    ProbeToken(int type, std::vector<int>& deaths) : CommonHiddenStreamToken(type, "probe"), deaths(deaths) {}
    ~ProbeToken() override { deaths.push_back(getType()); }
    // The number of handles that share the count record (0 before the first).
    unsigned int shares() const { return ref ? ref->count : 0; }
    // The handle inside this token that keeps the hidden-after token alive.
    const TokenRefCount<Token>& afterLink() const { return hiddenAfter; }

private:
    std::vector<int>& deaths;
};

// The hidden-stream token behind `t`.
inline CommonHiddenStreamToken* hidden(const TokenRefCount<Token>& t)
{
    return static_cast<CommonHiddenStreamToken*>(t.get());
}

using Tokens = std::vector<TokenRefCount<Token>>;

// Returns a new CommonToken of `type` and `text` at `line` and `column`.
inline TokenRefCount<Token> token(int type, const std::string& text, int line = 1, int column = 1)
{
    TokenRefCount<Token> t(new CommonToken(type, text));
    t->setLine(line);
    t->setColumn(column);
    return t;
}

// A token stream whose nextToken() returns what `next` returns for the call
// number (1 for the first call), counting the calls.
struct FunctionStream : TokenStream {
    explicit FunctionStream(std::function<TokenRefCount<Token>(int)> next) : next(std::move(next)) {}
    TokenRefCount<Token> nextToken() override { return next(++calls); }

    std::function<TokenRefCount<Token>(int)> next;
    int calls = 0;
};

// A stream of `tokens`, then of what `atEnd` returns or throws (by default
// the last token again, or an empty handle when there is none).
inline FunctionStream listStream(std::vector<TokenRefCount<Token>> tokens,
                                 std::function<TokenRefCount<Token>()> atEnd = nullptr)
{
    return FunctionStream([tokens = std::move(tokens), atEnd](int call) {
        if (static_cast<std::size_t>(call) <= tokens.size())
            return tokens[static_cast<std::size_t>(call) - 1];
        return atEnd ? atEnd() : tokens.empty() ? nullToken : tokens.back();
    });
}

// Returns a new node of class Node with `text` and `type`.
template <typename Node = CommonAST>
ASTRefCount<AST> node(const std::string& text, int type = Token::MIN_USER_TYPE)
{
    ASTRefCount<AST> n(new Node);
    n->initialize(type, text);
    return n;
}

// Returns the set of `members`.
inline BitSet setOf(std::initializer_list<unsigned int> members)
{
    BitSet set;
    for (unsigned int m : members)
        set.add(m);
    return set;
}

}

#endif
