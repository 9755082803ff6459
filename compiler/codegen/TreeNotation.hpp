#ifndef ORVELC_CODEGEN_TREENOTATION_HPP
#define ORVELC_CODEGEN_TREENOTATION_HPP

#include <functional>
#include <string>

namespace orvelc {

// Rewrites the tree notation in the action code of a tree-building parser
// rule into C++ and returns the result; text inside strings, characters and
// comments is copied as it stands:
//   ##                   the rule's tree so far: `currentAST_.root`
//   #name                `reference(name)` (a label's node or the rule's tree)
//   #(a, b, ...)         `make_({a, b, ...})`: a root and its children
//   #[TYPE] #[TYPE, s]   `astFactory->create(TYPE)`, `astFactory->create(TYPE, s)`
// The items inside #( ) and #[ ] are rewritten too. A `#` before anything
// else stays as it is.
std::string translateTreeNotation(const std::string& code,
                                  const std::function<std::string(const std::string&)>& reference);

}

#endif
