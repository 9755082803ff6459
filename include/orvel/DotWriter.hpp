#ifndef ORVEL_DOTWRITER_HPP
#define ORVEL_DOTWRITER_HPP

#include <orvel/AST.hpp>
#include <orvel/ASTRefCount.hpp>
#include <orvel/Export.hpp>

#include <ostream>
#include <string>

namespace orvel {

// Draws trees as one Graphviz graph, to be rendered by `dot`:
//
//     digraph calc {
//       node [shape=box];
//       n0 [label="+"];
//       n0 -> n1;
//       n1 [label="x"];
//       ...
//     }
//
// Each tree written becomes a connected part of the graph, a box per node
// labelled with the node's text and an edge to each child, children in order.
// Labels are escaped: a double quote or a backslash gets a backslash before
// it, and every byte that is not printable is shown as charName() names it
// ("0x0A"), so any text makes a valid graph. The walk keeps its own stack, so
// a deep tree costs no call depth.
class ORVEL_API DotWriter {
public:
    // Starts graph `graphName` on `out`, which must outlive the writer.
    // Throws ORVELException "graph name must be an identifier: NAME", and
    // writes nothing, unless the name is letters, digits and "_" that do not
    // begin with a digit.
    explicit DotWriter(std::ostream& out, const std::string& graphName = "tree");
    DotWriter(const DotWriter&) = delete;
    DotWriter& operator=(const DotWriter&) = delete;
    // Ends the graph ("}" and an end of line) unless finish() did.
    ~DotWriter();

    // Adds `tree`, that is the node and all below it (not its siblings); an
    // empty handle adds nothing. Throws ORVELException "graph already
    // finished" after finish(). The nodes are only read.
    void write(const ASTRefCount<AST>& tree);
    // Ends the graph; later calls do nothing.
    void finish();

private:
    std::ostream& out;
    int nextId = 0;
    bool finished = false;
};

}

#endif
