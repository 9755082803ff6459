#ifndef ORVEL_TESTS_SUPPORT_PARSERS_HPP
#define ORVEL_TESTS_SUPPORT_PARSERS_HPP

#include <orvel/BitSet.hpp>
#include <orvel/CommonAST.hpp>

#include <initializer_list>
#include <iostream>
#include <string>

namespace orvel::test {

// Token types of the parser tests and their name table; entry 2 is never named.
enum : int { ID = 4, PLUS = 5, STAR = 6, SEMI = 7 };
inline constexpr const char* tokenNames[] = {"<0>", "EOF", "<2>", "NULL_TREE_LOOKAHEAD", "ID", "PLUS", "STAR", "SEMI"};
inline constexpr int numTokens = 8;

// Returns the set of `members`.
inline BitSet setOf(std::initializer_list<unsigned int> members)
{
    BitSet set;
    for (unsigned int m : members)
        set.add(m);
    return set;
}

// Returns a new CommonAST node of `type` and `text`.
inline ASTRefCount<AST> node(int type, const std::string& text)
{
    ASTRefCount<AST> n = CommonAST::factory();
    n->initialize(type, text);
    return n;
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
