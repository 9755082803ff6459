#ifndef ORVELC_CODEGEN_TEMPLATEWRITER_HPP
#define ORVELC_CODEGEN_TEMPLATEWRITER_HPP

#include "codegen/CodeWriter.hpp"
#include "reader/Grammar.hpp"

#include <map>
#include <string>
#include <vector>

namespace orvelc {

// Writes the code of the tree template that ends one alternative of a
// parser rule: the variables that keep the nodes of the elements it names,
// the statements that fill them as the elements are matched, and the
// building of the tree when the alternative ends.
class TemplateWriter {
public:
    // The writer of `tree`, which ends alternative `alt` (from 1) of the rule
    // and must outlive the writer.
    TemplateWriter(const TreeTemplate& tree, std::size_t alt);

    // Writes the declarations of the variables: a node, empty at first, for
    // an element taken at most once; a vector for one taken in `( )*`.
    void declare(CodeWriter& out) const;
    // Returns whether the template names `element`.
    bool takes(const Node& element) const;
    // Returns the statement that keeps `value`, the node of `element` just
    // matched, for the template; `element` must be one it takes.
    std::string store(const Node& element, const std::string& value) const;
    // Writes the statements that open a pass of an alternative of a
    // left-recursive rule, which may run again in the rule's loop: they drop
    // the nodes an earlier pass kept, then keep the tree so far
    // (`currentAST_.root`) as the left operand where the template names it.
    void start(CodeWriter& out) const;
    // Writes the statements that build the tree from the kept nodes and make
    // it the rule's tree (`currentAST_.root`); `continued`: more of the tree
    // may follow (a left-recursive rule's operators), so the cursor moves to
    // the end of the built list, for what follows to extend it.
    void build(CodeWriter& out, bool continued);

private:
    // Where a `( )*` stands: its index variable, and whether an element may
    // have fewer nodes than it has passes.
    struct Pass {
        std::string index;
        bool bounded = false;
    };
    void items(CodeWriter& out, const std::vector<TemplateItem>& items, const std::string& pair,
               const Pass& pass);
    void item(CodeWriter& out, const TemplateItem& item, const std::string& pair, const Pass& pass);
    void tree(CodeWriter& out, const TemplateItem& tree, const std::string& pair, const Pass& pass);
    void repeat(CodeWriter& out, const TemplateItem& group, const std::string& pair);
    // The statement that keeps `value` as the node of the element `name`.
    std::string keep(const std::string& name, const std::string& value) const;
    // The node of an element or a new node, as an expression.
    std::string node(const TemplateItem& item, const Pass& pass) const;
    std::string variable(const std::string& name) const;
    std::string fresh(const std::string& stem);

    const TreeTemplate& tree_;
    const std::string prefix_;
    const std::map<std::string, TemplateSlot> slots_;
    int next_ = 0;  // numbers the variables of build()
};

}

#endif
