// Runs a generated recognizer over the file named on the command line. With a
// parser, calls its start rule and exits 1 when anything was reported; with
// only a lexer, prints tokens=N lines=L lensum=S.
#include RECOGNIZER_HEADER

#include <orvel/RecognitionException.hpp>

#include <cstdint>
#include <fstream>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    std::ifstream in(argv[1], std::ios::binary);
    const std::string path = argv[1];
    const std::string name = path.substr(path.find_last_of('/') + 1);
    LEXER lexer(in);
    lexer.setFilename(name);
#ifdef PARSER
    PARSER parser(lexer);
    parser.setFilename(name);
    try {
        parser.START();
    } catch (const orvel::RecognitionException& ex) {
        parser.reportError(ex);
        return 1;
    }
    return lexer.errors + parser.errors > 0 ? 1 : 0;
#else
    std::uint32_t tokens = 0;
    std::uint32_t lensum = 0;
    for (auto t = lexer.nextToken(); t->getType() != orvel::Token::EOF_TYPE; t = lexer.nextToken())
        lensum += ++tokens * static_cast<std::uint32_t>(t->getText().size());
    std::cout << "tokens=" << tokens << " lines=" << lexer.lines << " lensum=" << lensum << '\n';
    return 0;
#endif
}
