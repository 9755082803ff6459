#ifndef ORVEL_ASTFACTORY_HPP
#define ORVEL_ASTFACTORY_HPP

#include <orvel/AST.hpp>
#include <orvel/ASTArray.hpp>
#include <orvel/ASTPair.hpp>
#include <orvel/Export.hpp>
#include <orvel/Token.hpp>
#include <orvel/TokenRefCount.hpp>

#include <cstddef>
#include <string>
#include <vector>

namespace orvel {

// Creates, copies and links tree nodes for parsers and tree parsers.
//
// Design: a table indexed by token type says which node class to make for
// each type. Entries point either at the factory's one default descriptor
// (shared, so changing it with setASTNodeFactory changes every unregistered
// type at once, also types added later) or at a descriptor registered for
// that type (owned by the factory). The table starts with the entries for
// types 0 to 3 and grows on demand; a type beyond it gets the default class.
// Nodes the factory makes are independent of it and outlive it. The factory
// never copies or frees the type-name strings: the caller keeps them alive
// (normally they are string constants such as CommonAST::TYPE_NAME).
// Exceptions from factory functions and node operations pass through.
class ORVEL_API ASTFactory {
public:
    // Makes one new, empty node of a class.
    using FactoryFunction = ASTRefCount<AST> (*)();

    // How to make nodes of one class: its name and its factory function.
    struct Descriptor {
        const char* name;
        FactoryFunction factory;
    };

    // A factory whose default node class is CommonAST.
    ASTFactory();
    // A factory whose default node class is named `name` and made by
    // `factory`. Throws ORVELException when `factory` is null. Every create()
    // throws ORVELException when the factory it uses returns an empty handle.
    ASTFactory(const char* name, FactoryFunction factory);
    // Frees the descriptors registered with registerFactory; the nodes made
    // stay alive while handles to them exist.
    virtual ~ASTFactory();
    ASTFactory(const ASTFactory&) = delete;
    ASTFactory& operator=(const ASTFactory&) = delete;

    // Returns a new default-class node of type 0.
    virtual ASTRefCount<AST> create();

    // Returns a new node of the class for `type`, initialised with `type` and
    // empty text.
    ASTRefCount<AST> create(int type);
    // Returns a new node of the class for `type`, initialised with `type`
    // and `txt`.
    ASTRefCount<AST> create(int type, const std::string& txt);
    // Returns a new node of the class for `tr`'s type, initialised from `tr`
    // (what its class copies from a node); nullAST for an empty `tr`.
    ASTRefCount<AST> create(ASTRefCount<AST> tr);
    // Returns a new node of the class for `tok`'s type, initialised from the
    // token; nullAST for an empty `tok`.
    ASTRefCount<AST> create(TokenRefCount<Token> tok);

    // Makes nodes of `type` with `factory`, recording `name` as their class
    // name; a descriptor registered earlier for `type` is freed. Grows the
    // table to reach `type`. Throws ORVELException "Internal parser error
    // invalid type passed to RegisterFactory" for a type below
    // Token::MIN_USER_TYPE, then "Internal parser error 0 factory passed to
    // RegisterFactory" for a null `factory`; the table is unchanged then.
    void registerFactory(int type, const char* name, FactoryFunction factory);
    // Grows the table to reach `type`; never shrinks it.
    void setMaxNodeType(int type);
    // Makes `name` and `factory` the default node class, for every type
    // without a registration of its own. Throws ORVELException, changing
    // nothing, when `factory` is null.
    void setASTNodeFactory(const char* name, FactoryFunction factory);

    // Returns t->clone(): a copy of the node without links (empty for empty).
    ASTRefCount<AST> dup(ASTRefCount<AST> t);
    // Returns a copy of `t` and all its descendants, without `t`'s siblings
    // (empty for empty, or when `t` cannot be cloned).
    ASTRefCount<AST> dupTree(ASTRefCount<AST> t);
    // Returns a copy of `t`, its following siblings and all their
    // descendants (empty for empty). Copying stops at a node that cannot be
    // cloned.
    ASTRefCount<AST> dupList(ASTRefCount<AST> t);

    // Returns nodes[0] with the other non-empty nodes as its children (each
    // bringing its own siblings along), after dropping nodes[0]'s former
    // children. When nodes[0] is empty, the first non-empty node is returned
    // with the rest as its following siblings. Empty for an empty vector.
    // The vector is not changed; the nodes are linked, not copied.
    ASTRefCount<AST> make(const std::vector<ASTRefCount<AST>>& nodes);
    // As make(nodes->getNodes()); takes ownership of `nodes` and deletes it.
    ASTRefCount<AST> make(ASTArray* nodes);

    // Adds `child` (with its siblings) to the tree `currentAST` is building:
    // as the root if there is none yet, else after the current child. The
    // pair's child then moves to the last node added. Ignores empty `child`.
    void addASTChild(ASTPair& currentAST, ASTRefCount<AST> child);
    // Makes `root` the root of the tree `currentAST` is building: the old
    // root (with its siblings) is appended to `root`'s children and the
    // pair's child moves to the last of them. Ignores empty `root`.
    void makeASTRoot(ASTPair& currentAST, ASTRefCount<AST> root);

protected:
    // Returns the descriptor for `type`: its table entry, or the default
    // descriptor for a type outside the table.
    const Descriptor& descriptorFor(int type) const;
    // Returns a new node made by the factory function for `type`.
    ASTRefCount<AST> makeNode(int type) const;
    // Returns a copy of the tree at `t`, and with `siblings` of the list from
    // `t` (dupTree, dupList).
    ASTRefCount<AST> copyTrees(const ASTRefCount<AST>& t, bool siblings);
    // Grows the table to hold `size` entries, the new ones default.
    void growTo(std::size_t size);

    Descriptor defaultDescriptor;
    std::vector<Descriptor*> descriptors;
};

}

#endif
