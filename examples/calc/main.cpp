// A calculator built on orvel: a hand-written lexer, an LL(2) parser that
// builds trees through an ASTFactory, and a tree parser that evaluates them.
//
//     orvel_example_calc 'x = 4; print x * (x - 1);'
//     echo 'print 1 +;' | orvel_example_calc
//
// Prints the tree the parser built, then the value of every print statement.
// Errors are reported on stderr as "file:line:column: message".
#include "calc/CalcLanguage.hpp"

#include <orvel/ASTFactory.hpp>

#include <iostream>
#include <iterator>
#include <sstream>
#include <string>

int main(int argc, char** argv)
{
    const bool fromArgument = argc > 1;
    std::istringstream source(fromArgument ? argv[1]
                                           : std::string(std::istreambuf_iterator<char>(std::cin), {}));

    orvel::calc::CalcLexer lexer(source, fromArgument ? "<argument>" : "<stdin>");
    orvel::ASTFactory factory;
    orvel::calc::CalcParser parser(lexer, factory);
    parser.setFilename(lexer.getFilename());
    parser.program();

    const orvel::ASTRefCount<orvel::AST> tree = parser.getAST();
    std::cout << "tree:" << (tree ? tree->toStringList() : std::string(" (empty)")) << '\n';

    orvel::calc::CalcEvaluator evaluator;
    evaluator.program(tree);
    for (long value : evaluator.printed)
        std::cout << value << '\n';
    return 0;
}
