#include "Calculator.hpp"

#include "calc.hpp"

#include <orvel/Token.hpp>
#include <orvel/TokenStreamRewriteEngine.hpp>
#include <orvel/TokenWithIndex.hpp>

#include <algorithm>
#include <cstddef>
#include <memory>
#include <sstream>
#include <utility>
#include <vector>

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

// Writes the trees handed to it as one Graphviz graph, each statement's tree
// a connected part of it, children in order.
class DotWriter {
public:
    explicit DotWriter(std::ostream& out) : out(out) { out << "digraph calc {\n  node [shape=box];\n"; }
    DotWriter(const DotWriter&) = delete;
    DotWriter& operator=(const DotWriter&) = delete;
    ~DotWriter() { out << "}\n"; }

    // Walks with a stack of its own, so that a deep tree costs no call depth.
    void write(const Node& tree)
    {
        std::vector<std::pair<Node, int>> pending{{tree, next++}};
        while (!pending.empty()) {
            const auto [node, id] = pending.back();
            pending.pop_back();
            out << "  n" << id << " [label=\"" << escaped(node->getText()) << "\"];\n";
            const std::size_t firstChild = pending.size();
            for (Node child = node->getFirstChild(); child; child = child->getNextSibling()) {
                out << "  n" << id << " -> n" << next << ";\n";
                pending.emplace_back(child, next++);
            }
            // The first child on top: nodes come out in the order of the source.
            std::reverse(pending.begin() + static_cast<std::ptrdiff_t>(firstChild), pending.end());
        }
    }

private:
    static std::string escaped(const std::string& text)
    {
        std::string result;
        for (char c : text) {
            if (c == '"' || c == '\\')
                result += '\\';
            result += c;
        }
        return result;
    }

    std::ostream& out;
    int next = 0;
};

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
    std::unique_ptr<DotWriter> dot;
    if (options.show == Show::dot)
        dot = std::make_unique<DotWriter>(out);
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
