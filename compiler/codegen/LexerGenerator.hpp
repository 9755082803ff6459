#ifndef ORVELC_CODEGEN_LEXERGENERATOR_HPP
#define ORVELC_CODEGEN_LEXERGENERATOR_HPP

#include "codegen/RecognizerGenerator.hpp"

namespace orvelc {

// Writes a lexer: a WindowScanner whose rules match bytes, and whose
// nextToken chooses among the token rules. Keywords are told apart by a
// generated function on the token's text, not by a table.
class LexerGenerator final : public RecognizerGenerator {
public:
    using RecognizerGenerator::RecognizerGenerator;

private:
    std::string baseClass() const override { return "orvel::WindowScanner"; }
    void publicMembers(CodeWriter& out) override;
    void privateMembers(CodeWriter& out) override;
    void prelude(CodeWriter& out) override;
    bool traces() const override { return false; }
    bool baseNests() const override { return true; }
    std::string nestingExceeded() const override { return "nestingWasExceeded()"; }
    std::string signature(std::size_t rule, bool qualified) const override;
    void ruleEntry(CodeWriter& out, std::size_t rule) override;
    void ruleGuards(CodeWriter&, std::size_t) override {}
    void ruleExit(CodeWriter& out, std::size_t rule) override;
    void defaultHandler(CodeWriter& out, std::size_t rule) override;
    std::string labelType(const Node& labelled) const override;
    std::string noViableAlt() const override;
    std::string position() const override;
    std::string symbol(int s) const override;
    int symbolLimit() const override { return 256; }
    SymbolSet everySymbol() const override;
    std::string markInput() const override { return "const Mark mark_ = mark();"; }
    std::string guessingDepth() const override { return "getGuessing()"; }
    std::string raiseGuessing() const override { return "setGuessing(getGuessing() + 1);"; }
    std::string lowerGuessing() const override { return "setGuessing(getGuessing() - 1);"; }
    std::string labelValue() const override { return "LA(1)"; }
    std::string consumeOne() const override { return "consume();"; }
    void matchTerminal(CodeWriter& out, const Node& node) override;
    void ruleReference(CodeWriter& out, const Node& node, bool verified) override;
    bool setLoop(CodeWriter& out, const Node& node, const Decision& d) override;
    void runBeforeChoice(CodeWriter& out, const Node& node, const Decision& d) override;
    std::string runTable(const SymbolSet& set);
    void settings(CodeWriter& out) const;
    void keywordType(CodeWriter& out) const;
    std::vector<const TokenEntry*> keywords() const;
    bool hasKeywords() const;
    void nextToken(CodeWriter& out);
    void modeChoice(CodeWriter& out, std::size_t mode);
};

}

#endif
