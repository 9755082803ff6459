#include <orvel/TokenRef.hpp>

#include <orvel/CommonHiddenStreamToken.hpp>
#include <orvel/CommonToken.hpp>
#include <orvel/Token.hpp>

#include "foundations/IterativeDelete.hpp"
#include "foundations/Recycler.hpp"
#include "foundations/NewRecord.hpp"

namespace orvel {

void* TokenRef::operator new(std::size_t) { return detail::Recycler<sizeof(TokenRef)>::allocate(); }

void TokenRef::operator delete(void* record) noexcept
{
    detail::Recycler<sizeof(TokenRef)>::release(record);
}

TokenRef::TokenRef(Token* p) : ptr(p), count(1)
{
    if (p && !p->ref)
        p->ref = this;
}

TokenRef::~TokenRef() { delete ptr; }

TokenRef* TokenRef::getRef(const Token* p)
{
    if (!p)
        return nullptr;
    if (p->ref)
        return p->ref->increment();
    return detail::newRecordOwning<TokenRef>(const_cast<Token*>(p));
}

namespace {

// Kept out of line, so that the path of tokens made in a block sets up no
// frame for the work list.
__attribute__((noinline)) void deleteWithWorkList(TokenRef* record) { detail::deleteIteratively(record); }

}

// A token made in a block frees no other token, so it needs no work list.
void TokenRef::release(TokenRef* record)
{
    if (record->inBlock)
        CommonToken::releaseBlock(record);
    else
        deleteWithWorkList(record);
}

void TokenRef::releaseUnreachableRun(TokenRef* record)
{
    if (auto* token = dynamic_cast<CommonHiddenStreamToken*>(record->ptr))
        CommonHiddenStreamToken::releaseRunIfUnreachable(*token);
}

}
