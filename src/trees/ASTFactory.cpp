#include <orvel/ASTFactory.hpp>

#include <orvel/CommonAST.hpp>
#include <orvel/ORVELException.hpp>
#include <orvel/TextUtils.hpp>

#include <memory>
#include <utility>
#include <vector>

#include "trees/TreeLinks.hpp"

namespace orvel {

namespace {

// Entries for types 0 to 3, the types below Token::MIN_USER_TYPE.
constexpr std::size_t initialTableSize = Token::MIN_USER_TYPE;

// Returns `factory`; throws ORVELException, naming `caller`, when it is null.
ASTFactory::FactoryFunction requireFactory(ASTFactory::FactoryFunction factory, const char* caller)
{
    if (!factory)
        throw ORVELException(std::string("ASTFactory: ") + caller + " was given a null node factory");
    return factory;
}

// Returns the last node of the sibling list that starts at `node` (empty for
// empty).
ASTRefCount<AST> lastSibling(ASTRefCount<AST> node)
{
    if (!node)
        return node;
    for (ASTRefCount<AST> next = detail::nextSiblingOf(*node); next; next = detail::nextSiblingOf(*node))
        node = next;
    return node;
}

}

ASTFactory::ASTFactory() : ASTFactory(CommonAST::TYPE_NAME, &CommonAST::factory) {}

ASTFactory::ASTFactory(const char* name, FactoryFunction factory)
    : defaultDescriptor{name, requireFactory(factory, "the constructor")},
      descriptors(initialTableSize, &defaultDescriptor)
{
}

ASTFactory::~ASTFactory()
{
    for (Descriptor* d : descriptors)
        if (d != &defaultDescriptor)
            delete d;
}

ASTRefCount<AST> ASTFactory::create()
{
    ASTRefCount<AST> node = makeNode(0);
    node->setType(0);
    return node;
}

ASTRefCount<AST> ASTFactory::create(int type) { return create(type, std::string()); }

ASTRefCount<AST> ASTFactory::create(int type, const std::string& txt)
{
    ASTRefCount<AST> node = makeNode(type);
    node->initialize(type, txt);
    return node;
}

ASTRefCount<AST> ASTFactory::create(ASTRefCount<AST> tr)
{
    if (!tr)
        return nullAST;
    ASTRefCount<AST> node = makeNode(tr->getType());
    node->initialize(tr);
    return node;
}

ASTRefCount<AST> ASTFactory::create(TokenRefCount<Token> tok)
{
    if (!tok)
        return nullAST;
    const int type = tok->getType();
    // A CommonAST is given the token's type and text directly: what its
    // initialize(tok) does, without the calls through the factory pointer and
    // the node's virtuals, and with the text moved in rather than copied.
    if (descriptorFor(type).factory == &CommonAST::factory)
        return CommonAST::make(type, tok->getText());
    ASTRefCount<AST> node = makeNode(type);
    node->initialize(tok);
    return node;
}

void ASTFactory::registerFactory(int type, const char* name, FactoryFunction factory)
{
    if (type < Token::MIN_USER_TYPE)
        throw ORVELException("Internal parser error invalid type passed to RegisterFactory");
    if (!factory)
        throw ORVELException("Internal parser error 0 factory passed to RegisterFactory");
    const auto index = static_cast<std::size_t>(type);
    auto registered = std::make_unique<Descriptor>(Descriptor{name, factory});
    growTo(index + 1);
    if (descriptors[index] != &defaultDescriptor)
        delete descriptors[index];
    descriptors[index] = registered.release();
}

void ASTFactory::setMaxNodeType(int type)
{
    if (type >= 0)
        growTo(static_cast<std::size_t>(type) + 1);
}

void ASTFactory::setASTNodeFactory(const char* name, FactoryFunction factory)
{
    defaultDescriptor = Descriptor{name, requireFactory(factory, "setASTNodeFactory()")};
}

ASTRefCount<AST> ASTFactory::dup(ASTRefCount<AST> t) { return t ? t->clone() : nullAST; }

ASTRefCount<AST> ASTFactory::dupTree(ASTRefCount<AST> t) { return copyTrees(t, false); }

ASTRefCount<AST> ASTFactory::dupList(ASTRefCount<AST> t) { return copyTrees(t, true); }

// Copies in pre-order (a node, its subtree, then its next sibling) with a
// stack of the copies whose subtree or following siblings are still to do,
// so depth costs heap, not call stack. Each copy is linked as soon as it is
// made; a node that cannot be copied ends its list.
ASTRefCount<AST> ASTFactory::copyTrees(const ASTRefCount<AST>& t, bool siblings)
{
    struct Step {
        ASTRefCount<AST> source;
        ASTRefCount<AST> made;
        bool followSiblings;
        bool childrenDone;
    };
    ASTRefCount<AST> result = dup(t);
    std::vector<Step> open;
    if (result)
        open.push_back(Step{t, result, siblings, false});
    while (!open.empty()) {
        Step& step = open.back();
        if (!step.childrenDone) {
            step.childrenDone = true;
            ASTRefCount<AST> child = detail::firstChildOf(*step.source);
            ASTRefCount<AST> childCopy = dup(child);
            step.made->setFirstChild(childCopy);
            if (childCopy)
                open.push_back(Step{std::move(child), std::move(childCopy), true, false});
            continue;
        }
        const Step done = std::move(step);
        open.pop_back();
        if (!done.followSiblings)
            continue;
        ASTRefCount<AST> next = detail::nextSiblingOf(*done.source);
        ASTRefCount<AST> nextCopy = dup(next);
        done.made->setNextSibling(nextCopy);
        if (nextCopy)
            open.push_back(Step{std::move(next), std::move(nextCopy), true, false});
    }
    return result;
}

ASTRefCount<AST> ASTFactory::make(const std::vector<ASTRefCount<AST>>& nodes)
{
    if (nodes.empty())
        return nullAST;
    ASTRefCount<AST> root = nodes[0];
    ASTRefCount<AST> tail;
    if (root)
        root->setFirstChild(nullAST);
    for (std::size_t i = 1; i < nodes.size(); ++i) {
        if (!nodes[i])
            continue;
        if (!root) {
            root = tail = nodes[i];
        } else if (!tail) {
            root->setFirstChild(nodes[i]);
            tail = root->getFirstChild();
        } else {
            tail->setNextSibling(nodes[i]);
            tail = tail->getNextSibling();
        }
        tail = lastSibling(tail);
    }
    return root;
}

ASTRefCount<AST> ASTFactory::make(ASTArray* nodes)
{
    const std::unique_ptr<ASTArray> owned(nodes);
    return make(owned->getNodes());
}

void ASTFactory::addASTChild(ASTPair& currentAST, ASTRefCount<AST> child)
{
    if (!child)
        return;
    if (!currentAST.root)
        currentAST.root = child;
    else if (!currentAST.child)
        currentAST.root->setFirstChild(child);
    else
        currentAST.child->setNextSibling(child);
    currentAST.child = child;
    currentAST.advanceChildToEnd();
}

void ASTFactory::makeASTRoot(ASTPair& currentAST, ASTRefCount<AST> root)
{
    if (!root)
        return;
    root->addChild(currentAST.root);
    currentAST.child = currentAST.root;
    currentAST.advanceChildToEnd();
    currentAST.root = root;
}

const ASTFactory::Descriptor& ASTFactory::descriptorFor(int type) const
{
    if (type < 0 || static_cast<std::size_t>(type) >= descriptors.size())
        return defaultDescriptor;
    return *descriptors[static_cast<std::size_t>(type)];
}

ASTRefCount<AST> ASTFactory::makeNode(int type) const
{
    ASTRefCount<AST> node = descriptorFor(type).factory();
    if (!node)
        throw ORVELException(std::string("ASTFactory: the node factory for type ") + type
                             + " returned an empty handle");
    return node;
}

void ASTFactory::growTo(std::size_t size)
{
    if (descriptors.size() < size)
        descriptors.resize(size, &defaultDescriptor);
}

}
