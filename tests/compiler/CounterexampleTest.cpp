// The examples that follow ambiguity warnings, replayed over the grammar
// itself by a backtracking walk: the first part must lead from a start rule
// to the decision, and from there each of the two alternatives must read the
// rest.
#include "analysis/Analysis.hpp"
#include "reader/GrammarLexer.hpp"
#include "reader/GrammarParser.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

namespace {

using namespace orvelc;

class Replay {
public:
    Replay(const GrammarInfo& g, const Vocabulary& v, const Conflict& c, std::size_t choice)
        : g_(g), v_(v), decision_(c.decision), choice_(choice), mark_(c.example.prefix.size())
    {
        input_ = c.example.prefix;
        input_.insert(input_.end(), c.example.lookahead.begin(), c.example.lookahead.end());
    }

    bool accepted() const
    {
        const auto& rules = g_.grammar->rules;
        if (decision_ < 0)  // the choice among token rules (of the one mode): the chosen one reads it all
            return element(*g_.tokenRules[0][choice_]->body, 0, true, [](std::size_t, bool) { return true; });
        for (std::size_t r = 0; r < rules.size(); ++r) {
            const bool root = g_.grammar->lexer ? !rules[r]->fragment : rules[r]->start || r == 0;
            if (root && element(*rules[r]->body, 0, false, [&](std::size_t p, bool c) {
                    return c && (g_.grammar->lexer || p == input_.size() ||
                                 (input_[p] == g_.eofSymbol && p + 1 == input_.size()));
                }))
                return true;
        }
        return false;
    }

private:
    using Next = std::function<bool(std::size_t, bool)>;

    bool done(std::size_t pos, bool chosen) const { return chosen && pos == input_.size(); }

    bool seq(const Sequence& s, std::size_t i, std::size_t pos, bool chosen, const Next& next) const
    {
        if (done(pos, chosen) || i == s.size())
            return done(pos, chosen) || next(pos, chosen);
        return element(*s[i], pos, chosen,
                       [&](std::size_t p, bool c) { return seq(s, i + 1, p, c, next); });
    }

    bool element(const Node& n, std::size_t pos, bool chosen, const Next& next) const
    {
        if (done(pos, chosen))
            return true;
        switch (n.kind) {
        case NodeKind::Block: return block(n, pos, chosen, next, true);
        case NodeKind::RuleRef: return element(*g_.grammar->rules[n.rule]->body, pos, chosen, next);
        case NodeKind::Action:
        case NodeKind::SemPred:
        case NodeKind::SynPred: return next(pos, chosen);
        case NodeKind::String:
            if (g_.grammar->lexer) {
                std::size_t i = 0;
                for (; i < n.text.size() && pos + i < input_.size(); ++i)
                    if (input_[pos + i] != static_cast<unsigned char>(n.text[i]))
                        return false;
                return i == n.text.size() ? next(pos + i, chosen) : chosen;
            }
            return pos < input_.size() && input_[pos] == v_.byLiteral(n.text) && next(pos + 1, chosen);
        default: return pos < input_.size() && reads(n, input_[pos]) && next(pos + 1, chosen);
        }
    }

    // The alternatives of a block and its exit (numbered after them); at the
    // decision, once the example's first part is read, only the chosen one.
    bool block(const Node& n, std::size_t pos, bool chosen, const Next& next, bool first) const
    {
        const bool loop = n.suffix == '*' || n.suffix == '+';
        const bool canExit = n.suffix == '?' || n.suffix == '*' || (n.suffix == '+' && !first);
        const bool here = !chosen && n.decision == decision_ && pos == mark_ && (n.suffix != '+' || !first);
        for (std::size_t a = 0; a <= n.alts.size(); ++a) {
            if ((a == n.alts.size() && !canExit) || (here && a != choice_))
                continue;
            const bool c = chosen || here;
            if (a == n.alts.size() ? next(pos, c) : seq(n.alts[a], 0, pos, c, [&](std::size_t p, bool c2) {
                    return loop ? block(n, p, c2, next, false) : next(p, c2);
                }))
                return true;
        }
        return false;
    }

    bool reads(const Node& n, int symbol) const
    {
        switch (n.kind) {
        case NodeKind::TokenRef: return symbol == (n.text == "EOF" ? 1 : v_.byName(n.text));
        case NodeKind::Char: return symbol == n.low;
        case NodeKind::Range: return symbol >= n.low && symbol <= n.high;
        default: return g_.matchSets.at(&n).has(symbol);
        }
    }

    const GrammarInfo& g_;
    const Vocabulary& v_;
    int decision_;
    std::size_t choice_;
    std::size_t mark_;
    std::vector<int> input_;
};

struct Case {
    const char* grammar;
    std::size_t examples;       // warnings whose example is replayed
    const char* firstNote;      // the first warning's first note
};

TEST(Counterexample, EveryExampleIsReadByBothAlternativesAfterReachingTheDecision)
{
    const Case cases[] = {
        {"parser P; tokens { ID; } start prog : stat EOF ;\n"
         "stat : \"if\" ID \"then\" stat (\"else\" stat)? | ID ;",
         1, "example: \"if\" ID \"then\" \"if\" ID \"then\" ID . \"else\""},
        {"parser P; options { k = 2; } tokens { A; B; C; D; }\n"
         "start prog : (x | y) EOF ; x : A B C ; y : A B D ;",
         1, "example: . A B"},
        // Only the second way into r is followed by A.
        {"parser P; tokens { A; X; Y; } start s : Y r | X r A ; r : (A)? ;", 1, "example: X . A"},
        {"parser P; options { k = 2; } tokens { A; B; C; } start s : (A B)* A B C ;", 1,
         "example: . A B"},
        {"lexer L; options { k = 2; } IF : \"if\" ; ID : ('a'..'z')+ ;", 1, "example: . \"if\""},
        {"lexer L; T : 'x' | 'x' 'y' ; U : 'u' (('a'..'c')* 'b')? ;", 2, "example: . \"x\""},
    };
    for (const Case& c : cases) {
        std::ostringstream messages;
        Diagnostics diagnostics("case.g", messages);
        std::istringstream in(c.grammar);
        GrammarFile file;
        GrammarLexer lexer(in, "case.g", diagnostics);
        GrammarParser parser(lexer, "case.g", diagnostics);
        parser.parseFile(file);
        FileInfo info;
        analyze(file, {}, diagnostics, info);
        ASSERT_EQ(diagnostics.errorCount(), 0) << messages.str();
        std::size_t replayed = 0;
        for (const GrammarInfo& g : info.grammars)
            for (const Conflict& conflict : g.conflicts) {
                if (replayed == 0) {
                    EXPECT_EQ(conflict.notes.at(0), c.firstNote) << c.grammar;
                }
                ASSERT_TRUE(conflict.example.found && conflict.example.reached) << conflict.message;
                EXPECT_TRUE(Replay(g, info.vocabulary, conflict, conflict.first).accepted()) << conflict.message;
                EXPECT_TRUE(Replay(g, info.vocabulary, conflict, conflict.second).accepted()) << conflict.message;
                ++replayed;
            }
        EXPECT_EQ(replayed, c.examples) << c.grammar;
    }
}

}
