#include <orvel/LLkParser.hpp>

#include <orvel/ORVELException.hpp>
#include <orvel/TokenBuffer.hpp>
#include <orvel/TokenStream.hpp>

#include <iostream>
#include <string>

namespace orvel {

LLkParser::LLkParser(const RefCount<ParserInputState>& state, int k_) : Parser(state), k(k_)
{
}

LLkParser::LLkParser(TokenBuffer& buffer, int k_) : Parser(buffer), k(k_) {}

LLkParser::LLkParser(TokenStream& lexer, int k_) : Parser(new TokenBuffer(lexer)), k(k_) {}

LLkParser::~LLkParser() = default;

void LLkParser::traceIn(const char* ruleName)
{
    ++traceDepth;
    trace("> ", ruleName);
}

void LLkParser::traceOut(const char* ruleName)
{
    trace("< ", ruleName);
    --traceDepth;
}

void LLkParser::trace(const char* prefix, const char* ruleName)
{
    traceIndent();
    std::cout << prefix << ruleName << (inputState->guessing > 0 ? "; [guessing]" : "; ");
    for (int i = 1; i <= k; ++i) {
        if (i != 1)
            std::cout << ", ";
        std::cout << "LA(" << i << ")==" << lookaheadText(static_cast<unsigned int>(i));
    }
    std::cout << std::endl;
}

std::string LLkParser::lookaheadText(unsigned int i)
{
    try {
        return LT(i)->getText();
    } catch (const ORVELException& e) {
        return "[error: " + e.toString() + "]";
    }
}

}
