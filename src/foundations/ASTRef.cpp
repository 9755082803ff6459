#include <orvel/ASTRef.hpp>

#include <orvel/AST.hpp>

#include "foundations/IterativeDelete.hpp"
#include "foundations/NewRecord.hpp"
#include "trees/NodeBlock.hpp"

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

namespace {

// Deletes a record and its node; a block holding both goes back whole, after
// the node's destructor.
void destroy(ASTRef* record)
{
    if (!record->inBlock) {
        delete record;
        return;
    }
    record->ptr->~AST();
    detail::NodeBlocks::release(record);
}

}

void ASTRef::release(ASTRef* record) { detail::deleteIteratively(record, &destroy); }

}
