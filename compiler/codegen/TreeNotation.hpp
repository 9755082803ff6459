#ifndef ORVELC_CODEGEN_TREENOTATION_HPP
#define ORVELC_CODEGEN_TREENOTATION_HPP

#include <string>

namespace orvelc {

// Action code of a tree-building parser rule with its tree notation
// rewritten into C++, and whether it refers to the rule's own tree.
struct TreeCode {
    std::string code;
    bool usesRuleTree = false;
};

// Rewrites the tree notation in the action code of the tree-building parser
// rule `rule`; text inside strings, characters and comments is copied as it
// stands:
//   ##  #rule            the rule's tree so far: `currentAST_.root`
//   #name                the node of label `name`: `name_AST`
//   #(a, b, ...)         `make_({a, b, ...})`: a root and its children
//   #[TYPE] #[TYPE, s]   `astFactory->create(TYPE)`, `astFactory->create(TYPE, s)`
// The items inside #( ) and #[ ] are rewritten too. A `#` before anything
// else stays as it is.
TreeCode translateTreeNotation(const std::string& code, const std::string& rule);

}

#endif
