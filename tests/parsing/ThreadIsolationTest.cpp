#include "calc/CalcLanguage.hpp"

#include <orvel/CommonASTWithHiddenTokens.hpp>
#include <orvel/CommonHiddenStreamToken.hpp>
#include <orvel/TokenStreamBasicFilter.hpp>
#include <orvel/TokenStreamHiddenTokenFilter.hpp>

#include <gtest/gtest.h>

#include <future>
#include <sstream>
#include <string>
#include <vector>

using namespace orvel;

namespace {

// Lexes, filters (the parentheses are hidden), parses, copies, compares and
// evaluates one program `rounds` times; returns what went wrong, if anything.
std::string runPipeline(int rounds)
{
    for (int i = 0; i < rounds; ++i) {
        std::istringstream in("x = 4; y = x * (x - 1); print y / 2; print ((1 + 2)) * 3;");
        calc::CalcLexer lexer(in, "t");
        lexer.setTokenObjectFactory(&CommonHiddenStreamToken::factory);
        TokenStreamHiddenTokenFilter hiding(lexer);
        hiding.hide(calc::LPAREN);
        hiding.hide(calc::RPAREN);
        TokenStreamBasicFilter filter(hiding);
        ASTFactory factory(CommonASTWithHiddenTokens::TYPE_NAME, &CommonASTWithHiddenTokens::factory);
        calc::CalcParser parser(filter, factory);
        parser.program();
        const ASTRefCount<AST> tree = factory.dupList(parser.getAST());
        if (!tree->equalsList(parser.getAST()))
            return "the copy differs";
        calc::CalcEvaluator evaluator;
        evaluator.program(tree);
        if (evaluator.printed != std::vector<long>{7, 7})
            return "wrong values";
        ASTRefCount<AST> null = TreeParser::ASTNULL;
        for (int k = 0; k < 100; ++k)
            null = factory.dupTree(null->getFirstChild());
        try {
            evaluator.expr(nullAST);
            return "an empty tree was evaluated";
        } catch (const RecognitionException&) {
        }
    }
    return "";
}

}

TEST(ThreadIsolation, FourThreadsRunWholePipelinesAtOnce)
{
    std::vector<std::future<std::string>> runs;
    for (int t = 0; t < 4; ++t)
        runs.push_back(std::async(std::launch::async, runPipeline, 200));
    for (auto& run : runs)
        EXPECT_EQ("", run.get());
    EXPECT_EQ("<ASTNULL>", TreeParser::ASTNULL->getText());
}
