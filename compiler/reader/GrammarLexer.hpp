#ifndef ORVELC_READER_GRAMMARLEXER_HPP
#define ORVELC_READER_GRAMMARLEXER_HPP

#include "Diagnostics.hpp"

#include <orvel/CharScanner.hpp>

#include <istream>
#include <string>

namespace orvelc {

// Splits a grammar file into tokens. Strings and characters carry their
// decoded value as text; actions and arguments carry what is between their
// brackets. Lexical errors go to the diagnostics and scanning goes on.
class GrammarLexer : public orvel::CharScanner {
public:
    GrammarLexer(std::istream& in, const std::string& file, Diagnostics& diagnostics);

    orvel::TokenRefCount<orvel::Token> nextToken() override;
    bool getLiteralsCaseSensitive() const override { return true; }

private:
    int scanToken();
    int scanQuoted(int quote);
    int scanEscape();
    int scanCodePoint();
    int scanBracketed(int open, int close, int type);
    void skipComment();
    void skipQuotedInside(int quote);
    void consumeNewline();
    orvel::RecognitionException error(const std::string& message) const;

    Diagnostics& diagnostics_;
    bool bracesDelimit_ = false;  // after `options` or `tokens`, braces are delimiters
    bool inNewNode_ = false;      // inside `#[ ]`, where `,` and `]` are delimiters
};

}

#endif
