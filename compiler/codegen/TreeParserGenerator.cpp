#include "codegen/TreeParserGenerator.hpp"

namespace orvelc {

void TreeParserGenerator::publicMembers(CodeWriter& out)
{
    const std::string& n = grammar_.name;
    if (info_.errorLimit > 0)
        out.line(n + "() { setErrorLimit(" + std::to_string(info_.errorLimit) + "); }");
    else
        out.line(n + "() = default;");
    out.line("explicit " + n + "(const orvel::RefCount<orvel::TreeParserInputState>& state);");
    out.line("");
    declareParserBasics(out);
}

void TreeParserGenerator::privateMembers(CodeWriter& out)
{
    out.line("static int typeOf_(const orvel::ASTRefCount<orvel::AST>& t)");
    out.open("");
    out.line("return t ? t->getType() : orvel::Token::NULL_TREE_LOOKAHEAD;");
    out.close();
    out.line("orvel::ASTRefCount<orvel::AST> retTree_;  // where the last rule left off");
    out.line("orvel::ASTRefCount<orvel::AST> returnAST_;");
}

void TreeParserGenerator::prelude(CodeWriter& out)
{
    const std::string& n = grammar_.name;
    out.line(n + "::" + n + "(const orvel::RefCount<orvel::TreeParserInputState>& state)");
    out.openFunction("    : TreeParser(state)");
    if (info_.errorLimit > 0)
        out.line("setErrorLimit(" + std::to_string(info_.errorLimit) + ");");
    out.close();
    out.line("");
    defineParserBasics(out);
}

// The node's position, where it has one, and the input's name ("<AST>" when
// none was set).
std::string TreeParserGenerator::position() const
{
    return "getFilename().empty() ? std::string(\"<AST>\") : getFilename(), t_ ? t_->getLine() : -1, "
           "t_ ? t_->getColumn() : -1";
}

std::string TreeParserGenerator::signature(std::size_t index, bool qualified) const
{
    const Rule& r = *grammar_.rules[index];
    return returnType(index) + " " + (qualified ? grammar_.name + "::" : "") + r.name +
           "(orvel::ASTRefCount<orvel::AST> t_" + (r.args.empty() ? "" : ", " + r.args) + ")";
}

void TreeParserGenerator::ruleGuards(CodeWriter& out, std::size_t index)
{
    out.line("const orvel::RuleTracer<" + grammar_.name + ", orvel::ASTRefCount<orvel::AST>> tracer_(*this, \"" +
             grammar_.rules[index]->name + "\", t_);");
}

void TreeParserGenerator::ruleExit(CodeWriter& out, std::size_t index)
{
    out.line("retTree_ = t_;");
    returnValue(out, index);
}

// Reports the error and skips the node where it happened.
void TreeParserGenerator::defaultHandler(CodeWriter& out, std::size_t)
{
    out.chain("catch (const orvel::RecognitionException& ex)");
    passThrough(out);
    out.line("reportSyntaxError(ex);");
    out.open("if (t_)");
    out.line("t_ = t_->getNextSibling();");
    out.close();
}

std::string TreeParserGenerator::labelType(const Node& labelled) const
{
    if (labelled.kind == NodeKind::RuleRef)
        return info_.returnTypes[static_cast<std::size_t>(labelled.rule)];
    return "orvel::ASTRefCount<orvel::AST>";
}

// Checks the node at hand and moves on to its next sibling.
void TreeParserGenerator::matchCall(CodeWriter& out, const std::string& check,
                                    const std::string& argument)
{
    out.line(check + "(t_, " + argument + ");");
    out.line("t_ = t_->getNextSibling();");
}

void TreeParserGenerator::ruleReference(CodeWriter& out, const Node& node, bool)
{
    const bool value = !node.label.empty() && !info_.returnTypes[static_cast<std::size_t>(node.rule)].empty();
    out.line((value ? node.label + " = " : "") + node.text + "(t_" +
             (node.args.empty() ? "" : ", " + node.args) + ");");
    out.line("t_ = retTree_;");
}

// `#( root children )`: the root is matched, then its children from its first
// child on; no child may be left over. What follows starts at the root's
// next sibling.
void TreeParserGenerator::treePattern(CodeWriter& out, const Node& node, bool verified)
{
    const std::string root = "tree" + std::to_string(treeDepth_++) + "_";
    out.open("");
    out.line("const orvel::ASTRefCount<orvel::AST> " + root + " = t_;");
    const Sequence& seq = node.alts[0];
    firstElement(out, *seq[0], verified);
    out.line("t_ = " + root + "->getFirstChild();");
    for (std::size_t i = 1; i < seq.size(); ++i)
        element(out, *seq[i]);
    out.open("if (typeOf_(t_) != orvel::Token::NULL_TREE_LOOKAHEAD)");
    out.line(noViableAlt());
    out.close();
    out.line("t_ = " + root + "->getNextSibling();");
    out.close();
    --treeDepth_;
}

}
