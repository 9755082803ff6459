#include <orvel/CharScanner.hpp>
#include <orvel/CommonAST.hpp>
#include <orvel/CommonToken.hpp>
#include <orvel/InputBuffer.hpp>
#include <orvel/RefCount.hpp>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <new>

namespace {

// The number of allocations left before one fails; negative: none fails.
thread_local int allocationsBeforeFailure = -1;

}

// Kept out of line, so that a tool replacing the allocation functions
// (valgrind) replaces every use of them alike.
[[gnu::noinline]] void* operator new(std::size_t size)
{
    if (allocationsBeforeFailure == 0) {
        allocationsBeforeFailure = -1;
        throw std::bad_alloc();
    }
    if (allocationsBeforeFailure > 0)
        --allocationsBeforeFailure;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

[[gnu::noinline]] void operator delete(void* p) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept { std::free(p); }

using namespace orvel;

namespace {

template <typename Base>
struct Counted : Base {
    explicit Counted(int& deaths) : deaths(deaths) {}
    ~Counted() override { ++deaths; }
    int& deaths;
};

struct CountedBuffer : Counted<InputBuffer> {
    using Counted::Counted;
    int getChar() override { return -1; }
};

struct Scanner : CharScanner {
    explicit Scanner(InputBuffer* in) : CharScanner(in, true) {}
    TokenRefCount<Token> nextToken() override { return nullToken; }
    bool getLiteralsCaseSensitive() const override { return true; }
};

// Runs `adopt` on a new Object with each of its first allocations failing in
// turn, and once with none failing: the object must die exactly once each time.
template <typename Object>
void expectDeletedOnceWhateverFails(const std::function<void(Object*)>& adopt)
{
    for (int failing = 0; failing < 4; ++failing) {
        int deaths = 0;
        auto* object = new Object(deaths);
        allocationsBeforeFailure = failing;
        try {
            adopt(object);
        } catch (const std::bad_alloc&) {
        }
        allocationsBeforeFailure = -1;
        EXPECT_EQ(1, deaths) << "with allocation " << failing << " failing";
    }
}

}

TEST(AllocationFailure, WhatAHandleOrScannerIsGivenIsDeletedWhenAnAllocationFails)
{
    using CountedToken = Counted<CommonToken>;
    using CountedNode = Counted<CommonAST>;
    expectDeletedOnceWhateverFails<CountedToken>([](CountedToken* t) { TokenRefCount<Token> handle(t); });
    expectDeletedOnceWhateverFails<CountedNode>([](CountedNode* n) { ASTRefCount<AST> handle(n); });
    expectDeletedOnceWhateverFails<CountedNode>([](CountedNode* n) { RefCount<CountedNode> handle(n); });
    expectDeletedOnceWhateverFails<CountedBuffer>([](CountedBuffer* b) { Scanner scanner(b); });
}
