// Characters to computed results through a lexer, an LL(2) parser that builds
// trees and a tree parser that evaluates them.
#include "calc/CalcLanguage.hpp"
#include "support/Fixtures.hpp"

#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace orvel;

TEST(CalcLanguage, ComputesWhatTheStatementsPrintAndReportsErrorsGoingOnAfterTheSemicolon)
{
    const struct {
        const char* source;
        std::vector<long> printed;
        const char* errors;
        const char* tree;
    } cases[] = {
        {"print 10 - 4 - 3; print 8 / 2 / 2;", {3, 2}, "", nullptr},
        {"a = 1; b = a + 1;\n\tprint a; print b;", {1, 2}, "", nullptr},
        {"  \n\n ", {}, "", ""},
        {"x = 1 + 2 * 3; print (x - 1) / 2; x + 1;", {3}, "",
         " ( = x ( + 1 ( * 2 3 ) ) ) ( print ( / ( - x 1 ) 2 ) ) ( + x 1 )"},
        {"print (1 + 2;\nprint 3;\n", {3}, "calc.txt:1:13: expecting ')', found ';'\n", nullptr},
        {"x = 1\nprint x;\nprint 5;\n", {5}, "calc.txt:2:1: expecting ';', found 'print'\n", " ( print 5 )"},
        {"print 1", {}, "calc.txt:1:8: expecting ';', found ''\n", nullptr},
        {"x = = 1;\nprint 7;", {7}, "calc.txt:1:5: unexpected token: =\n", nullptr},
        {"print ); print (; print 6;", {6}, "calc.txt:1:7: unexpected token: )\ncalc.txt:1:17: unexpected token: ;\n",
         nullptr},
        {"print 2 #;\nprint 3;", {2, 3}, "calc.txt:1:9: unexpected char: '#'\n", nullptr},
        {"print 1 / 0;\nprint y;\n", {0, 0}, "error: division by zero\nwarning: y is not set; taking 0\n", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source);
        test::CaptureStream err(std::cerr);
        std::istringstream in(c.source);
        calc::CalcLexer lexer(in, "calc.txt");
        ASTFactory factory;
        calc::CalcParser parser(lexer, factory);
        parser.setFilename(lexer.getFilename());
        parser.program();
        const ASTRefCount<AST> tree = parser.getAST();
        calc::CalcEvaluator evaluator;
        evaluator.program(tree);
        EXPECT_EQ(c.printed, evaluator.printed);
        EXPECT_EQ(c.errors, err.text());
        if (c.tree) {
            EXPECT_EQ(c.tree, tree ? tree->toStringList() : "");
        }
    }
}

}
