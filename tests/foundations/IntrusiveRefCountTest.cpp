#include <orvel/ASTRefCount.hpp>
#include <orvel/CommonAST.hpp>
#include <orvel/TokenRefCount.hpp>

#include "support/TokenProbes.hpp"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

// A node that writes its type into `deaths` when its destructor starts, and
// shows its count record.
class ProbeNode : public orvel::CommonAST {
public:
    ProbeNode(int type, std::vector<int>& deaths) : deaths(deaths) { setType(type); }
    ~ProbeNode() override { deaths.push_back(getType()); }

    const orvel::ASTRef* record() const { return ref; }
    unsigned int shares() const { return ref ? ref->count : 0; }
    const orvel::ASTRefCount<AST>& siblingLink() const { return nextSibling; }

private:
    std::vector<int>& deaths;
};

// The two handle families, TokenRefCount and ASTRefCount: element types from
// the root class down to the probe, the empty handle, and the link through
// which one probe keeps another alive.
struct Tokens {
    static constexpr const char* name = "Tokens";
    using Record = orvel::TokenRef;
    using Root = orvel::Token;
    using Middle = orvel::CommonHiddenStreamToken;
    using Probe = orvel::test::ProbeToken;
    static const auto& empty() { return orvel::nullToken; }
    static void link(Probe* from, Probe* to) { from->setHiddenAfter(to); }
    static const auto& linkOf(const Probe* p) { return p->afterLink(); }
};

struct Nodes {
    static constexpr const char* name = "Nodes";
    using Record = orvel::ASTRef;
    using Root = orvel::AST;
    using Middle = orvel::BaseAST;
    using Probe = ProbeNode;
    static const auto& empty() { return orvel::nullAST; }
    static void link(Probe* from, Probe* to) { from->setNextSibling(to); }
    static const auto& linkOf(const Probe* p) { return p->siblingLink(); }
};

template <typename F, typename T>
using Handle = orvel::IntrusiveRefCount<typename F::Record, T>;
template <typename F>
using RootHandle = Handle<F, typename F::Root>;
template <typename F>
using ProbeHandle = Handle<F, typename F::Probe>;

static_assert(sizeof(RootHandle<Tokens>) == sizeof(void*) && sizeof(ProbeHandle<Tokens>) == sizeof(void*));
static_assert(sizeof(RootHandle<Nodes>) == sizeof(void*) && sizeof(ProbeHandle<Nodes>) == sizeof(void*));

template <typename F>
class IntrusiveRefCountTest : public ::testing::Test {
protected:
    typename F::Probe* probe(int id) { return new typename F::Probe(id, deaths); }

    std::vector<int> deaths;
};

struct FamilyName {
    template <typename F>
    static std::string GetName(int) { return F::name; }
};

using Families = ::testing::Types<Tokens, Nodes>;
TYPED_TEST_SUITE(IntrusiveRefCountTest, Families, FamilyName);

TYPED_TEST(IntrusiveRefCountTest, EmptyHandleHoldsNoRecordAndEqualsTheNullHandle)
{
    RootHandle<TypeParam> empty(static_cast<typename TypeParam::Root*>(nullptr));
    Handle<TypeParam, typename TypeParam::Middle> converted(empty);
    RootHandle<TypeParam> copy;
    copy = empty;
    EXPECT_EQ(nullptr, empty.get());
    EXPECT_EQ(nullptr, converted.operator->());
    EXPECT_FALSE(static_cast<bool>(copy));
    EXPECT_TRUE(converted == TypeParam::empty());
    EXPECT_EQ(nullptr, TypeParam::Record::getRef(nullptr));
}

// Handles made separately from one raw pointer, and handles of other element
// types, all count in the object's one record; the last one deletes the object
// through the root class's virtual destructor.
TYPED_TEST(IntrusiveRefCountTest, EveryHandleToOneObjectSharesOneRecordUntilTheLastGoes)
{
    auto* raw = this->probe(7);
    RootHandle<TypeParam> base(raw);
    const auto* record = raw->record();
    RootHandle<TypeParam> fromRaw(raw);
    Handle<TypeParam, typename TypeParam::Middle> middle(base);
    ProbeHandle<TypeParam> derived(middle);

    EXPECT_EQ(4u, raw->shares());
    EXPECT_EQ(record, raw->record());
    EXPECT_EQ(raw, derived.get());
    EXPECT_EQ(7, middle->getType());
    EXPECT_EQ(7, (*base).getType());
    EXPECT_TRUE(base == derived);
    EXPECT_FALSE(base != derived);
    EXPECT_TRUE(TypeParam::empty() != base);
    EXPECT_TRUE(base != RootHandle<TypeParam>(this->probe(8)));

    this->deaths.clear();
    derived = nullptr;
    middle = nullptr;
    base = nullptr;
    EXPECT_TRUE(this->deaths.empty());
    EXPECT_EQ(1u, raw->shares());
    fromRaw = nullptr;
    EXPECT_EQ(std::vector<int>{7}, this->deaths);
}

TYPED_TEST(IntrusiveRefCountTest, AssigningTheSameRecordChangesNothingAndMovesTransferTheShare)
{
    auto* raw = this->probe(7);
    RootHandle<TypeParam> handle(raw);
    RootHandle<TypeParam> other(handle);
    ProbeHandle<TypeParam> derived(handle);
    const RootHandle<TypeParam>& alias = handle;

    handle = alias;
    handle = other;
    handle = raw;
    handle = derived.get();
    EXPECT_EQ(3u, raw->shares());
    handle = std::move(other);
    EXPECT_EQ(2u, raw->shares());
    ProbeHandle<TypeParam> moved(std::move(derived));
    EXPECT_EQ(2u, raw->shares());
    EXPECT_FALSE(static_cast<bool>(derived));
    EXPECT_TRUE(this->deaths.empty());
    EXPECT_EQ(raw, handle.get());
}

TYPED_TEST(IntrusiveRefCountTest, ReplacingHandleByObjectReachableOnlyThroughItKeepsThatObjectAlive)
{
    for (bool byRawPointer : {false, true}) {
        SCOPED_TRACE(byRawPointer ? "by raw pointer" : "by handle");
        this->deaths.clear();
        auto* outer = this->probe(1);
        auto* inner = this->probe(2);
        RootHandle<TypeParam> handle(outer);
        TypeParam::link(outer, inner);

        if (byRawPointer)
            handle = inner;
        else
            handle = TypeParam::linkOf(outer);

        EXPECT_EQ(std::vector<int>{1}, this->deaths);
        EXPECT_EQ(1u, inner->shares());
        EXPECT_EQ(inner, handle.get());
    }
}

}
