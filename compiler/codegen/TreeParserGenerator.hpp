#ifndef ORVELC_CODEGEN_TREEPARSERGENERATOR_HPP
#define ORVELC_CODEGEN_TREEPARSERGENERATOR_HPP

#include "codegen/RecognizerGenerator.hpp"

namespace orvelc {

// Writes a tree parser: a TreeParser whose rules take the node they start at
// (`t_`) and match nodes and `#( root children )` patterns.
class TreeParserGenerator final : public RecognizerGenerator {
public:
    using RecognizerGenerator::RecognizerGenerator;

private:
    std::string baseClass() const override { return "orvel::TreeParser"; }
    void publicMembers(CodeWriter& out) override;
    void privateMembers(CodeWriter& out) override;
    void prelude(CodeWriter& out) override;
    std::string signature(std::size_t rule, bool qualified) const override;
    void ruleGuards(CodeWriter& out, std::size_t rule) override;
    void ruleExit(CodeWriter& out, std::size_t rule) override;
    void defaultHandler(CodeWriter& out, std::size_t rule) override;
    std::string labelType(const Node& labelled) const override;
    std::string readLookahead(int) const override { return "typeOf_(t_)"; }
    std::string noViableAlt() const override
    {
        return "throw orvel::NoViableAltException(t_, getFilename());";
    }
    std::string position() const override;
    std::string nestingPosition() const override
    {
        return "getFilename().empty() ? std::string(\"<AST>\") : getFilename(), -1, -1";
    }
    std::string markInput() const override { return "const orvel::ASTRefCount<orvel::AST> mark_ = t_;"; }
    std::string rewindInput() const override { return "t_ = mark_;"; }
    std::string labelValue() const override { return "t_"; }
    std::string consumeOne() const override { return "t_ = t_->getNextSibling();"; }
    void matchCall(CodeWriter& out, const std::string& check, const std::string& argument) override;
    void ruleReference(CodeWriter& out, const Node& node, bool verified) override;
    void treePattern(CodeWriter& out, const Node& node, bool verified) override;

    int treeDepth_ = 0;  // of the pattern being written
};

}

#endif
