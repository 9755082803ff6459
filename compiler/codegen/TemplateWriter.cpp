#include "codegen/TemplateWriter.hpp"

#include "analysis/Vocabulary.hpp"

namespace orvelc {

namespace {

void elementNames(const std::vector<TemplateItem>& items, std::vector<std::string>& out)
{
    for (const TemplateItem& item : items) {
        if (item.kind == TemplateItem::Kind::Element)
            out.push_back(item.name);
        elementNames(item.items, out);
    }
}

}

TemplateWriter::TemplateWriter(const TreeTemplate& tree, std::size_t alt)
    : tree_(tree), prefix_("tpl" + std::to_string(alt) + "_"), slots_(templateSlots(tree))
{
}

void TemplateWriter::declare(CodeWriter& out) const
{
    for (const auto& [name, slot] : slots_)
        out.line((slot == TemplateSlot::Repeated ? "std::vector<orvel::ASTRefCount<orvel::AST>> "
                                                 : "orvel::ASTRefCount<orvel::AST> ") +
                 variable(name) + ";");
}

bool TemplateWriter::takes(const Node& element) const
{
    return slots_.count(elementName(element)) > 0;
}

std::string TemplateWriter::store(const Node& element, const std::string& value) const
{
    return keep(elementName(element), value);
}

std::string TemplateWriter::keep(const std::string& name, const std::string& value) const
{
    const auto it = slots_.find(name);
    const std::string v = variable(it->first);
    return it->second == TemplateSlot::Repeated ? v + ".push_back(" + value + ");"
                                                : v + " = " + value + ";";
}

void TemplateWriter::start(CodeWriter& out) const
{
    for (const auto& [name, slot] : slots_) {
        if (slot == TemplateSlot::Repeated)
            out.line(variable(name) + ".clear();");
        if (name == tree_.leftOperand)
            out.line(keep(name, "currentAST_.root"));
        else if (slot != TemplateSlot::Repeated)
            out.line(variable(name) + " = orvel::nullAST;");
    }
}

void TemplateWriter::build(CodeWriter& out, bool continued)
{
    next_ = 0;
    const std::string pair = fresh("tree");
    out.line("orvel::ASTPair " + pair + ";");
    items(out, tree_.items, pair, Pass{});
    out.line("currentAST_.root = " + pair + ".root;");
    if (!continued)
        return;
    out.line("currentAST_.child = currentAST_.root;");
    out.line("currentAST_.advanceChildToEnd();");
}

void TemplateWriter::items(CodeWriter& out, const std::vector<TemplateItem>& items,
                           const std::string& pair, const Pass& pass)
{
    for (const TemplateItem& i : items)
        item(out, i, pair, pass);
}

// Adds what `item` builds to the list of `pair`.
void TemplateWriter::item(CodeWriter& out, const TemplateItem& item, const std::string& pair,
                          const Pass& pass)
{
    switch (item.kind) {
    case TemplateItem::Kind::Element:
    case TemplateItem::Kind::NewNode:
        out.line("astFactory->addASTChild(" + pair + ", " + node(item, pass) + ");");
        return;
    case TemplateItem::Kind::Tree:
        tree(out, item, pair, pass);
        return;
    case TemplateItem::Kind::Optional: {
        std::vector<std::string> names;
        elementNames(item.items, names);
        std::string any;
        for (const std::string& n : names)
            any += (any.empty() ? "" : " || ") + variable(n);
        out.open("if (" + any + ")");
        items(out, item.items, pair, pass);
        out.close();
        return;
    }
    case TemplateItem::Kind::Repeat:
        repeat(out, item, pair);
        return;
    }
}

// The children into a list of their own, then the root over them; an empty
// root leaves the children a list.
void TemplateWriter::tree(CodeWriter& out, const TemplateItem& tree, const std::string& pair,
                          const Pass& pass)
{
    const TemplateItem& root = tree.items[0];
    std::string rootNode;
    if (root.kind == TemplateItem::Kind::Tree) {
        rootNode = fresh("root");
        out.line("orvel::ASTPair " + rootNode + ";");
        item(out, root, rootNode, pass);
        rootNode += ".root";
    } else {
        rootNode = node(root, pass);
    }
    const std::string children = fresh("tree");
    out.line("orvel::ASTPair " + children + ";");
    for (std::size_t i = 1; i < tree.items.size(); ++i)
        item(out, tree.items[i], children, pass);
    out.line("astFactory->makeASTRoot(" + children + ", " + rootNode + ");");
    out.line("astFactory->addASTChild(" + pair + ", " + children + ".root);");
}

// A pass for each node of the element with the most; the others give their
// nodes in order while they last.
void TemplateWriter::repeat(CodeWriter& out, const TemplateItem& group, const std::string& pair)
{
    std::vector<std::string> names;
    elementNames(group.items, names);
    Pass pass{fresh("pass"), names.size() > 1};
    std::string passes = variable(names[0]) + ".size()";
    if (pass.bounded) {
        const std::string count = fresh("passes");
        out.line("std::size_t " + count + " = " + passes + ";");
        for (std::size_t i = 1; i < names.size(); ++i) {
            const std::string size = variable(names[i]) + ".size()";
            out.open("if (" + size + " > " + count + ")");
            out.line(count + " = " + size + ";");
            out.close();
        }
        passes = count;
    }
    out.open("for (std::size_t " + pass.index + " = 0; " + pass.index + " < " + passes + "; ++" +
             pass.index + ")");
    items(out, group.items, pair, pass);
    out.close();
}

std::string TemplateWriter::node(const TemplateItem& item, const Pass& pass) const
{
    if (item.kind == TemplateItem::Kind::NewNode)
        return "astFactory->create(" + item.name +
               (item.hasText ? ", \"" + escape(item.text, true) + "\"" : std::string()) + ")";
    const std::string v = variable(item.name);
    if (slots_.at(item.name) != TemplateSlot::Repeated)
        return v;
    const std::string at = v + "[" + pass.index + "]";
    return pass.bounded ? "(" + pass.index + " < " + v + ".size() ? " + at + " : orvel::nullAST)" : at;
}

std::string TemplateWriter::variable(const std::string& name) const { return prefix_ + name + "_"; }

std::string TemplateWriter::fresh(const std::string& stem)
{
    return stem + std::to_string(next_++) + "_";
}

}
