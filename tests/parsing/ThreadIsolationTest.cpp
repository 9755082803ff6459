#include "Calculator.hpp"

#include <orvel/ASTFactory.hpp>
#include <orvel/TreeParser.hpp>

#include <gtest/gtest.h>

#include <future>
#include <sstream>
#include <string>
#include <vector>

using namespace orvel;

namespace {

// Runs the calculator example's whole pipeline (lexer, rewrite engine, tree-
// building parser, evaluating tree parser, error presenter) `rounds` times,
// and copies the shared null node; returns what went wrong, if anything.
std::string runPipeline(int rounds)
{
    for (int i = 0; i < rounds; ++i) {
        std::ostringstream out;
        std::ostringstream err;
        const int errors = calc::run("let x = 4; let y = x * (x - 1); print y / 2; print ((1 + 2)) * 3 % z;",
                                     "t", calc::Options(), out, err);
        if (errors != 1 || out.str() != "6\n" || err.str().rfind("t:1:68: unknown variable z\n", 0) != 0)
            return out.str() + err.str();
        ASTFactory factory;
        ASTRefCount<AST> null = TreeParser::ASTNULL;
        for (int k = 0; k < 100; ++k)
            null = factory.dupTree(null->getFirstChild());
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
