#ifndef ORVELC_COMPILE_HPP
#define ORVELC_COMPILE_HPP

#include "Diagnostics.hpp"
#include "analysis/Analysis.hpp"
#include "codegen/CppGenerator.hpp"

#include <istream>
#include <string>
#include <vector>

namespace orvelc {

struct CompileSettings {
    AnalysisSettings analysis;
    bool lineDirectives = true;  // mark the code copied from the grammar with #line
    bool report = false;         // add `<stem>.html`, the grammar report, as the last output
};

// Reads the grammar file `path` from `in`, analyses it and generates its
// outputs in memory, named after the stem of `path`. Errors and warnings go
// to `diagnostics`; the result is empty when any error was reported. Reads
// no file other than the vocabularies that `import` finds in
// `settings.analysis.vocabularyDirs`, and writes none.
std::vector<OutputFile> compile(std::istream& in, const std::string& path,
                                const CompileSettings& settings, Diagnostics& diagnostics);

}

#endif
