#include <orvel/DotWriter.hpp>

#include <orvel/ORVELException.hpp>
#include <orvel/TextUtils.hpp>

#include "TreeLinks.hpp"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <utility>
#include <vector>

namespace orvel {

namespace {

bool isIdentifier(const std::string& name)
{
    const auto word = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; };
    return !name.empty() && !std::isdigit(static_cast<unsigned char>(name[0]))
           && std::all_of(name.begin(), name.end(), word);
}

// Returns `text` as the inside of a quoted Graphviz label.
std::string label(const std::string& text)
{
    std::string result;
    for (char c : text) {
        const unsigned char b = static_cast<unsigned char>(c);
        if (!std::isprint(b)) {
            result += charName(b);
            continue;
        }
        if (c == '"' || c == '\\')
            result += '\\';
        result += c;
    }
    return result;
}

}

DotWriter::DotWriter(std::ostream& out_, const std::string& graphName) : out(out_)
{
    if (!isIdentifier(graphName))
        throw ORVELException("graph name must be an identifier: " + graphName);
    out << "digraph " << graphName << " {\n  node [shape=box];\n";
}

DotWriter::~DotWriter()
{
    try {
        finish();
    } catch (...) {
        // A stream that throws on failure must not end the program here.
    }
}

void DotWriter::write(const ASTRefCount<AST>& tree)
{
    if (finished)
        throw ORVELException("graph already finished");
    if (!tree)
        return;
    std::vector<std::pair<ASTRefCount<AST>, int>> pending{{tree, nextId++}};
    while (!pending.empty()) {
        const auto [node, id] = pending.back();
        pending.pop_back();
        out << "  n" << id << " [label=\"" << label(node->getText()) << "\"];\n";
        const std::size_t firstChild = pending.size();
        for (ASTRefCount<AST> child = detail::firstChildOf(*node); child;
             child = detail::nextSiblingOf(*child)) {
            out << "  n" << id << " -> n" << nextId << ";\n";
            pending.emplace_back(child, nextId++);
        }
        // The first child on top: nodes come out in the order of the source.
        std::reverse(pending.begin() + static_cast<std::ptrdiff_t>(firstChild), pending.end());
    }
}

void DotWriter::finish()
{
    if (finished)
        return;
    finished = true;
    out << "}\n";
}

}
