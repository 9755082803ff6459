// Reads arbitrary bytes with the JSON reader of examples/json (lexer and
// tree-building parser generated from json.g): every input ends in a tree or
// a recognition error, the same whether the lexer reads the bytes from memory
// or from a stream in small blocks; the tree printed by the tree parser reads
// again into the same printout.
#include "json.hpp"

#include "Check.hpp"

#include <orvel/RecognitionException.hpp>

#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

namespace {

// Little nesting, so that the sanitizers' larger frames fit the fuzzer's stack.
constexpr int nestingLimit = 200;

// Sets `printout` to the pretty printout of `text` and returns true, or
// returns false when `text` is no JSON document. The lexer reads `text` in
// blocks of `block` bytes, or from memory when `block` is 0.
bool pretty(const std::string& text, std::string& printout, std::size_t block = 0)
{
    std::istringstream in(text);
    json::JsonLexer lexer(block == 0 ? orvel::InputWindow(std::string_view(text)) : orvel::InputWindow(in, block));
    json::JsonParser parser(lexer);
    parser.setNestingLimit(nestingLimit);
    json::JsonPrinter printer;
    printer.setNestingLimit(nestingLimit);
    std::ostringstream out;
    try {
        parser.document();
        printer.document(parser.getAST(), out);
    } catch (const orvel::RecognitionException&) {
        return false;
    }
    printout = out.str();
    return true;
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string first;
    std::string blockwise;
    const bool read = pretty(text, first);
    check(read == pretty(text, blockwise, 1 + size % 7) && blockwise == first);
    if (!read)
        return 0;
    std::string second;
    check(pretty(first, second) && second == first);
    return 0;
}
