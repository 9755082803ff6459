#ifndef ORVEL_TESTS_SUPPORT_PARSERFIXTURES_HPP
#define ORVEL_TESTS_SUPPORT_PARSERFIXTURES_HPP

#include <orvel/AST.hpp>
#include <orvel/BitSet.hpp>
#include <orvel/CommonAST.hpp>
#include <orvel/CommonToken.hpp>
#include <orvel/TokenStream.hpp>

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

namespace orvel::test {

// Token types of the parser tests and their name table; entry 2 is never named.
enum : int { ID = 4, PLUS = 5, STAR = 6, SEMI = 7 };
inline constexpr const char* tokenNames[] = {"<0>",  "EOF",  "<2>", "NULL_TREE_LOOKAHEAD",
                                             "ID",   "PLUS", "STAR", "SEMI"};
inline constexpr int numTokens = 8;

// Returns the set of `members`, of the default size or larger.
inline BitSet setOf(std::initializer_list<unsigned int> members)
{
    BitSet set;
    for (unsigned int m : members)
        set.add(m);
    return set;
}

// Returns a new CommonToken of `type` and `text` at `line` and `column`.
inline TokenRefCount<Token> token(int type, const std::string& text, int line = 1, int column = 1)
{
    TokenRefCount<Token> t(new CommonToken(type, text));
    t->setLine(line);
    t->setColumn(column);
    return t;
}

// Returns a new CommonAST node of `type` and `text`.
inline ASTRefCount<AST> node(int type, const std::string& text)
{
    ASTRefCount<AST> n = CommonAST::factory();
    n->initialize(type, text);
    return n;
}

// A Base (token, buffer, input state) that counts its destruction in `*deaths`.
template <typename Base>
class Counted : public Base {
public:
    template <typename... Args>
    explicit Counted(int* deaths_, Args&&... args)
        : Base(std::forward<Args>(args)...), deaths(deaths_)
    {
    }
    ~Counted() override { ++*deaths; }

private:
    int* deaths;
};

// Hands out the tokens it was given, then whatever `atEnd` returns or throws
// (by default end-of-file tokens with text "<eof>"), counting every call.
class ListTokenStream : public TokenStream {
public:
    using End = std::function<TokenRefCount<Token>()>;

    explicit ListTokenStream(std::vector<TokenRefCount<Token>> tokens_ = {},
                             End atEnd_ = [] { return token(Token::EOF_TYPE, "<eof>"); })
        : tokens(std::move(tokens_)), atEnd(std::move(atEnd_))
    {
    }

    TokenRefCount<Token> nextToken() override
    {
        const auto next = static_cast<std::size_t>(reads++);
        return next < tokens.size() ? tokens[next] : atEnd();
    }

    int reads = 0;

private:
    std::vector<TokenRefCount<Token>> tokens;
    End atEnd;
};

// Tokens a + b ; at line 2, columns 1, 3, 5 and 6.
inline ListTokenStream sum()
{
    return ListTokenStream({token(ID, "a", 2, 1), token(PLUS, "+", 2, 3), token(ID, "b", 2, 5),
                            token(SEMI, ";", 2, 6)});
}

// Completes a parser or tree parser base with the table above and no tree;
// its indentation writes a "|" first, showing where it is called virtually.
template <typename Base>
class Named : public Base {
public:
    using Base::Base;
    ASTRefCount<AST> getAST() override { return nullAST; }
    const char* getTokenName(int num) const override { return tokenNames[num]; }
    const char* const* getTokenNames() const override { return tokenNames; }
    int getNumTokens() const override { return numTokens; }
    void traceIndent() override
    {
        std::cout << "|";
        Base::traceIndent();
    }

    using Base::inputState;
    using Base::traceDepth;
};

}

#endif
