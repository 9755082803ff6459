// Runs a generated recognizer over the file named on the command line. With a
// parser, calls its start rule and exits 1 when anything was reported; with
// TOKEN_NAMES, lists the lexer's tokens and its error count; with only a
// lexer, prints tokens=N lines=L lensum=S. A recognizer that stops at its
// error limit exits 1 after saying so.
//
// A second argument says how the lexer reads the file: `stream` (the
// default, blocks of the window's default size), `bytewise` (blocks of one
// byte, so that every token, mark and lookahead crosses refills), `memory`
// (the whole file held by the caller) or `buffer` (a CharBuffer). All four
// must print the same.
#include RECOGNIZER_HEADER

#include <orvel/CharBuffer.hpp>
#include <orvel/ErrorLimitException.hpp>
#include <orvel/RecognitionException.hpp>
#include <orvel/TextUtils.hpp>

#include <cstdint>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string_view>
#include <utility>

namespace {

int run(LEXER& lexer, const std::string& name)
{
#ifdef PARSER
    PARSER parser(lexer);
    parser.setFilename(name);
    try {
        parser.START();
    } catch (const orvel::RecognitionException& ex) {
        parser.reportError(ex);
        return 1;
    }
    return lexer.getNumberOfSyntaxErrors() + parser.getNumberOfSyntaxErrors() > 0 ? 1 : 0;
#elif defined(TOKEN_NAMES)
    static_cast<void>(name);
    for (auto t = lexer.nextToken();; t = lexer.nextToken()) {
        std::cout << t->getLine() << ':' << t->getColumn() << (t->getNewlineBefore() ? " ^ " : " ")
                  << TOKEN_NAMES[t->getType()] << " \"" << orvel::displayText(t->getText())
                  << "\"\n";
        if (t->getType() == orvel::Token::EOF_TYPE)
            break;
    }
    std::cout << "errors=" << lexer.getNumberOfSyntaxErrors() << '\n';
    return 0;
#else
    static_cast<void>(name);
    std::uint32_t tokens = 0;
    std::uint32_t lensum = 0;
    for (auto t = lexer.nextToken(); t->getType() != orvel::Token::EOF_TYPE; t = lexer.nextToken())
        lensum += ++tokens * static_cast<std::uint32_t>(t->getTextView().size());
    std::cout << "tokens=" << tokens << " lines=" << lexer.lines << " lensum=" << lensum << '\n';
    return 0;
#endif
}

template <class Source>
int runOn(Source&& source, const std::string& name)
{
    LEXER lexer(std::forward<Source>(source));
    lexer.setFilename(name);
    try {
        return run(lexer, name);
    } catch (const orvel::ErrorLimitException& ex) {
        std::cerr << ex.what() << '\n';
        return 1;
    }
}

}

int main(int argc, char** argv)
{
    if (argc != 2 && argc != 3)
        return 2;
    std::ifstream in(argv[1], std::ios::binary);
    const std::string path = argv[1];
    const std::string name = path.substr(path.find_last_of('/') + 1);
    const std::string via = argc == 3 ? argv[2] : "stream";
    if (via == "stream")
        return runOn(in, name);
    if (via == "bytewise")
        return runOn(orvel::InputWindow(in, 1), name);
    if (via == "memory") {
        const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        return runOn(orvel::InputWindow(std::string_view(bytes)), name);
    }
    if (via == "buffer") {
        orvel::CharBuffer buffer(in);
        return runOn(buffer, name);
    }
    return 2;
}
