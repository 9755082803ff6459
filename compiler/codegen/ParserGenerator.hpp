#ifndef ORVELC_CODEGEN_PARSERGENERATOR_HPP
#define ORVELC_CODEGEN_PARSERGENERATOR_HPP

#include "codegen/RecognizerGenerator.hpp"
#include "codegen/TemplateWriter.hpp"

#include <map>

namespace orvelc {

// Writes a parser: an LLkParser whose rules match tokens and, with
// buildAST, build trees.
class ParserGenerator final : public RecognizerGenerator {
public:
    ParserGenerator(const GrammarInfo& info, const Vocabulary& vocabulary, SetTables& sets,
                    const GeneratorSettings& settings);

private:
    std::string baseClass() const override { return "orvel::LLkParser"; }
    void publicMembers(CodeWriter& out) override;
    void privateMembers(CodeWriter& out) override;
    void prelude(CodeWriter& out) override;
    std::string signature(std::size_t rule, bool qualified) const override;
    void ruleGuards(CodeWriter& out, std::size_t rule) override;
    void ruleExit(CodeWriter& out, std::size_t rule) override;
    void defaultHandler(CodeWriter& out, std::size_t rule) override;
    std::string labelType(const Node& labelled) const override;
    void declareLabel(CodeWriter& out, const Node& labelled) const override;
    std::string noViableAlt() const override;
    std::string position() const override;
    std::string labelValue() const override { return "LT(1)"; }
    std::string consumeOne() const override { return "consume();"; }
    void terminal(CodeWriter& out, const Node& node, bool verified) override;
    void ruleReference(CodeWriter& out, const Node& node, bool verified) override;
    void actionBody(CodeWriter& out, const Node& node) override;
    void alternative(CodeWriter& out, const Node& block, std::size_t a, std::size_t first) override;
    std::string actionText(const std::string& code) override;
    void whileBuilding(CodeWriter& out, const CodeWriter& statements) const;
    void factorySetup(CodeWriter& out) const;
    void treeHelpers(CodeWriter& out) const;
    void declareTemplates(CodeWriter& out, const Node& block);

    const bool build_;  // builds trees
    // Of the rule being written, per block whose alternatives may end with
    // tree templates (its body, or the two blocks a left-recursive rule is
    // rewritten into) and per alternative: the writer of its template, null
    // for none.
    std::map<const Node*, std::vector<std::unique_ptr<TemplateWriter>>> templates_;
    // The writer of the template whose alternative is being written, or null.
    const TemplateWriter* template_ = nullptr;
};

}

#endif
