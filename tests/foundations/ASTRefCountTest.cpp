#include <orvel/AST.hpp>
#include <orvel/ASTRefCount.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <memory>
#include <string>
#include <utility>
#include <vector>

using orvel::AST;
using orvel::ASTRefCount;

namespace {

// A node that keeps only a next-sibling link, writes its id into `deaths`
// when its destructor starts, and shows its count record.
class ProbeNode : public AST {
public:
    ProbeNode(int id, std::vector<int>& deaths) : id(id), deaths(deaths) {}
    ~ProbeNode() override { deaths.push_back(id); }

    const orvel::ASTRef* record() const { return ref; }
    unsigned int shares() const { return ref ? ref->count : 0; }
    const ASTRefCount<AST>& nextLink() const { return next; }

    const char* typeName() const override { return "ProbeNode"; }
    ASTRefCount<AST> clone() const override { return new ProbeNode(id, deaths); }
    bool equals(ASTRefCount<AST>) const override { return false; }
    bool equalsList(ASTRefCount<AST>) const override { return false; }
    bool equalsListPartial(ASTRefCount<AST>) const override { return false; }
    bool equalsTree(ASTRefCount<AST>) const override { return false; }
    bool equalsTreePartial(ASTRefCount<AST>) const override { return false; }
    std::vector<ASTRefCount<AST>> findAll(ASTRefCount<AST>) override { return {}; }
    std::vector<ASTRefCount<AST>> findAllPartial(ASTRefCount<AST>) override { return {}; }
    void addChild(ASTRefCount<AST>) override {}
    std::size_t getNumberOfChildren() const override { return 0; }
    ASTRefCount<AST> getFirstChild() const override { return orvel::nullAST; }
    ASTRefCount<AST> getNextSibling() const override { return next; }
    std::string getText() const override { return {}; }
    int getType() const override { return id; }
    void initialize(int, const std::string&) override {}
    void initialize(ASTRefCount<AST>) override {}
    void initialize(orvel::TokenRefCount<orvel::Token>) override {}
    void setFirstChild(ASTRefCount<AST>) override {}
    void setNextSibling(ASTRefCount<AST> n) override { next = n; }
    void setText(const std::string&) override {}
    void setType(int) override {}
    std::string toString() const override { return {}; }
    std::string toStringList() const override { return {}; }
    std::string toStringTree() const override { return {}; }

private:
    int id;
    std::vector<int>& deaths;
    ASTRefCount<AST> next;
};

static_assert(sizeof(ASTRefCount<AST>) == sizeof(void*));
static_assert(sizeof(ASTRefCount<ProbeNode>) == sizeof(void*));

class ASTRefCountTest : public ::testing::Test {
protected:
    std::vector<int> deaths;
};

TEST_F(ASTRefCountTest, EmptyHandleHoldsNoRecordAndEqualsNullAST)
{
    ASTRefCount<AST> empty(orvel::nullASTptr);
    ASTRefCount<ProbeNode> copy;
    copy = ASTRefCount<ProbeNode>(empty);
    EXPECT_EQ(nullptr, empty.get());
    EXPECT_FALSE(static_cast<bool>(copy));
    EXPECT_TRUE(copy == orvel::nullAST);
    EXPECT_EQ(nullptr, orvel::ASTRef::getRef(nullptr));
}

TEST_F(ASTRefCountTest, HandlesOfEveryElementTypeShareOneRecordUntilTheLastGoes)
{
    auto* raw = new ProbeNode(1, deaths);
    auto base = std::make_unique<ASTRefCount<AST>>(raw);
    const orvel::ASTRef* record = raw->record();
    ASTRefCount<ProbeNode> derived(*base);
    ASTRefCount<AST> fromRaw(raw);

    EXPECT_EQ(3u, raw->shares());
    EXPECT_EQ(record, raw->record());
    EXPECT_TRUE(derived == *base);
    base.reset();
    derived = nullptr;
    EXPECT_TRUE(deaths.empty());
    fromRaw = nullptr;
    EXPECT_EQ(std::vector<int>{1}, deaths);
}

TEST_F(ASTRefCountTest, AssigningTheSameRecordChangesNothing)
{
    auto* raw = new ProbeNode(1, deaths);
    ASTRefCount<AST> handle(raw);
    ASTRefCount<AST> other(handle);
    const ASTRefCount<AST>& alias = handle;

    handle = alias;
    handle = other;
    handle = raw;
    EXPECT_EQ(2u, raw->shares());
    EXPECT_TRUE(deaths.empty());
}

TEST_F(ASTRefCountTest, ReplacingHandleByNodeReachableOnlyThroughItKeepsThatNodeAlive)
{
    auto* first = new ProbeNode(1, deaths);
    auto* second = new ProbeNode(2, deaths);
    ASTRefCount<AST> handle(first);
    first->setNextSibling(second);

    handle = first->nextLink();

    EXPECT_EQ(std::vector<int>{1}, deaths);
    EXPECT_EQ(1u, second->shares());
    EXPECT_EQ(2, handle->getType());
}

TEST_F(ASTRefCountTest, DroppingALongSiblingListFreesEveryNodeInListOrder)
{
    constexpr int length = 1000000;
    ASTRefCount<AST> head(new ProbeNode(0, deaths));
    ProbeNode* tail = static_cast<ProbeNode*>(head.get());
    for (int id = 1; id < length; ++id) {
        auto* node = new ProbeNode(id, deaths);
        tail->setNextSibling(node);
        tail = node;
    }
    deaths.reserve(length);

    head = nullptr;

    ASSERT_EQ(static_cast<std::size_t>(length), deaths.size());
    EXPECT_TRUE(std::is_sorted(deaths.begin(), deaths.end()));
}

}
