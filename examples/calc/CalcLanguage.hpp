#ifndef ORVEL_EXAMPLES_CALC_CALCLANGUAGE_HPP
#define ORVEL_EXAMPLES_CALC_CALCLANGUAGE_HPP

// A small calculator language written the way a grammar compiler writes
// recognizers on orvel:
//
//     program   : (statement)* EOF ;
//     statement : ID "="^ expr ";"!      (k = 2: ID "=" against an expression)
//               | "print"^ expr ";"!
//               | expr ";"! ;
//     expr      : term (("+"^ | "-"^) term)* ;
//     term      : factor (("*"^ | "/"^) factor)* ;
//     factor    : INT | ID | "("! expr ")"! ;
//
// The lexer reports a character it does not know and skips it; the parser
// reports a syntax error and goes on after the next ";"; the tree parser
// computes what the statements print and the variables they set.

#include <orvel/ASTFactory.hpp>
#include <orvel/ASTPair.hpp>
#include <orvel/BitSet.hpp>
#include <orvel/CharBuffer.hpp>
#include <orvel/CharScanner.hpp>
#include <orvel/LLkParser.hpp>
#include <orvel/NoViableAltException.hpp>
#include <orvel/NoViableAltForCharException.hpp>
#include <orvel/RecognitionException.hpp>
#include <orvel/TreeParser.hpp>

#include <istream>
#include <map>
#include <string>
#include <vector>

namespace orvel::calc {

enum TokenType : int {
    ID = 4,
    INT,
    ASSIGN,
    SEMI,
    PLUS,
    MINUS,
    STAR,
    SLASH,
    LPAREN,
    RPAREN,
    PRINT,
};

inline constexpr const char* tokenNames[] = {
    "<0>", "EOF", "<2>", "NULL_TREE_LOOKAHEAD", "ID",  "INT", "'='",      "';'",
    "'+'", "'-'", "'*'", "'/'",                 "'('", "')'", "\"print\"",
};
inline constexpr int numTokens = PRINT + 1;

class CalcLexer : public CharScanner {
public:
    CalcLexer(std::istream& in, const std::string& file) : CharScanner(new CharBuffer(in), true)
    {
        setFilename(file);
        literals["print"] = PRINT;
    }

    bool getLiteralsCaseSensitive() const override { return true; }

    TokenRefCount<Token> nextToken() override
    {
        for (;;) {
            resetText();
            try {
                switch (LA(1)) {
                case ' ':
                case '\t':
                    consume();
                    break;
                case '\n':
                    consume();
                    newline();
                    break;
                case '=': return single(ASSIGN);
                case ';': return single(SEMI);
                case '+': return single(PLUS);
                case '-': return single(MINUS);
                case '*': return single(STAR);
                case '/': return single(SLASH);
                case '(': return single(LPAREN);
                case ')': return single(RPAREN);
                case EOF_CHAR: return finish(Token::EOF_TYPE);
                default:
                    if (isDigit(LA(1)))
                        return number();
                    if (isLetter(LA(1)))
                        return identifier();
                    throw NoViableAltForCharException(LA(1), getFilename(), getLine(),
                                                      getColumn());
                }
            } catch (const RecognitionException& ex) {
                reportError(ex);
                consume();
            }
        }
    }

private:
    static bool isDigit(int c) { return c >= '0' && c <= '9'; }
    static bool isLetter(int c) { return c >= 'a' && c <= 'z'; }

    TokenRefCount<Token> finish(int type)
    {
        TokenRefCount<Token> t = makeToken(type);
        t->setText(getText());
        return t;
    }

    TokenRefCount<Token> single(int type)
    {
        consume();
        return finish(type);
    }

    TokenRefCount<Token> number()
    {
        do
            matchRange('0', '9');
        while (isDigit(LA(1)));
        return finish(INT);
    }

    TokenRefCount<Token> identifier()
    {
        do
            matchRange('a', 'z');
        while (isLetter(LA(1)) || isDigit(LA(1)));
        return finish(testLiteralsTable(ID));
    }
};

class CalcParser : public LLkParser {
public:
    CalcParser(TokenStream& lexer, ASTFactory& factory) : LLkParser(lexer, 2)
    {
        factory.setMaxNodeType(numTokens - 1);
        setASTFactory(&factory);
    }

    ASTRefCount<AST> getAST() override { return returnAST; }
    const char* getTokenName(int num) const override { return tokenNames[num]; }
    const char* const* getTokenNames() const override { return tokenNames; }
    int getNumTokens() const override { return numTokens; }

    // Writes rule traces while true.
    bool tracing = false;

    void program()
    {
        const Tracer trace(this, "program");
        ASTPair currentAST;
        while (LA(1) != Token::EOF_TYPE) {
            statement();
            astFactory->addASTChild(currentAST, returnAST);
        }
        match(Token::EOF_TYPE);
        returnAST = currentAST.root;
    }

    void statement()
    {
        const Tracer trace(this, "statement");
        ASTPair currentAST;
        try {
            if (LA(1) == ID && LA(2) == ASSIGN) {
                astFactory->addASTChild(currentAST, astFactory->create(LT(1)));
                match(ID);
                astFactory->makeASTRoot(currentAST, astFactory->create(LT(1)));
                match(ASSIGN);
            } else if (LA(1) == PRINT) {
                astFactory->makeASTRoot(currentAST, astFactory->create(LT(1)));
                match(PRINT);
            }
            expr();
            astFactory->addASTChild(currentAST, returnAST);
            match(SEMI);
            returnAST = currentAST.root;
        } catch (const RecognitionException& ex) {
            reportError(ex);
            consumeUntil(SEMI);
            if (LA(1) == SEMI)
                consume();
            returnAST = nullAST;
        }
    }

    void expr()
    {
        const Tracer trace(this, "expr");
        binary(&CalcParser::term, additive());
    }

    void term()
    {
        const Tracer trace(this, "term");
        binary(&CalcParser::factor, multiplicative());
    }

    void factor()
    {
        const Tracer trace(this, "factor");
        ASTPair currentAST;
        switch (LA(1)) {
        case INT:
            astFactory->addASTChild(currentAST, astFactory->create(LT(1)));
            match(INT);
            break;
        case ID:
            astFactory->addASTChild(currentAST, astFactory->create(LT(1)));
            match(ID);
            break;
        case LPAREN:
            match(LPAREN);
            expr();
            astFactory->addASTChild(currentAST, returnAST);
            match(RPAREN);
            break;
        default:
            throw NoViableAltException(LT(1), getFilename());
        }
        returnAST = currentAST.root;
    }

private:
    // Traces a rule from its start to its end when tracing is on.
    class Tracer {
    public:
        Tracer(CalcParser* parser_, const char* rule_) : parser(parser_), rule(rule_)
        {
            if (parser->tracing)
                parser->traceIn(rule);
        }
        ~Tracer()
        {
            if (parser->tracing)
                parser->traceOut(rule);
        }
        Tracer(const Tracer&) = delete;
        Tracer& operator=(const Tracer&) = delete;

    private:
        CalcParser* parser;
        const char* rule;
    };

    static BitSet additive()
    {
        BitSet set;
        set.add(PLUS);
        set.add(MINUS);
        return set;
    }

    static BitSet multiplicative()
    {
        BitSet set;
        set.add(STAR);
        set.add(SLASH);
        return set;
    }

    // operand ((op)^ operand)* for the operators in `operators`.
    void binary(void (CalcParser::*operand)(), const BitSet& operators)
    {
        ASTPair currentAST;
        (this->*operand)();
        astFactory->addASTChild(currentAST, returnAST);
        while (operators.member(static_cast<unsigned int>(LA(1)))) {
            astFactory->makeASTRoot(currentAST, astFactory->create(LT(1)));
            match(operators);
            (this->*operand)();
            astFactory->addASTChild(currentAST, returnAST);
        }
        returnAST = currentAST.root;
    }

    ASTRefCount<AST> returnAST;
};

class CalcEvaluator : public TreeParser {
public:
    ASTRefCount<AST> getAST() override { return nullAST; }
    const char* getTokenName(int num) const override { return tokenNames[num]; }
    int getNumTokens() const override { return numTokens; }
    const char* const* getTokenNames() const override { return tokenNames; }

    // The values of the print statements, in order.
    std::vector<long> printed;
    // The variables the assignments set.
    std::map<std::string, long> variables;

    // Runs every statement of the list that starts at `t`; a statement whose
    // tree does not fit is reported and skipped.
    void program(ASTRefCount<AST> t)
    {
        for (; t.get(); t = t->getNextSibling()) {
            try {
                statement(t);
            } catch (const RecognitionException& ex) {
                reportError(ex);
            }
        }
    }

    void statement(const ASTRefCount<AST>& t)
    {
        switch (t->getType()) {
        case ASSIGN: {
            match(t, ASSIGN);
            const ASTRefCount<AST> target = t->getFirstChild();
            match(target, ID);
            variables[target->getText()] = expr(target->getNextSibling());
            break;
        }
        case PRINT:
            match(t, PRINT);
            printed.push_back(expr(t->getFirstChild()));
            break;
        default:
            matchNot(t, ASSIGN);
            expr(t);
        }
    }

    long expr(ASTRefCount<AST> t)
    {
        if (!t.get())
            t = ASTNULL;
        switch (t->getType()) {
        case PLUS:
        case MINUS:
        case STAR:
        case SLASH:
            return operation(t);
        case INT:
            match(t, INT);
            return std::stol(t->getText());
        case ID:
            match(t, ID);
            return variable(t->getText());
        default:
            throw NoViableAltException(t);
        }
    }

private:
    long operation(const ASTRefCount<AST>& t)
    {
        match(t, operators());
        const ASTRefCount<AST> left = t->getFirstChild();
        const long a = expr(left);
        const long b = expr(left->getNextSibling());
        switch (t->getType()) {
        case PLUS: return a + b;
        case MINUS: return a - b;
        case STAR: return a * b;
        default: return quotient(a, b);
        }
    }

    long quotient(long a, long b)
    {
        if (b != 0)
            return a / b;
        reportError("division by zero");
        return 0;
    }

    long variable(const std::string& name)
    {
        const auto found = variables.find(name);
        if (found != variables.end())
            return found->second;
        reportWarning(name + " is not set; taking 0");
        return 0;
    }

    static BitSet operators()
    {
        BitSet set;
        for (int op : {PLUS, MINUS, STAR, SLASH})
            set.add(static_cast<unsigned int>(op));
        return set;
    }
};

}

#endif
