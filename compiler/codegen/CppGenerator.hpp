#ifndef ORVELC_CODEGEN_CPPGENERATOR_HPP
#define ORVELC_CODEGEN_CPPGENERATOR_HPP

#include "analysis/Analysis.hpp"
#include "reader/Grammar.hpp"

#include <string>
#include <vector>

namespace orvelc {

struct OutputFile {
    std::string name;
    std::string content;
};

// Writes `<stem>.hpp` (token types and classes), `<stem>.cpp` (rule code)
// and `<stem>.vocab` (the vocabulary, for files that import it) for an
// analysed file that has no errors. With `lineDirectives`, the code copied
// from the grammar is marked with `#line` directives naming `file.path`.
std::vector<OutputFile> generate(const GrammarFile& file, const FileInfo& info, bool lineDirectives);

}

#endif
