// A calculator built on orvel: a hand-written lexer, an LL(2) parser that
// builds trees through an ASTFactory, and a tree parser that evaluates them.
//
//     orvel_example_calc 'x = 4; print x * (x - 1);'
//     echo 'print 1 +;' | orvel_example_calc
//
// Prints the tree the parser built, then the value of every print statement.
// Errors are reported on stderr as "file:line:column: message", followed by
// the source line and a caret under the column.
#include "calc/CalcLanguage.hpp"

#include <orvel/ASTFactory.hpp>
#include <orvel/ErrorPresenter.hpp>

#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <utility>

namespace {

// A recognizer whose error reports show where in the source the error is.
template <class Recognizer>
class Presenting : public Recognizer {
public:
    template <class... Args>
    explicit Presenting(const orvel::ErrorPresenter& presenter_, Args&&... args)
        : Recognizer(std::forward<Args>(args)...), presenter(presenter_)
    {
    }

    using Recognizer::reportError;
    void reportError(const orvel::RecognitionException& ex) override
    {
        presenter.present(std::cerr, ex);
    }

private:
    const orvel::ErrorPresenter& presenter;
};

}

int main(int argc, char** argv)
{
    const bool fromArgument = argc > 1;
    const std::string text =
        fromArgument ? argv[1] : std::string(std::istreambuf_iterator<char>(std::cin), {});
    const orvel::ErrorPresenter presenter(text);
    std::istringstream source(text);

    Presenting<orvel::calc::CalcLexer> lexer(presenter, source,
                                             fromArgument ? "<argument>" : "<stdin>");
    orvel::ASTFactory factory;
    Presenting<orvel::calc::CalcParser> parser(presenter, lexer, factory);
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
