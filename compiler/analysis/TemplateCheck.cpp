#include "analysis/TemplateCheck.hpp"

#include <algorithm>
#include <map>
#include <set>

namespace orvelc {

namespace {

// How many times an alternative can match an element: at least and at most,
// 2 standing for "more than once".
struct Count {
    int least = 0;
    int most = 0;
};
using Counts = std::map<std::string, Count>;

Counts countElement(const Node& node);

Counts countSequence(const Sequence& seq)
{
    Counts total;
    for (const auto& e : seq)
        for (const auto& [name, c] : countElement(*e)) {
            Count& t = total[name];
            t.least = std::min(2, t.least + c.least);
            t.most = std::min(2, t.most + c.most);
        }
    return total;
}

// A block: the fewest and the most among its alternatives, then its suffix.
Counts countBlock(const Node& node)
{
    std::vector<Counts> alts;
    Counts all;
    for (const Sequence& alt : node.alts) {
        alts.push_back(countSequence(alt));
        for (const auto& [name, c] : alts.back())
            all[name].most = std::max(all[name].most, c.most);
    }
    for (auto& [name, c] : all) {
        c.least = 2;
        for (const Counts& alt : alts) {
            const auto it = alt.find(name);
            c.least = std::min(c.least, it == alt.end() ? 0 : it->second.least);
        }
        if (node.suffix == '?' || node.suffix == '*')
            c.least = 0;
        if (node.suffix == '*' || node.suffix == '+')
            c.most = 2;
    }
    return all;
}

Counts countElement(const Node& node)
{
    switch (node.kind) {
    case NodeKind::Block:
        return countBlock(node);
    case NodeKind::Action:
    case NodeKind::SemPred:
    case NodeKind::SynPred:
    case NodeKind::Tree:
        return {};
    default: {
        const std::string name = elementName(node);
        return name.empty() ? Counts{} : Counts{{name, Count{1, 1}}};
    }
    }
}

bool namesElement(const std::vector<TemplateItem>& items)
{
    return std::any_of(items.begin(), items.end(), [](const TemplateItem& i) {
        return i.kind == TemplateItem::Kind::Element || namesElement(i.items);
    });
}

class TemplateChecker {
public:
    TemplateChecker(const Grammar& g, bool buildAST, const Vocabulary& v, Diagnostics& d)
        : grammar_(g), buildAST_(buildAST), vocabulary_(v), diagnostics_(d)
    {
    }

    // The templates of `node`'s alternatives and of every block inside;
    // `top`: `node` is a rule's body.
    void visit(const Node& node, bool top)
    {
        for (std::size_t a = 0; a < node.alts.size(); ++a) {
            for (const auto& e : node.alts[a])
                visit(*e, false);
            if (a < node.templates.size() && node.templates[a])
                checkPlace(*node.templates[a], node.alts[a], top);
        }
    }

private:
    void checkPlace(const TreeTemplate& t, const Sequence& alt, bool top)
    {
        if (grammar_.lexer || grammar_.treeParser)
            diagnostics_.error(t.pos, "tree templates -> belong in parsers");
        else if (!buildAST_)
            diagnostics_.error(t.pos, "-> needs buildAST = true");
        else if (!top)
            diagnostics_.error(t.pos, "a tree template ends an alternative of a rule, not of a subrule");
        else
            checkTemplate(t, alt);
    }

    void checkTemplate(const TreeTemplate& t, const Sequence& alt)
    {
        for (const auto& e : alt)
            checkTreeOps(*e);
        counts_ = countSequence(alt);
        named_.clear();
        checkItems(t.items, TemplateSlot::Once, false);
    }

    void checkTreeOps(const Node& node)
    {
        if (node.treeOp != 0)
            diagnostics_.error(node.pos, std::string(1, node.treeOp) +
                                             " does nothing in an alternative with a tree template");
        for (const Sequence& alt : node.alts)
            for (const auto& e : alt)
                checkTreeOps(*e);
    }

    void checkItems(const std::vector<TemplateItem>& items, TemplateSlot slot, bool inGroup)
    {
        for (const TemplateItem& item : items) {
            switch (item.kind) {
            case TemplateItem::Kind::Element:
                checkElement(item, slot);
                break;
            case TemplateItem::Kind::NewNode:
                if (vocabulary_.byName(item.name) < 0)
                    diagnostics_.error(item.pos, "token " + item.name + " is not defined");
                break;
            case TemplateItem::Kind::Tree:
                checkItems(item.items, slot, inGroup);
                break;
            case TemplateItem::Kind::Optional:
            case TemplateItem::Kind::Repeat:
                if (inGroup)
                    diagnostics_.error(item.pos, "( )? and ( )* do not nest in a template");
                else if (!namesElement(item.items))
                    diagnostics_.error(item.pos,
                                       "a ( )? or ( )* in a template needs an element of the alternative");
                checkItems(item.items,
                           item.kind == TemplateItem::Kind::Repeat ? TemplateSlot::Repeated
                                                                   : TemplateSlot::Optional,
                           true);
                break;
            }
        }
    }

    void checkElement(const TemplateItem& item, TemplateSlot slot)
    {
        const auto it = counts_.find(item.name);
        if (!named_.insert(item.name).second)
            diagnostics_.error(item.pos, item.name + " is named twice in the template");
        else if (it == counts_.end())
            diagnostics_.error(item.pos, item.name + " is not an element of this alternative");
        else if (it->second.most > 1 && slot != TemplateSlot::Repeated)
            diagnostics_.error(item.pos, item.name +
                                             " can be matched more than once: put it in ( )* in the template");
        else if (it->second.least == 0 && slot == TemplateSlot::Once)
            diagnostics_.error(item.pos, item.name +
                                             " may be absent: put it in ( )? or ( )* in the template");
    }

    const Grammar& grammar_;
    const bool buildAST_;
    const Vocabulary& vocabulary_;
    Diagnostics& diagnostics_;
    Counts counts_;               // of the alternative being checked
    std::set<std::string> named_;  // by its template so far
};

}

void checkTemplates(const Grammar& grammar, bool buildAST, const Vocabulary& vocabulary,
                    Diagnostics& diagnostics)
{
    TemplateChecker checker(grammar, buildAST, vocabulary, diagnostics);
    for (const auto& r : grammar.rules)
        checker.visit(*r->body, true);
}

}
