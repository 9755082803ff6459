#ifndef ORVELC_READER_GRAMMARPARSER_HPP
#define ORVELC_READER_GRAMMARPARSER_HPP

#include "Diagnostics.hpp"
#include "reader/Grammar.hpp"

#include <orvel/LLkParser.hpp>

namespace orvelc {

// Reads a grammar file into the model. A syntax error is reported and the
// parser goes on after the next `;`, so one run reports every error.
class GrammarParser : public orvel::LLkParser {
public:
    // Subrules, tree patterns, `~` and the groups and trees of templates nest at most this deep.
    static constexpr int maxNesting = 500;

    GrammarParser(orvel::TokenStream& lexer, const std::string& file, Diagnostics& diagnostics);

    // Fills `out` from the whole input; errors go to the diagnostics, among
    // them one at the end of a file that declares no grammar.
    void parseFile(GrammarFile& out);

    orvel::ASTRefCount<orvel::AST> getAST() override { return orvel::nullAST; }
    const char* getTokenName(int num) const override;
    const char* const* getTokenNames() const override;
    int getNumTokens() const override;

private:
    void declaration(GrammarFile& out);
    void grammar(GrammarFile& out);
    bool section(Grammar& grammar);
    void mode(Grammar& grammar);
    // Whether LT(1) is the name `word`, which only its place makes a keyword.
    bool isContextual(const char* word);
    std::unique_ptr<Rule> rule(bool lexer);
    void options(std::vector<Option>& out);
    void tokens(std::vector<TokenDecl>& out);
    std::unique_ptr<Node> block(bool lexer, int depth);
    Sequence alternative(bool lexer, int depth);
    void element(bool lexer, int depth, Sequence& out);
    Option elementOption();
    std::unique_ptr<Node> atom(bool lexer, int depth);
    std::unique_ptr<Node> subrule(bool lexer, int depth);
    std::unique_ptr<Node> tree(bool lexer, int depth);
    std::unique_ptr<Node> literal(bool lexer);
    std::unique_ptr<TreeTemplate> treeTemplate(int depth);
    TemplateItem templateItem(int depth);
    TemplateItem::Kind groupKind();
    void checkDepth(int depth);
    // The text of the ACTION token at LT(1) and its line; consumes it.
    Code takeCode();
    std::string take(int type);
    Position here();
    void report(const orvel::RecognitionException& ex);
    void skipPast(int type);

    Diagnostics& diagnostics_;
};

}

#endif
