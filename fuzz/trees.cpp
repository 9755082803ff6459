// Builds trees at random through the factory, as parser rules do (children,
// roots, nested rules, make, the null node), then checks that a copy equals
// its source, that renderings and searches agree, and that all is freed.
#include <orvel/ASTFactory.hpp>
#include <orvel/ASTPair.hpp>
#include <orvel/TreeParser.hpp>

#include "Check.hpp"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>
#include <vector>

using namespace orvel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    ASTFactory factory;
    std::vector<ASTPair> rules(1);
    bool usedNull = false;
    const auto fresh = [&] {
        const int type = provider.ConsumeIntegralInRange(4, 7);
        return factory.create(type, std::string(1, static_cast<char>('a' + type)));
    };
    while (provider.remaining_bytes() > 0) {
        ASTPair& rule = rules.back();
        switch (provider.ConsumeIntegralInRange(0, 5)) {
        case 0:
            factory.addASTChild(rule, fresh());
            break;
        case 1:
            factory.makeASTRoot(rule, fresh());
            break;
        case 2:
            rules.emplace_back();
            break;
        case 3:
            if (rules.size() > 1) {
                const ASTRefCount<AST> built = rules.back().root;
                rules.pop_back();
                factory.addASTChild(rules.back(), built);
            }
            break;
        case 4:
            factory.addASTChild(rule, factory.make({fresh(), fresh(), nullAST, fresh()}));
            break;
        default:
            usedNull = true;
            factory.addASTChild(rule, TreeParser::ASTNULL);
        }
    }
    const ASTRefCount<AST> tree = rules.front().root;
    if (!tree)
        return 0;
    const ASTRefCount<AST> copy = factory.dupList(tree);
    check(copy->toStringList() == tree->toStringList());
    check(factory.dupTree(tree)->toStringTree() == tree->toStringTree());
    // The null node equals nothing, not even itself.
    check(tree->equalsListPartial(copy) || usedNull);
    check(copy->equalsList(tree) || usedNull);
    if (!usedNull) {
        check(copy->findAll(tree)[0] == copy);
        check(tree->findAllPartial(factory.create(4, "e")).size()
              == copy->findAllPartial(factory.create(4, "e")).size());
    }
    return 0;
}
