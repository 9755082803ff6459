#include <orvel/ASTRef.hpp>

#include <orvel/AST.hpp>

#include "foundations/IterativeDelete.hpp"

namespace orvel {

ASTRef::ASTRef(AST* p) : ptr(p), count(1)
{
    if (p && !p->ref)
        p->ref = this;
}

ASTRef::~ASTRef() { delete ptr; }

ASTRef* ASTRef::getRef(const AST* p)
{
    if (!p)
        return nullptr;
    if (p->ref)
        return p->ref->increment();
    return new ASTRef(const_cast<AST*>(p));
}

void ASTRef::release(ASTRef* record) { detail::deleteIteratively(record); }

}
