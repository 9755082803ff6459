#ifndef ORVELC_REPORT_REPORT_HPP
#define ORVELC_REPORT_REPORT_HPP

#include "analysis/Analysis.hpp"
#include "reader/Grammar.hpp"

#include <string>

namespace orvelc {

// The grammar report: one self-contained HTML page (no script, nothing
// fetched) with, for each rule of each grammar, its railroad diagram, the
// rules that use it, the lookahead of each of its decisions and the
// ambiguity warnings about it with their examples.
class Report {
public:
    // Reads `file` and `info`, an analysed file without errors, which must
    // outlive the report.
    Report(const GrammarFile& file, const FileInfo& info) : file_(file), info_(info) {}

    // The page.
    std::string html() const;

private:
    std::string grammar(const GrammarInfo& g) const;
    std::string rule(const GrammarInfo& g, std::size_t index) const;
    // The lookahead table of `d`; a token decision's rows name the token
    // rules of lexer mode `mode`.
    std::string decision(const GrammarInfo& g, const Decision& d, std::size_t mode = 0) const;
    std::string conflicts(const GrammarInfo& g, int rule) const;
    std::string set(const GrammarInfo& g, const SymbolSet& s) const;

    const GrammarFile& file_;
    const FileInfo& info_;
};

}

#endif
