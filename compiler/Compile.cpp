#include "Compile.hpp"

#include "reader/GrammarLexer.hpp"
#include "reader/GrammarParser.hpp"
#include "report/Report.hpp"

#include <orvel/ORVELException.hpp>

namespace orvelc {

namespace {

// The file name without its directory and from its first dot on.
std::string stemOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const auto dot = name.find('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

}

std::vector<OutputFile> compile(std::istream& in, const std::string& path,
                                const CompileSettings& settings, Diagnostics& diagnostics)
{
    GrammarFile file;
    file.path = path;
    file.stem = stemOf(path);
    try {
        GrammarLexer lexer(in, path, diagnostics);
        GrammarParser parser(lexer, path, diagnostics);
        parser.parseFile(file);
    } catch (const orvel::ORVELException& ex) {
        diagnostics.error({0, 0}, ex.toString());
    }
    if (diagnostics.errorCount() > 0)
        return {};
    FileInfo info;
    analyze(file, settings.analysis, diagnostics, info);
    if (diagnostics.errorCount() > 0)
        return {};
    std::vector<OutputFile> outputs = generate(file, info, settings.lineDirectives);
    if (settings.report)
        outputs.push_back({file.stem + ".html", Report(file, info).html()});
    return outputs;
}

}
