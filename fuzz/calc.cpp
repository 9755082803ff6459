// The calculator's whole pipeline (generated lexer, rewrite engine, tree-
// building parser, evaluating tree parser) on arbitrary text, in every mode;
// text read without an error is written back byte for byte by a rename that
// changes nothing.
#include "Calculator.hpp"

#include "Check.hpp"

#include <cstdint>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string source(reinterpret_cast<const char*>(data), size);
    for (calc::Show show : {calc::Show::values, calc::Show::tokens, calc::Show::trees, calc::Show::dot}) {
        std::ostringstream out;
        std::ostringstream err;
        check(calc::run(source, "fuzz", {show, false, "", ""}, out, err) >= 0);
    }
    std::ostringstream out;
    std::ostringstream err;
    const int errors = calc::run(source, "fuzz", {calc::Show::renamed, false, "x", "x"}, out, err);
    check(errors > 0 || out.str() == source);
    return 0;
}
