#include <orvel/TokenStreamRewriteEngine.hpp>
#include <orvel/TokenWithIndex.hpp>

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>
#include <vector>

using namespace orvel;

namespace {

// Hands out "a", "b", "c", then end of input.
struct Abc : TokenStream {
    TokenRefCount<Token> nextToken() override
    {
        const char* texts[] = {"a", "b", "c"};
        return next < 3 ? new TokenWithIndex(4, texts[next++]) : new TokenWithIndex(Token::EOF_TYPE, "");
    }
    int next = 0;
};

}

TEST(RewriteIndexLimit, AnIndexAtTheTopOfTheRangeMeansTheEndAndNeverWraps)
{
    using Edit = std::function<void(TokenStreamRewriteEngine&)>;
    const std::vector<std::pair<Edit, std::string>> table = {
        {[](auto& e) { e.insertAfter(ULONG_MAX, "X"); }, "abcX"},
        {[](auto& e) { e.insertAfter(ULONG_MAX - 1, "X"); }, "abcX"},
        {[](auto& e) { e.insertBefore(ULONG_MAX, "X"); }, "abcX"},
        {[](auto& e) { e.remove(1, ULONG_MAX); }, "a"},
        {[](auto& e) { e.replace(0, ULONG_MAX, "Z"); }, "Z"},
        {[](auto& e) { e.replace(ULONG_MAX, "Z"); }, "abcZ"},
    };
    for (const auto& [edit, expected] : table) {
        Abc input;
        TokenStreamRewriteEngine engine(input);
        while (engine.nextToken()->getType() != Token::EOF_TYPE) {
        }
        edit(engine);
        EXPECT_EQ(expected, engine.toString());
        EXPECT_EQ("abc", engine.toOriginalString());
    }
}
