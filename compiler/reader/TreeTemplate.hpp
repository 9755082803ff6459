#ifndef ORVELC_READER_TREETEMPLATE_HPP
#define ORVELC_READER_TREETEMPLATE_HPP

// A tree template: `-> ...` ending an alternative of a tree-building parser
// rule, the shape of the tree that the alternative builds from what it
// matched.

#include "Position.hpp"

#include <map>
#include <string>
#include <vector>

namespace orvelc {

struct TemplateItem {
    enum class Kind {
        Element,   // a label, or a token or rule name of the alternative
        NewNode,   // `#[TYPE]` or `#[TYPE, "text"]`
        Tree,      // `#( root children )`: items[0] is the root
        Optional,  // `( ... )?`
        Repeat     // `( ... )*`
    };
    Kind kind = Kind::Element;
    Position pos;
    std::string name;  // of an element; a new node's token type
    std::string text;  // a new node's text
    bool hasText = false;
    std::vector<TemplateItem> items;  // of a tree or a group
};

struct TreeTemplate {
    Position pos;  // of the `->`
    std::vector<TemplateItem> items;
    // Of a binary or suffix alternative of a left-recursive rule: the name of
    // its leading rule reference, which stands for the tree built so far (set
    // by the rewrite into precedence climbing); empty elsewhere.
    std::string leftOperand;
};

// How many times the template takes an element: outside groups once, in
// `( )?` at most once, in `( )*` any number of times.
enum class TemplateSlot { Once, Optional, Repeated };

// Every element name in `tree` with its slot; a name given twice keeps the
// slot of its first place.
std::map<std::string, TemplateSlot> templateSlots(const TreeTemplate& tree);

}

#endif
