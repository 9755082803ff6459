// Characters to computed results through a lexer, an LL(2) parser that builds
// trees and a tree parser that evaluates them.
#include <orvel/ASTFactory.hpp>

#include "calc/CalcLanguage.hpp"
#include "support/Expect.hpp"

#include <gtest/gtest.h>

#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace orvel {
namespace {

using calc::CalcEvaluator;
using calc::CalcLexer;
using calc::CalcParser;

struct Outcome {
    std::string tree;
    std::vector<long> printed;
    std::map<std::string, long> variables;
    std::string errors;
};

// Lexes, parses and evaluates `source`, read from a file named calc.txt.
Outcome run(const std::string& source)
{
    test::CaptureStream err(std::cerr);
    std::istringstream in(source);
    CalcLexer lexer(in, "calc.txt");
    ASTFactory factory;
    CalcParser parser(lexer, factory);
    parser.setFilename(lexer.getFilename());
    parser.program();
    const ASTRefCount<AST> tree = parser.getAST();
    CalcEvaluator evaluator;
    evaluator.program(tree);
    return {tree.get() ? tree->toStringList() : "", evaluator.printed, evaluator.variables,
            err.text()};
}

TEST(CalcLanguage, ComputesWhatTheStatementsPrint)
{
    const struct {
        const char* source;
        std::vector<long> printed;
    } cases[] = {
        {"print 1 + 2 * 3;", {7}},
        {"print (1 + 2) * (3 + 4);", {21}},
        {"print 10 - 4 - 3;", {3}},
        {"print 8 / 2 / 2;", {2}},
        {"x = 4;\ny = x * (x - 1);\nprint y / 2;\n", {6}},
        {"a = 1; b = a + 1;\n\tprint a; print b;", {1, 2}},
        {"print 007;print((((9))));", {7, 9}},
        {"", {}},
        {"  \n\n ", {}},
    };
    for (const auto& c : cases) {
        const Outcome r = run(c.source);
        EXPECT_EQ(c.printed, r.printed) << c.source;
        EXPECT_EQ("", r.errors) << c.source;
    }
}

TEST(CalcLanguage, BuildsOneTreePerStatementWithOperatorsAsRoots)
{
    const Outcome r = run("x = 1 + 2 * 3; print (x - 1) / 2; x + 1;");
    EXPECT_EQ(" ( = x ( + 1 ( * 2 3 ) ) ) ( print ( / ( - x 1 ) 2 ) ) ( + x 1 )", r.tree);
    EXPECT_EQ((std::map<std::string, long>{{"x", 7}}), r.variables);
    EXPECT_EQ(std::vector<long>{3}, r.printed);
}

TEST(CalcLanguage, SecondLookaheadTellsAnAssignmentFromAnExpression)
{
    const Outcome r = run("x = 2; x + 1; x = x * x; x;");
    EXPECT_EQ(" ( = x 2 ) ( + x 1 ) ( = x ( * x x ) ) x", r.tree);
    EXPECT_EQ(4, r.variables.at("x"));
    EXPECT_EQ("", r.errors);
}

TEST(CalcLanguage, SyntaxErrorsAreReportedWithPositionAndParsingGoesOnAfterTheSemicolon)
{
    const struct {
        const char* source;
        const char* errors;
        std::vector<long> printed;
    } cases[] = {
        {"print (1 + 2;\nprint 3;\n", "calc.txt:1:13: expecting ')', found ';'\n", {3}},
        {"x = 1 + ;\nprint 2;\n", "calc.txt:1:9: unexpected token: ;\n", {2}},
        {"x = 1\nprint x;\nprint 5;\n", "calc.txt:2:1: expecting ';', found 'print'\n", {5}},
        {"print 1", "calc.txt:1:8: expecting ';', found ''\n", {}},
        {"= 3; print 4;", "calc.txt:1:1: unexpected token: =\n", {4}},
        {"x = = 1;\nprint 7;", "calc.txt:1:5: unexpected token: =\n", {7}},
        {"print ); print (; print 6;",
         "calc.txt:1:7: unexpected token: )\ncalc.txt:1:17: unexpected token: ;\n",
         {6}},
        {"print 2 #;\nprint 3;", "calc.txt:1:9: unexpected char: '#'\n", {2, 3}},
    };
    for (const auto& c : cases) {
        const Outcome r = run(c.source);
        EXPECT_EQ(c.errors, r.errors) << c.source;
        EXPECT_EQ(c.printed, r.printed) << c.source;
    }
}

TEST(CalcLanguage, BrokenStatementLeavesNoTreeBehind)
{
    const Outcome r = run("x = 1 print x; y = 2;");
    EXPECT_EQ(" ( = y 2 )", r.tree);
    EXPECT_EQ((std::map<std::string, long>{{"y", 2}}), r.variables);
}

TEST(CalcLanguage, EvaluatorReportsWithoutAFileName)
{
    const Outcome r = run("print 1 / 0;\nprint y;\n");
    EXPECT_EQ("error: division by zero\nwarning: y is not set; taking 0\n", r.errors);
    EXPECT_EQ((std::vector<long>{0, 0}), r.printed);
}

TEST(CalcLanguage, EvaluatorReportsTreesThatDoNotFitAndGoesOn)
{
    ASTFactory factory;
    factory.setMaxNodeType(calc::PRINT);
    const ASTRefCount<AST> badAssign = factory.create(calc::ASSIGN, "=");
    badAssign->addChild(factory.create(calc::INT, "1"));
    badAssign->addChild(factory.create(calc::INT, "2"));
    const ASTRefCount<AST> badPrint = factory.create(calc::PRINT, "print");
    const ASTRefCount<AST> plus = factory.create(calc::PLUS, "+");
    plus->addChild(factory.create(calc::INT, "1"));
    badPrint->addChild(plus);
    const ASTRefCount<AST> goodPrint = factory.create(calc::PRINT, "print");
    goodPrint->addChild(factory.create(calc::INT, "5"));
    badAssign->setNextSibling(badPrint);
    badPrint->setNextSibling(goodPrint);

    CalcEvaluator evaluator;
    test::CaptureStream err(std::cerr);
    evaluator.program(badAssign);
    EXPECT_EQ("<AST>: expecting ID, found '1'\n"
              "<AST>: unexpected AST node: <ASTNULL>\n",
              err.text());
    EXPECT_EQ(std::vector<long>{5}, evaluator.printed);
}

TEST(CalcLanguage, RuleTraceShowsTwoTokensOfLookahead)
{
    std::istringstream in("print 1;");
    CalcLexer lexer(in, "calc.txt");
    ASTFactory factory;
    CalcParser parser(lexer, factory);
    parser.tracing = true;
    test::CaptureStream out(std::cout);
    parser.program();
    EXPECT_EQ(" > program; LA(1)==print, LA(2)==1\n"
              "  > statement; LA(1)==print, LA(2)==1\n"
              "   > expr; LA(1)==1, LA(2)==;\n"
              "    > term; LA(1)==1, LA(2)==;\n"
              "     > factor; LA(1)==1, LA(2)==;\n"
              "     < factor; LA(1)==;, LA(2)==\n"
              "    < term; LA(1)==;, LA(2)==\n"
              "   < expr; LA(1)==;, LA(2)==\n"
              "  < statement; LA(1)==, LA(2)==\n"
              " < program; LA(1)==, LA(2)==\n",
              out.text());
}

}
}
