#include <orvel/BaseAST.hpp>

#include <iostream>
#include <utility>

#include "trees/TreeLinks.hpp"

namespace orvel {

using detail::firstChildOf;
using detail::nextSiblingOf;

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

bool BaseAST::equalsList(ASTRefCount<AST> t) const { return listsMatch(this, std::move(t), false); }

bool BaseAST::equalsListPartial(ASTRefCount<AST> sub) const { return listsMatch(this, std::move(sub), true); }

bool BaseAST::equalsTree(ASTRefCount<AST> t) const
{
    if (!equals(t))
        return false;
    const ASTRefCount<AST> child = firstChildOf(*this);
    return child ? listsMatch(child.get(), firstChildOf(*t), false) : !firstChildOf(*t);
}

bool BaseAST::equalsTreePartial(ASTRefCount<AST> sub) const
{
    if (!sub)
        return true;
    if (!equals(sub))
        return false;
    const ASTRefCount<AST> child = firstChildOf(*this);
    return !child || listsMatch(child.get(), firstChildOf(*sub), true);
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

// Pre-order with a stack of the nodes still to visit: a node's next sibling
// goes below its first child, so a whole subtree comes before the sibling.
void BaseAST::doWorkForFindAll(std::vector<ASTRefCount<AST>>& result,
                               const ASTRefCount<AST>& target, bool partialMatch)
{
    std::vector<ASTRefCount<AST>> pending;
    ASTRefCount<AST> held;
    for (AST* s = this; s;) {
        if (partialMatch ? s->equalsTreePartial(target) : s->equalsTree(target))
            result.emplace_back(s);
        if (ASTRefCount<AST> next = nextSiblingOf(*s))
            pending.push_back(std::move(next));
        if (ASTRefCount<AST> child = firstChildOf(*s))
            pending.push_back(std::move(child));
        s = nullptr;
        if (!pending.empty()) {
            held = std::move(pending.back());
            pending.pop_back();
            s = held.get();
        }
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
    ASTRefCount<AST> last = firstChild;
    for (ASTRefCount<AST> next = nextSiblingOf(*last); next; next = nextSiblingOf(*last))
        last = next;
    last->setNextSibling(c);
}

std::size_t BaseAST::getNumberOfChildren() const
{
    std::size_t count = 0;
    for (ASTRefCount<AST> t = firstChild; t; t = nextSiblingOf(*t))
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
    render(out, *this, true);
    return out;
}

std::string BaseAST::toStringTree() const
{
    std::string out;
    render(out, *this, false);
    return out;
}

void BaseAST::removeChildren() { firstChild = nullAST; }

// Each open parenthesis keeps the node that follows it once it is closed
// (the next sibling of the node that opened it), so depth costs heap, not
// stack, and every piece is appended once.
void BaseAST::render(std::string& out, const AST& first, bool siblings)
{
    std::vector<ASTRefCount<AST>> afterClose;
    ASTRefCount<AST> held;
    for (const AST* node = &first;;) {
        const bool outermost = afterClose.empty();
        ASTRefCount<AST> next = outermost && !siblings ? ASTRefCount<AST>() : nextSiblingOf(*node);
        if (ASTRefCount<AST> child = firstChildOf(*node)) {
            out += " ( ";
            out += node->toString();
            afterClose.push_back(std::move(next));
            next = std::move(child);
        } else {
            out += " ";
            out += node->toString();
            while (!next && !afterClose.empty()) {
                out += " )";
                next = std::move(afterClose.back());
                afterClose.pop_back();
            }
        }
        if (!next)
            return;
        held = std::move(next);
        node = held.get();
    }
}

// Compares the lists with a stack of the pairs of child lists still to
// compare, so depth costs heap, not stack.
bool BaseAST::listsMatch(const AST* s, ASTRefCount<AST> t, bool partial)
{
    std::vector<std::pair<ASTRefCount<AST>, ASTRefCount<AST>>> pending;
    ASTRefCount<AST> held;
    for (;;) {
        while (s && t) {
            if (!s->equals(t))
                return false;
            ASTRefCount<AST> sChild = firstChildOf(*s);
            ASTRefCount<AST> tChild = firstChildOf(*t);
            if (!partial && !sChild != !tChild)
                return false;
            if (sChild && tChild)
                pending.emplace_back(std::move(sChild), std::move(tChild));
            held = nextSiblingOf(*s);
            s = held.get();
            t = nextSiblingOf(*t);
        }
        if (t || (s && !partial))
            return false;
        if (pending.empty())
            return true;
        held = std::move(pending.back().first);
        t = std::move(pending.back().second);
        pending.pop_back();
        s = held.get();
    }
}

}
