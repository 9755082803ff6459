#ifndef ORVELC_ANALYSIS_LEFTRECURSION_HPP
#define ORVELC_ANALYSIS_LEFTRECURSION_HPP

#include "Diagnostics.hpp"
#include "reader/Grammar.hpp"

#include <string>
#include <vector>

namespace orvelc {

// Rewrites every parser rule of `grammar` that has alternatives starting
// with the rule itself into precedence climbing, so that the rest of the
// analysis sees no left recursion:
//
//     r : r "*" r | "-" r | r "+" r | INT ;
//
// becomes, with p the precedence parameter (0 when a caller leaves it out),
//
//     r[int p] : ("-" r[3] | INT) ({p <= 4}? "*" r[5] | {p <= 2}? "+" r[3])* ;
//
// The first of n alternatives has level n, the next n - 1 and so on, so that
// earlier alternatives bind tighter. An alternative that starts and ends with
// r is binary: its right operand is parsed one level up, or at its own
// level when `<assoc = right>` follows an element between the operands. One
// that only starts with r is a suffix, one that only ends with it a prefix
// (its operand parsed at its own level). The loop's predicates let an
// operator through only where its level reaches p. A label on the leading r
// becomes a labelled action (its `rule` the rule's index) that gives the
// label the rule's value and tree so far; `returnNames` (per rule, empty for
// none) name the values. A tree template moves with its alternative; in the
// loop, the name of the leading r (its label, or r) becomes the template's
// left operand: the tree so far.
//
// Rules that are left-recursive in any other way are left as they are, for
// the analysis to report. Also reports element options that are unknown or
// out of place. The nodes keep their positions.
void rewriteLeftRecursion(Grammar& grammar, const std::vector<std::string>& returnNames,
                          Diagnostics& diagnostics);

}

#endif
