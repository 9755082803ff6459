#include <orvel/BaseAST.hpp>

#include <iostream>
#include <utility>

namespace orvel {

BaseAST::BaseAST(const BaseAST&) : AST() {}

const char* BaseAST::typeName() const { return TYPE_NAME; }

ASTRefCount<AST> BaseAST::clone() const
{
    std::cerr << "BaseAST::clone()" << std::endl;
    return nullAST;
}

bool BaseAST::equals(ASTRefCount<AST> t) const
{
    return t && getType() == t->getType() && getText() == t->getText();
}

bool BaseAST::equalsList(ASTRefCount<AST> t) const
{
    if (!t)
        return false;
    const AST* s = this;
    ASTRefCount<AST> holdS;
    while (s && t) {
        if (!s->equals(t))
            return false;
        const ASTRefCount<AST> child = s->getFirstChild();
        if (child) {
            if (!child->equalsList(t->getFirstChild()))
                return false;
        } else if (t->getFirstChild()) {
            return false;
        }
        holdS = s->getNextSibling();
        s = holdS.get();
        t = t->getNextSibling();
    }
    return !s && !t;
}

bool BaseAST::equalsListPartial(ASTRefCount<AST> sub) const
{
    const AST* s = this;
    ASTRefCount<AST> holdS;
    while (s && sub) {
        if (!s->equals(sub))
            return false;
        const ASTRefCount<AST> child = s->getFirstChild();
        if (child && !child->equalsListPartial(sub->getFirstChild()))
            return false;
        holdS = s->getNextSibling();
        s = holdS.get();
        sub = sub->getNextSibling();
    }
    return !sub;
}

bool BaseAST::equalsTree(ASTRefCount<AST> t) const
{
    if (!equals(t))
        return false;
    const ASTRefCount<AST> child = getFirstChild();
    if (child)
        return child->equalsList(t->getFirstChild());
    return !t->getFirstChild();
}

bool BaseAST::equalsTreePartial(ASTRefCount<AST> sub) const
{
    if (!sub)
        return true;
    if (!equals(sub))
        return false;
    const ASTRefCount<AST> child = getFirstChild();
    return !child || child->equalsListPartial(sub->getFirstChild());
}

std::vector<ASTRefCount<AST>> BaseAST::findAll(ASTRefCount<AST> t)
{
    std::vector<ASTRefCount<AST>> result;
    if (t)
        doWorkForFindAll(result, t, false);
    return result;
}

std::vector<ASTRefCount<AST>> BaseAST::findAllPartial(ASTRefCount<AST> t)
{
    std::vector<ASTRefCount<AST>> result;
    if (t)
        doWorkForFindAll(result, t, true);
    return result;
}

void BaseAST::doWorkForFindAll(std::vector<ASTRefCount<AST>>& result,
                               const ASTRefCount<AST>& target, bool partialMatch)
{
    AST* s = this;
    ASTRefCount<AST> holdS;
    while (s) {
        if (partialMatch ? s->equalsTreePartial(target) : s->equalsTree(target))
            result.emplace_back(s);
        const ASTRefCount<AST> child = s->getFirstChild();
        if (child)
            static_cast<BaseAST*>(child.get())->doWorkForFindAll(result, target, partialMatch);
        holdS = s->getNextSibling();
        s = holdS.get();
    }
}

void BaseAST::addChild(ASTRefCount<AST> c)
{
    if (!c)
        return;
    if (!firstChild) {
        firstChild = c;
        return;
    }
    BaseAST* last = static_cast<BaseAST*>(firstChild.get());
    while (last->nextSibling)
        last = static_cast<BaseAST*>(last->nextSibling.get());
    last->nextSibling = c;
}

std::size_t BaseAST::getNumberOfChildren() const
{
    std::size_t count = 0;
    for (ASTRefCount<AST> t = firstChild; t; t = t->getNextSibling())
        ++count;
    return count;
}

ASTRefCount<AST> BaseAST::getFirstChild() const { return firstChild; }

ASTRefCount<AST> BaseAST::getNextSibling() const { return nextSibling; }

std::string BaseAST::getText() const { return std::string(); }

int BaseAST::getType() const { return 0; }

void BaseAST::setFirstChild(ASTRefCount<AST> c) { firstChild = std::move(c); }

void BaseAST::setNextSibling(ASTRefCount<AST> n) { nextSibling = std::move(n); }

void BaseAST::setText(const std::string&) {}

void BaseAST::setType(int) {}

std::string BaseAST::toString() const { return getText(); }

std::string BaseAST::toStringList() const
{
    std::string out;
    appendTree(out, *this);
    for (ASTRefCount<AST> s = getNextSibling(); s; s = s->getNextSibling())
        appendTree(out, *s);
    return out;
}

std::string BaseAST::toStringTree() const
{
    std::string out;
    appendTree(out, *this);
    return out;
}

void BaseAST::removeChildren() { firstChild = nullAST; }

void BaseAST::appendTree(std::string& out, const AST& node)
{
    const ASTRefCount<AST> child = node.getFirstChild();
    if (child) {
        out += " ( ";
        out += node.toString();
        out += child->toStringList();
        out += " )";
    } else {
        out += " ";
        out += node.toString();
    }
}

}
