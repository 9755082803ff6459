#include "reader/GrammarParser.hpp"

#include "reader/GrammarTokens.hpp"
#include "reader/Utf8.hpp"

#include <orvel/NoViableAltException.hpp>

namespace orvelc {

namespace {

bool isUpper(char c) { return c >= 'A' && c <= 'Z'; }

// The character of a character literal: its byte, or the code point its
// bytes encode.
int characterOf(const std::string& literal)
{
    return literal.size() == 1 ? static_cast<unsigned char>(literal[0]) : decodeUtf8(literal);
}

std::unique_ptr<Node> makeNode(NodeKind kind, Position pos)
{
    auto node = std::make_unique<Node>();
    node->kind = kind;
    node->pos = pos;
    return node;
}

}

GrammarParser::GrammarParser(orvel::TokenStream& lexer, const std::string& file,
                             Diagnostics& diagnostics)
    : LLkParser(lexer, 2), diagnostics_(diagnostics)
{
    setFilename(file);
}

const char* GrammarParser::getTokenName(int num) const
{
    return num >= 0 && num < NUM_GRAMMAR_TOKENS ? grammarTokenNames[num] : "<invalid>";
}

const char* const* GrammarParser::getTokenNames() const { return grammarTokenNames; }

int GrammarParser::getNumTokens() const { return NUM_GRAMMAR_TOKENS; }

void GrammarParser::parseFile(GrammarFile& out)
{
    while (LA(1) != orvel::Token::EOF_TYPE && !diagnostics_.saturated()) {
        try {
            declaration(out);
        } catch (const orvel::RecognitionException& ex) {
            report(ex);
            skipPast(SEMI);
        }
    }
    if (out.grammars.empty() && diagnostics_.errorCount() == 0)
        diagnostics_.error(here(), "no grammar in this file: it needs a lexer, a parser or a treeparser");
}

void GrammarParser::declaration(GrammarFile& out)
{
    switch (LA(1)) {
    case K_NAMESPACE:
        consume();
        out.nameSpace = take(ID);
        while (LA(1) == COLONCOLON) {
            consume();
            out.nameSpace += "::" + take(ID);
        }
        match(SEMI);
        break;
    case K_IMPORT: {
        consume();
        const Position pos = here();
        out.imports.emplace_back(take(ID), pos);
        match(SEMI);
        break;
    }
    case K_HEADER:
        consume();
        out.header.push_back(takeCode());
        break;
    case K_CODE:
        consume();
        out.code.push_back(takeCode());
        break;
    case K_LEXER:
    case K_PARSER:
    case K_TREEPARSER:
        grammar(out);
        break;
    default:
        throw orvel::NoViableAltException(LT(1), getFilename());
    }
}

void GrammarParser::grammar(GrammarFile& out)
{
    auto g = std::make_unique<Grammar>();
    g->lexer = LA(1) == K_LEXER;
    g->treeParser = LA(1) == K_TREEPARSER;
    consume();
    g->pos = here();
    g->name = take(ID);
    Grammar& grammar = *g;
    out.grammars.push_back(std::move(g));
    match(SEMI);
    while (!diagnostics_.saturated()) {
        try {
            if (!section(grammar))
                return;
        } catch (const orvel::RecognitionException& ex) {
            report(ex);
            skipPast(SEMI);
        }
    }
}

// One section, rule or `mode` line of a grammar; false when none comes next.
bool GrammarParser::section(Grammar& grammar)
{
    switch (LA(1)) {
    case K_OPTIONS:
        options(grammar.options);
        return true;
    case K_TOKENS:
        tokens(grammar.tokens);
        return true;
    case K_MEMBERS:
        consume();
        grammar.members.push_back(takeCode());
        return true;
    case K_FRAGMENT:
    case K_SKIP:
    case K_START:
        break;
    case ID:
        if (isContextual("mode") && LA(2) == ID) {
            mode(grammar);
            return true;
        }
        break;
    default:
        return false;
    }
    grammar.rules.push_back(rule(grammar.lexer));
    grammar.rules.back()->mode = static_cast<int>(grammar.modes.size());
    return true;
}

// `mode NAME;`: the token rules up to the next one belong to mode NAME.
void GrammarParser::mode(Grammar& grammar)
{
    const Position pos = here();
    consume();
    ModeDecl m;
    m.pos = here();
    m.name = take(ID);
    match(SEMI);
    if (!grammar.lexer)
        diagnostics_.error(pos, "only lexers have modes");
    else
        grammar.modes.push_back(m);
}

bool GrammarParser::isContextual(const char* word)
{
    return LA(1) == ID && LT(1)->getText() == word;
}

std::unique_ptr<Rule> GrammarParser::rule(bool lexer)
{
    auto r = std::make_unique<Rule>();
    for (;;) {
        if (LA(1) == K_FRAGMENT)
            r->fragment = true;
        else if (LA(1) == K_SKIP)
            r->skip = true;
        else if (LA(1) == K_START)
            r->start = true;
        else
            break;
        consume();
    }
    r->pos = here();
    r->name = take(ID);
    if (LA(1) == BANG) {
        consume();
        r->manual = true;
    }
    if (LA(1) == ARG)
        r->args = take(ARG);
    if (LA(1) == K_RETURNS) {
        consume();
        r->returns = take(ARG);
    }
    if (LA(1) == K_OPTIONS)
        options(r->options);
    if (LA(1) == ACTION)
        r->init = takeCode();
    match(COLON);
    r->body = block(lexer, 0);
    match(SEMI);
    while (LA(1) == K_EXCEPTION) {
        consume();
        if (LT(1)->getText() != "catch")
            throw orvel::RecognitionException("expecting catch after exception", getFilename(),
                                              LT(1)->getLine(), LT(1)->getColumn());
        match(ID);
        Handler h;
        h.declaration = take(ARG);
        h.code = takeCode();
        r->handlers.push_back(h);
    }
    return r;
}

void GrammarParser::options(std::vector<Option>& out)
{
    match(K_OPTIONS);
    match(LBRACE);
    while (LA(1) == ID) {
        Option o;
        o.pos = here();
        o.name = take(ID);
        match(ASSIGN);
        if (LA(1) == STRING || LA(1) == INT)
            o.value = take(LA(1));
        else
            o.value = take(ID);
        match(SEMI);
        out.push_back(o);
    }
    match(RBRACE);
}

void GrammarParser::tokens(std::vector<TokenDecl>& out)
{
    match(K_TOKENS);
    match(LBRACE);
    while (LA(1) == ID || LA(1) == STRING) {
        TokenDecl d;
        d.pos = here();
        if (isContextual("soft") && LA(2) == STRING) {
            consume();
            d.soft = true;
        }
        if (LA(1) == STRING) {
            d.literal = take(STRING);
            d.hasLiteral = true;
        } else {
            d.name = take(ID);
            if (LA(1) == NODE_TYPE)
                d.nodeType = take(NODE_TYPE);
            if (LA(1) == ASSIGN) {
                consume();
                d.literal = take(STRING);
                d.hasLiteral = true;
            }
        }
        match(SEMI);
        out.push_back(d);
    }
    match(RBRACE);
}

std::unique_ptr<Node> GrammarParser::block(bool lexer, int depth)
{
    auto node = makeNode(NodeKind::Block, here());
    for (;;) {
        const bool manual = LA(1) == BANG;
        if (manual)
            consume();
        node->manualAlts.push_back(manual);
        node->alts.push_back(alternative(lexer, depth));
        node->templates.push_back(LA(1) == ARROW ? treeTemplate(depth) : nullptr);
        if (LA(1) != OR)
            return node;
        consume();
    }
}

Sequence GrammarParser::alternative(bool lexer, int depth)
{
    Sequence seq;
    while (LA(1) != OR && LA(1) != RPAREN && LA(1) != SEMI && LA(1) != ARROW &&
           LA(1) != orvel::Token::EOF_TYPE)
        element(lexer, depth, seq);
    return seq;
}

void GrammarParser::element(bool lexer, int depth, Sequence& out)
{
    if (LA(1) == ACTION || LA(1) == AT) {
        auto action = makeNode(NodeKind::Action, here());
        action->always = LA(1) == AT;
        if (action->always)
            consume();
        action->text = take(ACTION);
        if (!action->always && LA(1) == QUESTION) {
            consume();
            action->kind = NodeKind::SemPred;
        }
        out.push_back(std::move(action));
        return;
    }
    std::string label;
    if (LA(1) == ID && LA(2) == ASSIGN) {
        label = take(ID);
        consume();
    }
    std::unique_ptr<Node> node = atom(lexer, depth);
    node->label = label;
    if (node->kind == NodeKind::Block && LA(1) == IMPLIES) {
        if (!out.empty() || !label.empty())
            throw orvel::RecognitionException("a syntactic predicate must open an alternative",
                                              getFilename(), LT(1)->getLine(), LT(1)->getColumn());
        consume();
        node->kind = NodeKind::SynPred;
        out.push_back(std::move(node));
        return;
    }
    if (LA(1) == CARET || LA(1) == BANG) {
        node->treeOp = LA(1) == CARET ? '^' : '!';
        consume();
    }
    if (LA(1) == QUESTION || LA(1) == STAR || LA(1) == PLUS) {
        if (node->kind != NodeKind::Block) {
            auto wrapper = makeNode(NodeKind::Block, node->pos);
            wrapper->alts.emplace_back();
            wrapper->alts.back().push_back(std::move(node));
            node = std::move(wrapper);
        }
        node->suffix = LA(1) == QUESTION ? '?' : LA(1) == STAR ? '*' : '+';
        consume();
        if (LA(1) == QUESTION || LA(1) == STAR || LA(1) == PLUS)
            throw orvel::RecognitionException("a suffix cannot follow another suffix",
                                              getFilename(), LT(1)->getLine(),
                                              LT(1)->getColumn());
    }
    while (LA(1) == NODE_TYPE)
        node->elementOptions.push_back(elementOption());
    out.push_back(std::move(node));
}

// `<name = value>` after an element, such as `<assoc = right>`.
Option GrammarParser::elementOption()
{
    const Position pos = here();
    const std::string text = take(NODE_TYPE);
    const auto spaces = " \t\r\n";
    const auto equals = text.find('=');
    auto trimmed = [&](std::string part) {
        part.erase(0, part.find_first_not_of(spaces));
        part.erase(part.find_last_not_of(spaces) + 1);
        return part;
    };
    Option option{trimmed(text.substr(0, equals)), "", pos};
    if (equals != std::string::npos)
        option.value = trimmed(text.substr(equals + 1));
    if (option.name.empty() || option.value.empty())
        throw orvel::RecognitionException("an element option is written <name = value>",
                                          getFilename(), pos.line, pos.column);
    return option;
}

std::unique_ptr<Node> GrammarParser::atom(bool lexer, int depth)
{
    const Position pos = here();
    switch (LA(1)) {
    case ID: {
        const std::string name = take(ID);
        const bool token = !lexer && isUpper(name[0]);
        auto node = makeNode(token ? NodeKind::TokenRef : NodeKind::RuleRef, pos);
        node->text = name;
        if (LA(1) == ARG)
            node->args = take(ARG);
        return node;
    }
    case STRING:
    case CHAR:
        return literal(lexer);
    case DOT:
        consume();
        return makeNode(NodeKind::Wildcard, pos);
    case NOT: {
        checkDepth(depth + 1);
        consume();
        auto node = makeNode(NodeKind::Not, pos);
        node->alts.emplace_back();
        node->alts.back().push_back(atom(lexer, depth + 1));
        return node;
    }
    case LPAREN:
        return subrule(lexer, depth + 1);
    case TREE_BEGIN:
        return tree(lexer, depth + 1);
    default:
        throw orvel::NoViableAltException(LT(1), getFilename());
    }
}

std::unique_ptr<Node> GrammarParser::subrule(bool lexer, int depth)
{
    const Position pos = here();
    checkDepth(depth);
    match(LPAREN);
    std::vector<Option> opts;
    if (LA(1) == K_OPTIONS) {
        options(opts);
        match(COLON);
    }
    std::unique_ptr<Node> node = block(lexer, depth);
    node->pos = pos;
    node->options = std::move(opts);
    match(RPAREN);
    return node;
}

// `#( root children )`, the children up to the closing parenthesis.
std::unique_ptr<Node> GrammarParser::tree(bool lexer, int depth)
{
    const Position pos = here();
    checkDepth(depth);
    match(TREE_BEGIN);
    auto node = makeNode(NodeKind::Tree, pos);
    node->alts.emplace_back();
    Sequence& children = node->alts.back();
    element(lexer, depth, children);
    while (LA(1) != RPAREN && LA(1) != orvel::Token::EOF_TYPE)
        element(lexer, depth, children);
    match(RPAREN);
    return node;
}

// `-> items`, up to the end of the alternative.
std::unique_ptr<TreeTemplate> GrammarParser::treeTemplate(int depth)
{
    auto t = std::make_unique<TreeTemplate>();
    t->pos = here();
    match(ARROW);
    while (LA(1) != OR && LA(1) != RPAREN && LA(1) != SEMI && LA(1) != orvel::Token::EOF_TYPE)
        t->items.push_back(templateItem(depth));
    return t;
}

// A name, `#[TYPE]`, `#[TYPE, "text"]`, `#( root items )`, `( items )?` or
// `( items )*`.
TemplateItem GrammarParser::templateItem(int depth)
{
    TemplateItem item;
    item.pos = here();
    switch (LA(1)) {
    case ID:
        item.name = take(ID);
        return item;
    case NODE_BEGIN:
        consume();
        item.kind = TemplateItem::Kind::NewNode;
        item.name = take(ID);
        if (LA(1) == COMMA) {
            consume();
            item.text = take(STRING);
            item.hasText = true;
        }
        match(RBRACKET);
        return item;
    case TREE_BEGIN:
    case LPAREN: {
        const bool tree = LA(1) == TREE_BEGIN;
        checkDepth(depth + 1);
        consume();
        if (tree && LA(1) == LPAREN)
            throw orvel::RecognitionException("the root of a template tree is one node",
                                              getFilename(), LT(1)->getLine(), LT(1)->getColumn());
        do
            item.items.push_back(templateItem(depth + 1));
        while (LA(1) != RPAREN && LA(1) != OR && LA(1) != SEMI && LA(1) != orvel::Token::EOF_TYPE);
        match(RPAREN);
        item.kind = tree ? TemplateItem::Kind::Tree : groupKind();
        return item;
    }
    default:
        throw orvel::NoViableAltException(LT(1), getFilename());
    }
}

// The `?` or `*` that ends a group of a template; consumes it.
TemplateItem::Kind GrammarParser::groupKind()
{
    if (LA(1) != QUESTION && LA(1) != STAR)
        throw orvel::RecognitionException("a group in a template ends with ? or *", getFilename(),
                                          LT(1)->getLine(), LT(1)->getColumn());
    const bool optional = LA(1) == QUESTION;
    consume();
    return optional ? TemplateItem::Kind::Optional : TemplateItem::Kind::Repeat;
}

// A quoted literal: characters and ranges in lexers, literal tokens in parsers.
std::unique_ptr<Node> GrammarParser::literal(bool lexer)
{
    const Position pos = here();
    const bool isChar = LA(1) == CHAR;
    const std::string value = take(LA(1));
    if (!lexer) {
        auto node = makeNode(NodeKind::String, pos);
        node->text = value;
        return node;
    }
    if (isChar && LA(1) == RANGE) {
        consume();
        const std::string last = take(CHAR);
        auto node = makeNode(NodeKind::Range, pos);
        node->low = characterOf(value);
        node->high = characterOf(last);
        node->wide = value.size() > 1 || last.size() > 1;
        return node;
    }
    auto node = makeNode(isChar ? NodeKind::Char : NodeKind::String, pos);
    node->text = value;
    node->low = isChar ? characterOf(value) : value.empty() ? 0 : static_cast<unsigned char>(value[0]);
    node->wide = isChar && value.size() > 1;
    return node;
}

// Subrules, tree patterns and `~` nest at most maxNesting deep, so that
// neither reading nor analysing a grammar can run out of stack.
void GrammarParser::checkDepth(int depth)
{
    if (depth > maxNesting)
        throw orvel::RecognitionException("nesting deeper than " + std::to_string(maxNesting),
                                          getFilename(), LT(1)->getLine(), LT(1)->getColumn());
}

std::string GrammarParser::take(int type)
{
    std::string text = LT(1)->getText();
    match(type);
    return text;
}

Code GrammarParser::takeCode()
{
    const Position pos = here();
    return {take(ACTION), pos.line, pos.column};
}

Position GrammarParser::here()
{
    const orvel::TokenRefCount<orvel::Token> t = LT(1);
    return {t->getLine(), t->getColumn()};
}

void GrammarParser::report(const orvel::RecognitionException& ex)
{
    diagnostics_.error({ex.getLine(), ex.getColumn()}, ex.getMessage());
}

void GrammarParser::skipPast(int type)
{
    consumeUntil(type);
    if (LA(1) == type)
        consume();
}

}
