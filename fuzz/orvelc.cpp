// Runs the grammar compiler on arbitrary bytes as a grammar file, with no
// vocabulary directory (an import finds nothing), and checks that it either
// reports errors and makes nothing, or makes the three files, whose
// vocabulary reads back as it was written.
#include "Compile.hpp"

#include "Check.hpp"

#include <cstdint>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    std::ostringstream messages;
    orvelc::Diagnostics diagnostics("fuzz.g", messages);
    const std::vector<orvelc::OutputFile> outputs =
        orvelc::compile(in, "fuzz.g", orvelc::CompileSettings{}, diagnostics);
    check(diagnostics.errorCount() <= orvelc::Diagnostics::maxErrors);
    if (diagnostics.errorCount() > 0) {
        check(outputs.empty() && !messages.str().empty());
        return 0;
    }
    check(outputs.size() == 3 && outputs[0].name == "fuzz.hpp" && outputs[1].name == "fuzz.cpp" &&
          outputs[2].name == "fuzz.vocab");
    std::istringstream vocabularyText(outputs[2].content);
    orvelc::Vocabulary vocabulary;
    int badLine = 0;
    check(vocabulary.read(vocabularyText, badLine));
    std::ostringstream written;
    vocabulary.write(written);
    check(written.str() == outputs[2].content);
    return 0;
}
