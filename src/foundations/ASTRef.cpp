#include <orvel/ASTRef.hpp>

#include <orvel/AST.hpp>

#include "foundations/IterativeDelete.hpp"
#include "foundations/NewRecord.hpp"

namespace orvel {

ASTRef::ASTRef(AST* p, bool immortal) : ptr(p), count(1), immortal(immortal)
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
    return detail::newRecordOwning<ASTRef>(const_cast<AST*>(p));
}

void ASTRef::release(ASTRef* record) { detail::deleteIteratively(record); }

}
