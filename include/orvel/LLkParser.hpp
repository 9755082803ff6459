#ifndef ORVEL_LLKPARSER_HPP
#define ORVEL_LLKPARSER_HPP

#include <orvel/Export.hpp>
#include <orvel/Parser.hpp>
#include <orvel/ParserInputState.hpp>
#include <orvel/RefCount.hpp>
#include <orvel/Token.hpp>
#include <orvel/TokenBuffer.hpp>
#include <orvel/TokenRefCount.hpp>

#include <string>

namespace orvel {

class TokenStream;

// The base of generated LL(k) parsers. Lookahead and consume go to the
// TokenBuffer of the shared input state, which pulls tokens from its stream
// only as deep as lookahead asks. LA(), LT(), consume() and match(int) are
// inline, so that a parser class marked final calls them without a virtual
// dispatch and takes buffered tokens straight from the buffer. Rule traces
// show the text of all k lookahead tokens; a lookahead that fails while the
// trace fetches it is shown in the line instead of ending the trace.
//
// Still abstract: the generated parser supplies the tree of the last rule and
// the token-name table.
class ORVEL_API LLkParser : public Parser {
public:
    // A parser of lookahead depth `k` sharing `state` with other parsers.
    LLkParser(const RefCount<ParserInputState>& state, int k);
    // A parser of lookahead depth `k` reading `buffer`, which the caller keeps
    // and frees.
    LLkParser(TokenBuffer& buffer, int k);
    // A parser of lookahead depth `k` reading `lexer` through a new buffer,
    // which its input state owns: the buffer goes with the last parser sharing
    // the state. `lexer` is not owned.
    LLkParser(TokenStream& lexer, int k);
    ~LLkParser() override;

    // Returns the type of the i-th lookahead token of the shared buffer.
    int LA(unsigned int i) override { return inputState->input->LA(i); }
    // Returns the i-th lookahead token of the shared buffer.
    TokenRefCount<Token> LT(unsigned int i) override { return inputState->input->LT(i); }
    // Counts one consume in the shared buffer.
    void consume() override { inputState->input->consume(); }
    // As Parser::match(int): consumes the current token if it is of type
    // `t`, otherwise throws MismatchedTokenException and consumes nothing;
    // debug lines when DEBUG_PARSER is set. Inline, so that a final parser
    // matches the expected token without a call.
    void match(int t) override
    {
        if (!DEBUG_PARSER && LA(1) == t)
            consume();
        else
            Parser::match(t);
    }
    using Parser::match;
    // Enters a traced rule: one level deeper, then trace("> ", ruleName).
    void traceIn(const char* ruleName) override;
    // Leaves a traced rule: trace("< ", ruleName), then one level up.
    void traceOut(const char* ruleName) override;

    // Writes the indentation, `prefix`, `ruleName`, "; " (or "; [guessing]")
    // and "LA(i)==text" for i from 1 to k, separated by ", ", to std::cout.
    // An ORVELException raised while a token is fetched shows as
    // "[error: <its toString()>]" in place of the text.
    void trace(const char* prefix, const char* ruleName);

protected:
    int k;

private:
    std::string lookaheadText(unsigned int i);
};

}

#endif
