#ifndef ORVELC_READER_GRAMMAR_HPP
#define ORVELC_READER_GRAMMAR_HPP

// The grammar model: what the reader builds from a grammar file and what the
// analysis annotates and the generator walks.

#include "Position.hpp"
#include "reader/TreeTemplate.hpp"

#include <memory>
#include <string>
#include <vector>

namespace orvelc {

// C++ copied from the grammar, and where its opening brace is in the grammar file.
struct Code {
    std::string text;
    int line = 0;
    int column = 0;
};

// One `name = value;` entry of an options section.
struct Option {
    std::string name;
    std::string value;
    Position pos;
};

// Returns the option called `name`, or null when the list has none.
const Option* findOption(const std::vector<Option>& options, const std::string& name);

enum class NodeKind {
    Block,
    Char,
    Range,
    String,
    TokenRef,
    RuleRef,
    Not,
    Wildcard,
    Action,
    Tree,     // `#( root children )`: alts[0] holds the root, then the children
    SynPred,  // `( ... )=>` opening an alternative: its alternatives are the guess
    SemPred   // `{ condition }?`
};

struct Node;
using Sequence = std::vector<std::unique_ptr<Node>>;

// One element of a rule body. A block holds alternatives, each a sequence;
// `~x` is a Not node whose single alternative holds the operand.
struct Node {
    NodeKind kind = NodeKind::Block;
    Position pos;
    std::string text;  // literal (escapes decoded), referenced name or action code
    std::string label;
    std::string args;  // arguments of a rule reference
    int low = 0;       // a lexer's character, or the first character of a range
    int high = 0;      // last character of a range
    bool wide = false; // a lexer character (or range end) written as a code point of several bytes
    char suffix = 0;   // 0, '?', '*' or '+' after a block
    char treeOp = 0;   // 0, '^' (make it the root) or '!' (leave it out of the tree)
    bool always = false;  // an `@{ }` action: runs also while guessing
    std::vector<bool> manualAlts;  // of a block: alternatives opened by `!`
    // Of a block: per alternative, the tree template ending it, or null.
    std::vector<std::unique_ptr<TreeTemplate>> templates;
    std::vector<Option> options;
    std::vector<Option> elementOptions;  // `<name = value>` after the element
    std::vector<Sequence> alts;
    // Of a block that a rewrite made: the number each alternative has where
    // the grammar writes it; empty for blocks as written.
    std::vector<int> altNumbers;
    int decision = -1;  // index of the block's decision, set by the analysis
    // Index of the rule a reference calls, set by the analysis; on a labelled
    // action, the rule whose value and tree so far the label takes (the left
    // operand of a left-recursive alternative).
    int rule = -1;
};

// The name a tree template gives `element`: its label, or else the name of
// the token or rule it references; empty for an element it cannot name.
std::string elementName(const Node& element);

// A `catch [declaration] { code }` clause after a rule.
struct Handler {
    std::string declaration;
    Code code;
};

struct Rule {
    std::string name;
    Position pos;
    bool fragment = false;
    bool skip = false;
    bool start = false;
    bool manual = false;  // `name!`: builds its tree in actions only
    int mode = 0;         // lexer: the mode the rule belongs to, 0 the default one
    std::string args;
    std::string returns;
    Code init;
    std::vector<Option> options;
    std::unique_ptr<Node> body;
    std::vector<Handler> handlers;
    // Rewritten from left recursion into precedence climbing: the rule takes
    // `int precedenceParameter` last, 0 when the caller leaves it out.
    bool climbs = false;
};

// The parameter of a climbing rule: the least precedence its operators may
// have; called with it, the rule leaves looser operators to its caller.
constexpr char precedenceParameter[] = "precedence_";

// An entry of a `tokens` section: a name, a literal, or a name for a literal.
struct TokenDecl {
    std::string name;
    std::string literal;
    bool hasLiteral = false;
    std::string nodeType;  // `NAME<Class>`: the node class of this token type
    bool soft = false;     // `soft "text";`: a contextual keyword
    Position pos;
};

// A `mode NAME;` line of a lexer.
struct ModeDecl {
    std::string name;
    Position pos;
};

struct Grammar {
    bool lexer = false;
    bool treeParser = false;
    std::string name;
    Position pos;
    std::vector<Option> options;
    std::vector<TokenDecl> tokens;
    std::vector<Code> members;
    std::vector<std::unique_ptr<Rule>> rules;
    std::vector<ModeDecl> modes;  // after the default mode, in order: mode i + 1
};

struct GrammarFile {
    std::string path;
    std::string stem;  // file name without directory and extension: names the outputs
    std::string nameSpace;
    std::vector<std::pair<std::string, Position>> imports;
    std::vector<Code> header;
    std::vector<Code> code;
    std::vector<std::unique_ptr<Grammar>> grammars;
};

}

#endif
