#include <orvel/Parser.hpp>

#include <orvel/BitSet.hpp>
#include <orvel/MismatchedTokenException.hpp>
#include <orvel/RecognitionException.hpp>
#include <orvel/TokenBuffer.hpp>

#include <cstddef>
#include <iostream>
#include <string>

#include "foundations/AdoptIntoState.hpp"

namespace orvel {

bool DEBUG_PARSER = false;

namespace {

void writeReport(const std::string& file, const char* kind, const std::string& s)
{
    if (!file.empty())
        std::cerr << file << ": ";
    std::cerr << kind << ": " << s << std::endl;
}

}

Parser::Parser(TokenBuffer& buffer) : inputState(new ParserInputState(buffer)) {}

Parser::Parser(TokenBuffer* buffer) : inputState(detail::adoptIntoState<ParserInputState>(buffer)) {}

Parser::Parser(const RefCount<ParserInputState>& state) : inputState(state) {}

Parser::~Parser() = default;

void Parser::setASTNodeFactory(ASTFactory* factory) { astFactory = factory; }

void Parser::setASTFactory(ASTFactory* factory) { astFactory = factory; }

ASTFactory* Parser::getASTFactory() { return astFactory; }

std::string Parser::getFilename() const { return inputState->filename; }

void Parser::setFilename(const std::string& f) { inputState->filename = f; }

void Parser::setInputState(RefCount<ParserInputState> state) { inputState = state; }

RefCount<ParserInputState> Parser::getInputState() const { return inputState; }

void Parser::consumeUntil(int tokenType)
{
    while (LA(1) != Token::EOF_TYPE && LA(1) != tokenType)
        consume();
}

void Parser::consumeUntil(const BitSet& set)
{
    while (LA(1) != Token::EOF_TYPE && !set.member(static_cast<unsigned int>(LA(1))))
        consume();
}

void Parser::match(int t)
{
    if (DEBUG_PARSER) {
        const int la = LA(1);
        traceIndent();
        std::cout << "enter match(" << t << ") with LA(1)=" << la << std::endl;
    }
    if (LA(1) != t) {
        if (DEBUG_PARSER) {
            const int la = LA(1);
            traceIndent();
            std::cout << "token mismatch: " << la << "!=" << t << std::endl;
        }
        throw MismatchedTokenException(getTokenNames(), getNumTokens(), LT(1), t, false,
                                       getFilename());
    }
    consume();
}

void Parser::matchSoft(int t, const std::string& text)
{
    if (LA(1) == Token::EOF_TYPE || LT(1)->getText() != text)
        throw MismatchedTokenException(getTokenNames(), getNumTokens(), LT(1), t, false,
                                       getFilename());
    consume();
}

void Parser::matchNot(int t)
{
    if (LA(1) == t)
        throw MismatchedTokenException(getTokenNames(), getNumTokens(), LT(1), LA(1), true,
                                       getFilename());
    consume();
}

void Parser::match(const BitSet& b)
{
    if (DEBUG_PARSER) {
        const int la = LA(1);
        traceIndent();
        std::cout << "enter match(bitset) with LA(1)=" << la << std::endl;
    }
    if (!b.member(static_cast<unsigned int>(LA(1)))) {
        if (DEBUG_PARSER) {
            const int la = LA(1);
            traceIndent();
            std::cout << "token mismatch: " << la << " not member of bitset" << std::endl;
        }
        throw MismatchedTokenException(getTokenNames(), getNumTokens(), LT(1), b, false,
                                       getFilename());
    }
    consume();
}

unsigned int Parser::mark() { return inputState->input->mark(); }

void Parser::rewind(unsigned int pos) { inputState->input->rewind(pos); }

void Parser::recover(const RecognitionException&, const BitSet& tokenSet)
{
    consume();
    consumeUntil(tokenSet);
}

void Parser::reportError(const RecognitionException& ex)
{
    std::cerr << ex.toString() << std::endl;
}

void Parser::reportSyntaxError(const RecognitionException& ex)
{
    reportError(ex);
    errorCounter.count();
}

void Parser::reportError(const std::string& s) { writeReport(getFilename(), "error", s); }

void Parser::reportWarning(const std::string& s) { writeReport(getFilename(), "warning", s); }

void Parser::traceIndent()
{
    for (int i = 0; i < traceDepth; ++i)
        std::cout << ' ';
}

void Parser::traceIn(const char* ruleName)
{
    ++traceDepth;
    traceLine("> ", ruleName);
}

void Parser::traceOut(const char* ruleName)
{
    traceLine("< ", ruleName);
    --traceDepth;
}

// The indentation is written here rather than by traceIndent(), so that an
// override of traceIndent() does not change these lines. The line is built
// before anything is written: a failing lookahead leaves no half line behind.
void Parser::traceLine(const char* prefix, const char* ruleName)
{
    const std::size_t indent = traceDepth > 0 ? static_cast<std::size_t>(traceDepth) : 0;
    const std::string line = std::string(indent, ' ') + prefix + ruleName + "; LA(1)=="
                             + LT(1)->getText()
                             + (inputState->guessing > 0 ? " [guessing]" : "");
    std::cout << line << std::endl;
}

}
