#include "Calculator.hpp"

#include "calc.hpp"

#include <orvel/DotWriter.hpp>
#include <orvel/Token.hpp>
#include <orvel/TokenStreamRewriteEngine.hpp>
#include <orvel/TokenWithIndex.hpp>

#include <memory>
#include <sstream>

namespace calc {

namespace {

// Writes each token the parser would read, up to the end of input, as
// "line:column name text".
void writeTokens(orvel::TokenStream& tokens, std::ostream& out)
{
    for (;;) {
        const orvel::TokenRefCount<orvel::Token> t = tokens.nextToken();
        out << t->getLine() << ':' << t->getColumn() << ' ' << calcTokenNames[t->getType()] << ' '
            << t->getText() << '\n';
        if (t->getType() == orvel::Token::EOF_TYPE)
            return;
    }
}

// Returns the text of the tokens the engine has kept, every identifier `from`
// replaced by `to`.
std::string renamed(orvel::TokenStreamRewriteEngine& engine, const std::string& from, const std::string& to)
{
    bool found = false;
    for (unsigned long i = 0; i < engine.size(); ++i) {
        const orvel::TokenRefCount<orvel::TokenWithIndex> t = engine.getToken(i);
        if (t->getType() == ID && t->getText() == from) {
            engine.replace(i, to);
            found = true;
        }
    }
    // Without an edit there is no program to render.
    return found ? engine.toString() : engine.toOriginalString();
}

}

int run(const std::string& source, const std::string& fileName, const Options& options,
        std::ostream& out, std::ostream& err)
{
    Reporter reporter(source, err);
    std::istringstream in(source);
    CalcLexer lexer(in);
    lexer.setFilename(fileName);
    lexer.setTokenObjectFactory(orvel::TokenWithIndex::factory);
    lexer.reporter = &reporter;
    orvel::TokenStreamRewriteEngine engine(lexer);
    engine.discard(WS);
    engine.discard(COMMENT);
    if (options.show == Show::tokens) {
        writeTokens(engine, out);
        return reporter.errors();
    }

    CalcParser parser(engine);
    parser.setFilename(fileName);
    parser.reporter = &reporter;
    parser.setTracing(options.trace);
    Arithmetic math(fileName);
    CalcEvaluator evaluator;
    evaluator.out = &out;
    evaluator.math = &math;
    evaluator.reporter = &reporter;
    evaluator.setTracing(options.trace);
    std::unique_ptr<orvel::DotWriter> dot;
    if (options.show == Show::dot)
        dot = std::make_unique<orvel::DotWriter>(out, "calc");
    parser.onStatement = [&](const Node& tree) {
        if (options.show == Show::values) {
            try {
                evaluator.statement(tree);
            } catch (const orvel::RecognitionException& ex) {
                // Nesting deeper than the evaluator's limit: a tree has no file
                // name, so the statement tells where.
                reporter.report(math.error(tree, ex.getMessage()));
            }
        } else if (options.show == Show::trees) {
            out << tree->toStringTree() << '\n';
        } else if (dot) {
            dot->write(tree);
        }
    };
    try {
        parser.program();
    } catch (const orvel::RecognitionException& ex) {
        reporter.report(ex);
    }
    dot.reset();
    if (options.show == Show::renamed) {
        while (engine.nextToken()->getType() != orvel::Token::EOF_TYPE) {
        }
        out << renamed(engine, options.from, options.to);
    }
    return reporter.errors();
}

}
