// The tree-building run of orvel-json in bench/run: reads FILE with the lexer
// and the tree-building parser generated from examples/json/json.g, counts
// the nodes of the document's tree and prints "nodes=N".
//
// Usage: orvel_json_tree FILE
#include "json.hpp"

#include <orvel/RecognitionException.hpp>

#include <cstddef>
#include <fstream>
#include <iostream>
#include <vector>

namespace {

// Counts the nodes of the tree at `root` and of its siblings, without recursion.
std::size_t countNodes(orvel::ASTRefCount<orvel::AST> root)
{
    std::size_t count = 0;
    std::vector<orvel::ASTRefCount<orvel::AST>> pending{root};
    while (!pending.empty()) {
        orvel::ASTRefCount<orvel::AST> n = pending.back();
        pending.pop_back();
        for (; n; n = n->getNextSibling()) {
            ++count;
            if (n->getFirstChild())
                pending.push_back(n->getFirstChild());
        }
    }
    return count;
}

}

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    std::ifstream in(argv[1], std::ios::binary);
    json::JsonLexer lexer(in);
    lexer.setFilename(argv[1]);
    json::JsonParser parser(lexer);
    parser.setFilename(argv[1]);
    try {
        parser.document();
    } catch (const orvel::RecognitionException& ex) {
        std::cerr << ex.toString() << '\n';
        return 1;
    }
    std::cout << "nodes=" << countNodes(parser.getAST()) << '\n';
    return 0;
}
