#include "sums.hpp"

#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: sums FILE\n";
        return 2;
    }
    std::ifstream file(argv[1]);
    const std::string source(std::istreambuf_iterator<char>(file), {});
    const orvel::ErrorPresenter presenter(source);
    std::istringstream in(source);
    sums::SumLexer lexer(in);
    lexer.setFilename(argv[1]);
    sums::SumParser parser(lexer);
    parser.setFilename(argv[1]);
    parser.presenter = &presenter;
    parser.program();
    return parser.errors > 0 ? 1 : 0;
}
