#include "report/Report.hpp"

#include "report/Railroad.hpp"

#include <algorithm>
#include <set>
#include <tuple>

namespace orvelc {

namespace {

constexpr std::size_t maxShown = 12;  // members of a lookahead set listed

const char* const style =
    "body{font-family:sans-serif;margin:1.5em;color:#222}"
    "h1{font-size:1.4em}h2{font-size:1.2em;border-bottom:1px solid #ccc}"
    "section.rule{margin:1em 0 2em}section.rule h3{font-family:monospace;font-size:1.1em}"
    "div.diagram{overflow-x:auto}"
    "svg.railroad path{fill:none;stroke:#333;stroke-width:1.5}"
    "svg.railroad rect{fill:#eef4ff;stroke:#333;stroke-width:1.5}"
    "svg.railroad a rect{fill:#fff6dd}"
    "svg.railroad text{font:12px monospace;text-anchor:middle;fill:#000}"
    "table{border-collapse:collapse;font-size:.9em;margin:6px 0}td,th{border:1px solid #ccc;padding:2px 6px;text-align:left}"
    "div.warning{background:#fff0f0;border-left:4px solid #c33;padding:4px 8px;margin:6px 0}"
    "div.warning pre{margin:2px 0}p.uses{font-size:.9em}";

std::string anchorOf(const Grammar& g, const std::string& rule) { return g.name + "." + rule; }

// The rules that `body` references, by name.
void references(const Node& node, std::set<std::string>& out)
{
    if (node.kind == NodeKind::RuleRef)
        out.insert(node.text);
    for (const Sequence& alt : node.alts)
        for (const auto& e : alt)
            references(*e, out);
}

std::string position(Position p) { return std::to_string(p.line) + ":" + std::to_string(p.column); }

}

std::string Report::html() const
{
    std::string out = "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\"><title>" +
                      htmlEscape(file_.path) + "</title><style>" + style + "</style></head><body>\n";
    out += "<h1>Grammar report: " + htmlEscape(file_.path) + "</h1>\n<ul>";
    for (const GrammarInfo& g : info_.grammars)
        out += "<li><a href=\"#" + htmlEscape(g.grammar->name) + "\">" + htmlEscape(g.grammar->name) +
               "</a>: " + std::to_string(g.grammar->rules.size()) + " rules</li>";
    out += "</ul>\n";
    for (const GrammarInfo& g : info_.grammars)
        out += grammar(g);
    return out + "</body></html>\n";
}

std::string Report::grammar(const GrammarInfo& g) const
{
    const Grammar& grammar = *g.grammar;
    const char* kind = grammar.lexer ? "lexer" : grammar.treeParser ? "tree parser" : "parser";
    std::string out = "<h2 id=\"" + htmlEscape(grammar.name) + "\">" + kind + " " +
                      htmlEscape(grammar.name) + " (k = " + std::to_string(g.k) + ")</h2>\n<p>";
    for (const auto& r : grammar.rules)
        out += "<a href=\"#" + htmlEscape(anchorOf(grammar, r->name)) + "\">" + htmlEscape(r->name) + "</a> ";
    out += "</p>\n";
    for (std::size_t m = 0; m < g.tokenDecisions.size(); ++m)
        out += "<p>Choice among the token rules of mode " + htmlEscape(g.modeNames[m]) +
               ", end of input last:</p>" + decision(g, g.tokenDecisions[m], m);
    for (std::size_t i = 0; i < grammar.rules.size(); ++i)
        out += rule(g, i);
    return out;
}

std::string Report::rule(const GrammarInfo& g, std::size_t index) const
{
    const Grammar& grammar = *g.grammar;
    const Rule& r = *grammar.rules[index];
    const auto anchor = [&](const std::string& name) { return anchorOf(grammar, name); };
    std::string out = "<section class=\"rule\" id=\"" + htmlEscape(anchor(r.name)) + "\"><h3>" +
                      htmlEscape(r.name) + "</h3>\n<div class=\"diagram\">" +
                      Railroad(*r.body, anchor).svg() + "</div>\n<p class=\"uses\">Used by: ";
    std::string users;
    for (const auto& other : grammar.rules) {
        std::set<std::string> called;
        references(*other->body, called);
        if (called.count(r.name) != 0)
            users += "<a href=\"#" + htmlEscape(anchor(other->name)) + "\">" + htmlEscape(other->name) + "</a> ";
    }
    out += users.empty() ? "no rule" : users;
    out += "</p>\n";
    std::vector<const Decision*> decisions;
    for (const Decision& d : g.decisions)
        if (d.rule == static_cast<int>(index))
            decisions.push_back(&d);
    std::sort(decisions.begin(), decisions.end(), [](const Decision* a, const Decision* b) {
        return std::tie(a->pos.line, a->pos.column) < std::tie(b->pos.line, b->pos.column);
    });
    for (const Decision* d : decisions)
        out += decision(g, *d);
    return out + conflicts(g, static_cast<int>(index)) + "</section>\n";
}

// A table of the decision's alternatives and their lookahead, depth by depth
// up to the depth that the code tests.
std::string Report::decision(const GrammarInfo& g, const Decision& d, std::size_t mode) const
{
    std::string out = "<table class=\"decision\"><tr><th>decision at " + position(d.pos) + "</th>";
    for (int depth = 1; depth <= d.depth; ++depth)
        out += "<th>LA(" + std::to_string(depth) + ")</th>";
    out += "</tr>";
    const bool tokens = d.rule < 0 && g.grammar->lexer;
    for (std::size_t a = 0; a < d.alts.size(); ++a) {
        const bool last = a + 1 == d.alts.size();
        std::string name = tokens ? (last ? "end of input" : g.tokenRules[mode][a]->name)
                                  : (d.hasExit && last ? "exit" : "alternative " + std::to_string(a + 1));
        out += "<tr><td>" + htmlEscape(name) + "</td>";
        for (int depth = 0; depth < d.depth; ++depth)
            out += "<td>" + set(g, d.alts[a][static_cast<std::size_t>(depth)]) + "</td>";
        out += "</tr>";
    }
    return out + "</table>\n";
}

std::string Report::conflicts(const GrammarInfo& g, int rule) const
{
    std::string out;
    for (const Conflict& c : g.conflicts) {
        if (c.rule != rule)
            continue;
        out += "<div class=\"warning\"><p>" + position(c.pos) + ": " + htmlEscape(c.message) + "</p>";
        for (const std::string& note : c.notes)
            out += "<pre>" + htmlEscape(note) + "</pre>";
        out += "</div>\n";
    }
    return out;
}

std::string Report::set(const GrammarInfo& g, const SymbolSet& s) const
{
    const std::vector<int> members = s.members();
    std::string out;
    for (std::size_t i = 0; i < members.size() && i < maxShown; ++i)
        out += (i ? ", " : "") + symbolName(g, info_.vocabulary, members[i]);
    if (members.size() > maxShown)
        out += ", ... (" + std::to_string(members.size()) + " in all)";
    return htmlEscape(out);
}

}
