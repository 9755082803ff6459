#ifndef ORVELC_ANALYSIS_TEMPLATECHECK_HPP
#define ORVELC_ANALYSIS_TEMPLATECHECK_HPP

#include "Diagnostics.hpp"
#include "analysis/Vocabulary.hpp"
#include "reader/Grammar.hpp"

namespace orvelc {

// Checks the tree templates of `grammar`, each fault an error at its
// position: a template outside a tree-building parser or ending an
// alternative of a subrule, a name that is no element of its alternative or
// is given twice, an element the alternative may match more than once (or
// not at all) where the template takes it once (or at most once), nested
// groups, a group without an element, an undefined token type, and `^` or
// `!` beside a template.
void checkTemplates(const Grammar& grammar, bool buildAST, const Vocabulary& vocabulary,
                    Diagnostics& diagnostics);

}

#endif
