#include <orvel/ASTRefCount.hpp>
#include <orvel/CommonAST.hpp>
#include <orvel/RefCount.hpp>

#include "support/Streams.hpp"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using orvel::RefCount;

// A state that counts its destruction and may hold the only handle to another.
struct State {
    explicit State(int& destroyed) : destroyed(destroyed) {}
    virtual ~State() { ++destroyed; }
    int& destroyed;
    RefCount<State> inner;
};

static_assert(sizeof(RefCount<State>) == sizeof(void*));

TEST(RefCount, TheLastCopyDeletesAndReplacingByAnObjectHeldOnlyThroughTheOldOneKeepsIt)
{
    int outer = 0;
    int inner = 0;
    RefCount<State> first(new State(outer));
    first->inner = RefCount<State>(new State(inner));
    const RefCount<State>& alias = first;
    first = alias;
    RefCount<State> second(first);
    first = RefCount<State>();
    EXPECT_EQ(0, outer);
    second = second->inner;
    EXPECT_EQ(1, outer);
    EXPECT_EQ(0, inner);
    second = RefCount<State>();
    EXPECT_EQ(1, inner);
    EXPECT_EQ(nullptr, RefCount<State>(second).get());
}

// A node that writes its type into `deaths` when its destructor starts.
class ProbeNode : public orvel::CommonAST {
public:
    ProbeNode(int type, std::vector<int>& deaths) : deaths(deaths) { setType(type); }
    ~ProbeNode() override { deaths.push_back(getType()); }
    unsigned int shares() const { return ref ? ref->count : 0; }
    const orvel::ASTRefCount<AST>& siblingLink() const { return nextSibling; }

private:
    std::vector<int>& deaths;
};

// The two intrusive handle families: element types from the root class down
// to the probe, and the link through which one probe keeps another alive.
struct Tokens {
    using Record = orvel::TokenRef;
    using Root = orvel::Token;
    using Middle = orvel::CommonHiddenStreamToken;
    using Probe = orvel::test::ProbeToken;
    static void link(Probe* from, Probe* to) { from->setHiddenAfter(to); }
    static const auto& linkOf(const Probe* p) { return p->afterLink(); }
};

struct Nodes {
    using Record = orvel::ASTRef;
    using Root = orvel::AST;
    using Middle = orvel::BaseAST;
    using Probe = ProbeNode;
    static void link(Probe* from, Probe* to) { from->setNextSibling(to); }
    static const auto& linkOf(const Probe* p) { return p->siblingLink(); }
};

template <typename F, typename T>
using Handle = orvel::IntrusiveRefCount<typename F::Record, T>;

static_assert(sizeof(Handle<Tokens, Tokens::Probe>) == sizeof(void*));
static_assert(sizeof(Handle<Nodes, Nodes::Root>) == sizeof(void*));

template <typename F>
class IntrusiveRefCount : public ::testing::Test {
protected:
    using Root = Handle<F, typename F::Root>;
    using Middle = Handle<F, typename F::Middle>;
    using Probe = Handle<F, typename F::Probe>;
    typename F::Probe* probe(int id) { return new typename F::Probe(id, deaths); }
    std::vector<int> deaths;
};

using Families = ::testing::Types<Tokens, Nodes>;
TYPED_TEST_SUITE(IntrusiveRefCount, Families);

// Handles made separately from one raw pointer, and handles of other element
// types, all count in the object's one record; the last one deletes the object.
TYPED_TEST(IntrusiveRefCount, EveryHandleToOneObjectSharesOneRecordUntilTheLastGoes)
{
    using Root = typename TestFixture::Root;
    auto* raw = this->probe(7);
    Root base(raw);
    Root fromRaw(raw);
    typename TestFixture::Middle middle(base);
    typename TestFixture::Probe derived(middle);
    EXPECT_EQ(4u, raw->shares());
    EXPECT_TRUE(base == derived && base != Root(this->probe(8)));
    EXPECT_EQ(typename TestFixture::Middle(Root(nullptr)), Root());
    this->deaths.clear();

    base = raw;
    base = fromRaw;
    EXPECT_EQ(4u, raw->shares());
    typename TestFixture::Probe moved(std::move(derived));
    base = std::move(fromRaw);
    EXPECT_EQ(3u, raw->shares());
    EXPECT_FALSE(derived || fromRaw);
    middle = nullptr;
    moved = nullptr;
    EXPECT_TRUE(this->deaths.empty());
    base = nullptr;
    EXPECT_EQ(std::vector<int>{7}, this->deaths);
}

TYPED_TEST(IntrusiveRefCount, ReplacingHandleByObjectReachableOnlyThroughItKeepsThatObjectAlive)
{
    for (bool byRawPointer : {false, true}) {
        this->deaths.clear();
        auto* outer = this->probe(1);
        auto* inner = this->probe(2);
        typename TestFixture::Root handle(outer);
        TypeParam::link(outer, inner);
        if (byRawPointer)
            handle = inner;
        else
            handle = TypeParam::linkOf(outer);
        EXPECT_EQ(std::vector<int>{1}, this->deaths);
        EXPECT_EQ(1u, inner->shares());
    }
}

}
