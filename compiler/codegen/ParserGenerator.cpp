#include "codegen/ParserGenerator.hpp"

#include "codegen/TreeNotation.hpp"

namespace orvelc {

ParserGenerator::ParserGenerator(const GrammarInfo& info, const Vocabulary& vocabulary,
                                 SetTables& sets, const GeneratorSettings& settings)
    : RecognizerGenerator(info, vocabulary, sets, settings), build_(info.buildAST)
{
}

void ParserGenerator::publicMembers(CodeWriter& out)
{
    const std::string& n = grammar_.name;
    out.line("explicit " + n + "(orvel::TokenStream& lexer);");
    out.line("explicit " + n + "(orvel::TokenBuffer& buffer);");
    out.line("explicit " + n + "(const orvel::RefCount<orvel::ParserInputState>& state);");
    out.line("");
    if (build_) {
        out.line("// Rules build their trees while on (the default); off, they build none and");
        out.line("// getAST() stays empty, for a check that needs no tree.");
        out.line("void setBuildAST(bool on) { buildAST_ = on; }");
        out.line("bool getBuildAST() const { return buildAST_; }");
    }
    out.line("// The tree the last rule built" +
             std::string(build_ ? "" : " (none: this parser builds no trees)") + ".");
    declareParserBasics(out);
}

void ParserGenerator::privateMembers(CodeWriter& out)
{
    out.line("orvel::TokenRefCount<orvel::Token> lastErrorToken_;  // where the last error was reported");
    out.line("orvel::ASTRefCount<orvel::AST> returnAST_;");
    if (build_) {
        out.line("orvel::ASTRefCount<orvel::AST> make_(std::initializer_list<orvel::ASTRefCount<orvel::AST>> nodes);");
        out.line("static void resetPair_(orvel::ASTPair& pair);");
        out.line("orvel::ASTFactory factory_;");
        out.line("bool buildAST_ = true;");
    }
}

void ParserGenerator::prelude(CodeWriter& out)
{
    const std::string& n = grammar_.name;
    const char* const inits[] = {"orvel::TokenStream& lexer", "orvel::TokenBuffer& buffer",
                                 "const orvel::RefCount<orvel::ParserInputState>& state"};
    const char* const bases[] = {"lexer", "buffer", "state"};
    for (int i = 0; i < 3; ++i) {
        out.openFunction(n + "::" + n + "(" + inits[i] + ") : LLkParser(" + bases[i] + ", " +
                         std::to_string(info_.k) + ")");
        if (build_)
            factorySetup(out);
        if (info_.errorLimit > 0)
            out.line("setErrorLimit(" + std::to_string(info_.errorLimit) + ");");
        out.close();
        out.line("");
    }
    defineParserBasics(out);
    if (build_)
        treeHelpers(out);
}

// Gives the parser its own factory, making the grammar's node classes.
void ParserGenerator::factorySetup(CodeWriter& out) const
{
    out.line("factory_.setMaxNodeType(" + std::to_string(vocabulary_.maxType()) + ");");
    if (!info_.nodeType.empty())
        out.line("factory_.setASTNodeFactory(" + info_.nodeType + "::TYPE_NAME, &" + info_.nodeType +
                 "::factory);");
    for (const auto& [token, type] : info_.nodeTypes)
        out.line("factory_.registerFactory(" + token + ", " + type + "::TYPE_NAME, &" + type +
                 "::factory);");
    out.line("astFactory = &factory_;");
}

void ParserGenerator::treeHelpers(CodeWriter& out) const
{
    const std::string& n = grammar_.name;
    out.openFunction("orvel::ASTRefCount<orvel::AST> " + n +
                     "::make_(std::initializer_list<orvel::ASTRefCount<orvel::AST>> nodes)");
    out.line("return astFactory->make(std::vector<orvel::ASTRefCount<orvel::AST>>(nodes));");
    out.close();
    out.line("");
    out.line("// After an action set the rule's tree: what follows becomes its last children.");
    out.openFunction("void " + n + "::resetPair_(orvel::ASTPair& pair)");
    out.line("pair.child = pair.root ? pair.root->getFirstChild() : orvel::nullAST;");
    out.line("pair.advanceChildToEnd();");
    out.close();
    out.line("");
}

std::string ParserGenerator::signature(std::size_t index, bool qualified) const
{
    const Rule& r = *grammar_.rules[index];
    std::string args = r.args;
    if (r.climbs)
        args += (args.empty() ? "int " : ", int ") + std::string(precedenceParameter) + (qualified ? "" : " = 0");
    return returnType(index) + " " + (qualified ? grammar_.name + "::" : "") + r.name + "(" + args + ")";
}

void ParserGenerator::ruleGuards(CodeWriter& out, std::size_t index)
{
    out.line("const orvel::RuleTracer<" + grammar_.name + "> tracer_(*this, \"" +
             grammar_.rules[index]->name + "\");");
    if (!build_)
        return;
    out.line("orvel::ASTPair currentAST_;");
    templates_.clear();
    declareTemplates(out, *rule().body);
    if (rule().climbs)
        for (const auto& block : rule().body->alts[0])
            declareTemplates(out, *block);
}

// Makes the writers of the templates of `block` and declares their variables,
// each alternative's named by its number as the grammar writes it.
void ParserGenerator::declareTemplates(CodeWriter& out, const Node& block)
{
    auto& writers = templates_[&block];
    for (std::size_t a = 0; a < block.templates.size(); ++a) {
        const auto& t = block.templates[a];
        const auto number =
            a < block.altNumbers.size() ? static_cast<std::size_t>(block.altNumbers[a]) : a + 1;
        writers.push_back(t ? std::make_unique<TemplateWriter>(*t, number) : nullptr);
        if (t)
            writers.back()->declare(out);
    }
}

void ParserGenerator::ruleExit(CodeWriter& out, std::size_t index)
{
    if (build_)
        out.line("returnAST_ = currentAST_.root;");
    returnValue(out, index);
}

// Reports the error unless it is where the last one was (then moves on one
// token, so that recovery cannot stall), and skips to what may follow the rule.
void ParserGenerator::defaultHandler(CodeWriter& out, std::size_t index)
{
    out.chain("catch (const orvel::RecognitionException& ex)");
    passThrough(out);
    out.open("if (LT(1) == lastErrorToken_)");
    out.line("consume();");
    out.chain("else");
    out.line("reportSyntaxError(ex);");
    out.line("lastErrorToken_ = LT(1);");
    out.close();
    out.line("consumeUntil(" + setName(info_.follow[index]) + ");");
}

std::string ParserGenerator::labelType(const Node& labelled) const
{
    if (labelled.rule >= 0)
        return info_.returnTypes[static_cast<std::size_t>(labelled.rule)];
    return "orvel::TokenRefCount<orvel::Token>";
}

void ParserGenerator::declareLabel(CodeWriter& out, const Node& labelled) const
{
    RecognizerGenerator::declareLabel(out, labelled);
    if (build_)
        out.line("orvel::ASTRefCount<orvel::AST> " + labelled.label + "_AST;");
}

std::string ParserGenerator::noViableAlt() const
{
    return "throw orvel::NoViableAltException(LT(1), getFilename());";
}

std::string ParserGenerator::position() const
{
    return "getFilename(), LT(1)->getLine(), LT(1)->getColumn()";
}

// A token's node: labelled tokens always get one (for actions), and it joins
// the tree unless building is off here.
void ParserGenerator::terminal(CodeWriter& out, const Node& node, bool verified)
{
    const bool add = build_ && !manual_ && node.treeOp != '!';
    const bool kept = template_ && template_->takes(node);
    if (add || kept || (build_ && !node.label.empty())) {
        CodeWriter w;
        std::string made = "astFactory->create(LT(1))";
        if (!node.label.empty()) {
            w.line(node.label + "_AST = " + made + ";");
            made = node.label + "_AST";
        }
        if (kept)
            w.line(template_->store(node, made));
        if (add)
            w.line(std::string("astFactory->") + (node.treeOp == '^' ? "makeASTRoot" : "addASTChild") +
                   "(currentAST_, " + made + ");");
        whileBuilding(out, w);
    }
    RecognizerGenerator::terminal(out, node, verified);
}

// A call; its tree goes to the label and into this rule's tree.
void ParserGenerator::ruleReference(CodeWriter& out, const Node& node, bool)
{
    const bool value = !node.label.empty() && !info_.returnTypes[static_cast<std::size_t>(node.rule)].empty();
    out.line((value ? node.label + " = " : "") + node.text + "(" + node.args + ");");
    if (!build_)
        return;
    CodeWriter w;
    if (!node.label.empty())
        w.line(node.label + "_AST = returnAST_;");
    if (template_ && template_->takes(node))
        w.line(template_->store(node, "returnAST_"));
    if (!manual_ && node.treeOp != '!')
        w.line("astFactory->addASTChild(currentAST_, returnAST_);");
    whileBuilding(out, w);
}

// Writes tree-building `statements`, run while building is on and, when the
// grammar guesses, not guessing.
void ParserGenerator::whileBuilding(CodeWriter& out, const CodeWriter& statements) const
{
    out.open(guessing_ ? "if (buildAST_ && inputState->guessing == 0)" : "if (buildAST_)");
    out.insert(statements);
    out.close();
}

// An action that sets the rule's tree is followed by a reset of where the
// next child goes.
void ParserGenerator::actionBody(CodeWriter& out, const Node& node)
{
    if (!build_) {
        RecognizerGenerator::actionBody(out, node);
        return;
    }
    const TreeCode code = translateTreeNotation(node.text, rule().name);
    grammarCode(out, code.code, node.pos.line, node.pos.column);
    if (!node.label.empty())
        out.line(node.label + "_AST = currentAST_.root;");
    if (code.usesRuleTree)
        out.line("resetPair_(currentAST_);");
}

// An alternative with a tree template builds no tree as it goes: its
// elements keep their nodes for the template, built when it ends. In a
// left-recursive rule the tree so far is its left operand, and the tree it
// builds becomes the tree so far.
void ParserGenerator::alternative(CodeWriter& out, const Node& block, std::size_t a,
                                  std::size_t first)
{
    const auto writers = templates_.find(&block);
    TemplateWriter* const writer =
        writers != templates_.end() && a < writers->second.size() ? writers->second[a].get() : nullptr;
    if (!writer) {
        RecognizerGenerator::alternative(out, block, a, first);
        return;
    }
    const bool climbs = rule().climbs;
    if (climbs) {
        CodeWriter w;
        writer->start(w);
        whileBuilding(out, w);
    }
    const bool manual = manual_;
    manual_ = true;
    template_ = writer;
    RecognizerGenerator::alternative(out, block, a, first);
    template_ = nullptr;
    manual_ = manual;
    CodeWriter w;
    writer->build(w, climbs);
    whileBuilding(out, w);
}

std::string ParserGenerator::actionText(const std::string& code)
{
    return build_ ? translateTreeNotation(code, rule().name).code : code;
}

}
