#ifndef ORVELC_ANALYSIS_UTF8LOWERING_HPP
#define ORVELC_ANALYSIS_UTF8LOWERING_HPP

#include "Diagnostics.hpp"
#include "reader/Grammar.hpp"

namespace orvelc {

// Makes a lexer's characters bytes, which is all the analysis and the
// generated code know. In a lexer with `unicode = true`, a character or range
// names code points, and `.` and `~` match one whole code point: each such
// element becomes the subrule of the UTF-8 byte sequences it stands for, so
// that input that is no UTF-8 matches nothing. In any other lexer, a
// character of several bytes is an error.
void lowerUtf8(Grammar& grammar, Diagnostics& diagnostics);

}

#endif
