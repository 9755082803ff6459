#include "analysis/LeftRecursion.hpp"

namespace orvelc {

namespace {

enum class Form {
    Primary,  // neither starts nor ends with the rule
    Prefix,   // ends with the rule
    Suffix,   // starts with the rule
    Binary    // starts and ends with the rule
};

bool isCallOf(const Node& node, const std::string& rule)
{
    return node.kind == NodeKind::RuleRef && node.text == rule;
}

// The index of the last element of `alt` that is no action, or -1.
int lastElement(const Sequence& alt)
{
    int last = static_cast<int>(alt.size()) - 1;
    while (last >= 0 && alt[static_cast<std::size_t>(last)]->kind == NodeKind::Action)
        --last;
    return last;
}

Form formOf(const Sequence& alt, const std::string& rule)
{
    const int last = lastElement(alt);
    const bool left = !alt.empty() && isCallOf(*alt[0], rule);
    const bool right = last > 0 && isCallOf(*alt[static_cast<std::size_t>(last)], rule);
    if (left)
        return right ? Form::Binary : Form::Suffix;
    return right ? Form::Prefix : Form::Primary;
}

std::unique_ptr<Node> makeNode(NodeKind kind, Position pos)
{
    auto node = std::make_unique<Node>();
    node->kind = kind;
    node->pos = pos;
    return node;
}

// Makes the call pass `level` as its last argument.
void callAt(Node& call, int level)
{
    const std::string value = std::to_string(level);
    call.args = call.args.empty() ? value : call.args + ", " + value;
}

class Rewriter {
public:
    Rewriter(Grammar& g, const std::vector<std::string>& returnNames, Diagnostics& d)
        : grammar_(g), returnNames_(returnNames), diagnostics_(d)
    {
    }

    void run()
    {
        if (!grammar_.lexer && !grammar_.treeParser)
            for (std::size_t i = 0; i < grammar_.rules.size(); ++i)
                rewrite(i);
        for (const auto& r : grammar_.rules)
            reportOptions(*r->body);
    }

private:
    void rewrite(std::size_t index);
    Sequence operatorStep(Sequence alt, int level, std::size_t index) const;
    bool rightAssociative(Sequence& alt);
    std::unique_ptr<Node> leftOperand(const Node& call, std::size_t index) const;
    void reportOptions(const Node& node);

    Grammar& grammar_;
    const std::vector<std::string>& returnNames_;
    Diagnostics& diagnostics_;
};

void Rewriter::rewrite(std::size_t index)
{
    Rule& r = *grammar_.rules[index];
    Node& body = *r.body;
    std::vector<Form> forms;
    bool recurs = false;
    bool ends = false;  // some alternative can end the recursion
    for (const Sequence& alt : body.alts) {
        forms.push_back(formOf(alt, r.name));
        const bool base = forms.back() == Form::Primary || forms.back() == Form::Prefix;
        recurs = recurs || !base;
        ends = ends || base;
    }
    if (!recurs || !ends)
        return;
    auto operands = makeNode(NodeKind::Block, body.pos);
    auto operators = makeNode(NodeKind::Block, body.pos);
    operators->suffix = '*';
    const std::size_t count = body.alts.size();
    for (std::size_t a = 0; a < count; ++a) {
        const int level = static_cast<int>(count - a);
        Sequence alt = std::move(body.alts[a]);
        const auto last = static_cast<std::size_t>(lastElement(alt));  // an operand where one ends it
        Node& target = forms[a] == Form::Primary || forms[a] == Form::Prefix ? *operands : *operators;
        std::unique_ptr<TreeTemplate> tree =
            a < body.templates.size() ? std::move(body.templates[a]) : nullptr;
        if (tree && &target == operators.get())
            tree->leftOperand = elementName(*alt[0]);
        switch (forms[a]) {
        case Form::Prefix:
            callAt(*alt[last], level);
            break;
        case Form::Binary:
            callAt(*alt[last], rightAssociative(alt) ? level : level + 1);
            [[fallthrough]];
        case Form::Suffix:
            alt = operatorStep(std::move(alt), level, index);
            break;
        case Form::Primary:
            break;
        }
        if (target.alts.empty() && !alt.empty())
            target.pos = alt[0]->pos;
        target.alts.push_back(std::move(alt));
        target.manualAlts.push_back(a < body.manualAlts.size() && body.manualAlts[a]);
        target.templates.push_back(std::move(tree));
        target.altNumbers.push_back(static_cast<int>(a) + 1);
    }
    body.alts.clear();
    body.alts.emplace_back();
    body.manualAlts.assign(1, false);
    body.templates.clear();
    body.alts[0].push_back(std::move(operands));
    body.alts[0].push_back(std::move(operators));
    r.climbs = true;
}

// The alternative of the operators' loop made of the binary or suffix
// alternative `alt` of level `level`: taken only where the level reaches the
// precedence parameter, the leading reference of the rule left out.
Sequence Rewriter::operatorStep(Sequence alt, int level, std::size_t index) const
{
    Sequence step;
    auto guard = makeNode(NodeKind::SemPred, alt[0]->pos);
    guard->text = std::string(precedenceParameter) + " <= " + std::to_string(level);
    step.push_back(std::move(guard));
    if (!alt[0]->label.empty() && alt[0]->label != returnNames_[index])
        step.push_back(leftOperand(*alt[0], index));
    for (std::size_t e = 1; e < alt.size(); ++e)
        step.push_back(std::move(alt[e]));
    return step;
}

// Whether `<assoc = right>` follows an element between the operands of the
// binary alternative `alt`; takes the assoc options there.
bool Rewriter::rightAssociative(Sequence& alt)
{
    bool right = false;
    for (std::size_t e = 1; static_cast<int>(e) < lastElement(alt); ++e) {
        std::vector<Option>& options = alt[e]->elementOptions;
        for (auto o = options.begin(); o != options.end();) {
            if (o->name != "assoc") {
                ++o;
                continue;
            }
            if (o->value != "left" && o->value != "right")
                diagnostics_.error(o->pos, "option assoc is left or right");
            right = o->value == "right";
            o = options.erase(o);
        }
    }
    return right;
}

// The left operand of a binary or suffix alternative is the expression so
// far: its label takes the rule's value and tree at this point (a label that
// names the value itself needs nothing).
std::unique_ptr<Node> Rewriter::leftOperand(const Node& call, std::size_t index) const
{
    auto action = makeNode(NodeKind::Action, call.pos);
    action->label = call.label;
    action->rule = static_cast<int>(index);
    if (!returnNames_[index].empty())
        action->text = call.label + " = " + returnNames_[index] + ";";
    return action;
}

// Element options left after the rewrite are unknown or out of place.
void Rewriter::reportOptions(const Node& node)
{
    for (const Option& o : node.elementOptions)
        diagnostics_.error(o.pos, o.name == "assoc"
                                      ? std::string("<assoc> belongs between the operands of a binary "
                                                    "alternative of a left-recursive rule")
                                      : "unknown element option " + o.name);
    for (const Sequence& alt : node.alts)
        for (const auto& e : alt)
            reportOptions(*e);
}

}

void rewriteLeftRecursion(Grammar& grammar, const std::vector<std::string>& returnNames,
                          Diagnostics& diagnostics)
{
    Rewriter(grammar, returnNames, diagnostics).run();
}

}
