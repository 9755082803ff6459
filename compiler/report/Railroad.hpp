#ifndef ORVELC_REPORT_RAILROAD_HPP
#define ORVELC_REPORT_RAILROAD_HPP

#include "reader/Grammar.hpp"

#include <functional>
#include <string>
#include <vector>

namespace orvelc {

// A railroad diagram of one rule: tokens, literals and characters in rounded
// boxes, rule references in square boxes that link to the rule, choices one
// below the other, loops with a track back, optional parts with a track
// around. Actions and predicates read nothing and are left out.
class Railroad {
public:
    // Lays out `body`, a rule's block; `anchor` gives the link target of a
    // referenced rule's name. Keeps no reference to either.
    Railroad(const Node& body, const std::function<std::string(const std::string&)>& anchor);

    // The diagram as an inline `<svg class="railroad">` element.
    std::string svg() const;

private:
    struct Item {
        enum Kind { Box, Link, Label, Skip, Sequence, Choice, Loop } kind = Skip;
        std::string text;
        std::string href;
        std::vector<Item> parts;
        int width = 0;
        int up = 0;    // above the track
        int down = 0;  // below the track
    };

    Item element(const Node& node) const;
    Item block(const Node& node) const;
    Item sequence(const Sequence& seq) const;
    static std::string text(const Node& node);
    static void measure(Item& item);
    static void draw(const Item& item, int x, int y, std::string& out);
    static void drawChoice(const Item& item, int x, int y, std::string& out);
    static void drawLoop(const Item& item, int x, int y, std::string& out);

    std::function<std::string(const std::string&)> anchor_;
    Item root_;
};

// `text` with the characters that HTML gives a meaning written as entities.
std::string htmlEscape(const std::string& text);

}

#endif
