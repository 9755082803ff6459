#include <orvel/ASTFactory.hpp>
#include <orvel/CharBuffer.hpp>
#include <orvel/CharScanner.hpp>
#include <orvel/CommonHiddenStreamToken.hpp>
#include <orvel/TokenBuffer.hpp>
#include <orvel/TokenStreamBasicFilter.hpp>
#include <orvel/TokenStreamException.hpp>
#include <orvel/TokenStreamHiddenTokenFilter.hpp>
#include <orvel/TokenStreamRewriteEngine.hpp>
#include <orvel/TokenWithIndex.hpp>

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

using namespace orvel;

namespace {

// Hands out tokens of types 4, 5, 6, ... and never ends.
struct Counting : TokenStream {
    TokenRefCount<Token> nextToken() override { return new TokenWithIndex(next++, "t"); }
    int next = 4;
};

struct Scanner : CharScanner {
    explicit Scanner(std::istream& in) : CharScanner(new CharBuffer(in), true) {}
    TokenRefCount<Token> nextToken() override { return makeToken(4); }
    bool getLiteralsCaseSensitive() const override { return true; }
};

ASTRefCount<AST> noNode() { return nullAST; }
TokenRefCount<Token> noToken() { return nullToken; }

struct Misuse {
    std::function<void()> call;
    std::string message;
};

}

TEST(MisuseGuard, MisuseThrowsAClearErrorAtTheCallAndChangesNothing)
{
    Counting source;
    TokenBuffer tokens(source);
    std::istringstream text("ab");
    CharBuffer chars(text);
    TokenStreamBasicFilter basic(source);
    TokenStreamHiddenTokenFilter hiding(source);
    TokenStreamRewriteEngine engine(source);
    ASTFactory factory;
    std::istringstream scanned("x");
    Scanner scanner(scanned);
    // What each call could have changed, read through the public operations.
    const auto state = [&] {
        std::ostringstream out;
        out << tokens.LA(1) << chars.LA(1) << chars.isMarked() << hiding.getHideMask().toArray().size()
            << hiding.getDiscardMask().toArray().size() << factory.create(4)->typeName()
            << scanner.nextToken()->getType();
        return out.str();
    };
    const std::vector<Misuse> table = {
        {[&] { basic.discard(-1); }, "TokenStreamBasicFilter: cannot discard the negative token type -1"},
        {[&] { hiding.discard(-2); }, "TokenStreamBasicFilter: cannot discard the negative token type -2"},
        {[&] { hiding.hide(-3); }, "TokenStreamHiddenTokenFilter: cannot hide the negative token type -3"},
        {[&] { engine.discard(-4); }, "TokenStreamRewriteEngine: cannot discard the negative token type -4"},
        {[&] { chars.commit(); }, "InputBuffer: commit() with no mark open"},
        {[&] { chars.rewind(0); }, "InputBuffer: rewind() with no mark open"},
        {[&] { chars.LA(0); }, "InputBuffer: LA(0); lookahead starts at 1"},
        {[&] { tokens.rewind(0); }, "TokenBuffer: rewind() with no mark open"},
        {[&] { tokens.LA(0); }, "TokenBuffer: LA(0) or LT(0); lookahead starts at 1"},
        {[&] { tokens.LT(0); }, "TokenBuffer: LA(0) or LT(0); lookahead starts at 1"},
        {[&] { ASTFactory("X", nullptr); }, "ASTFactory: the constructor was given a null node factory"},
        {[&] { factory.setASTNodeFactory("X", nullptr); }, "ASTFactory: setASTNodeFactory() was given a null node factory"},
        {[&] { ASTFactory("X", &noNode).create(7, "x"); }, "ASTFactory: the node factory for type 7 returned an empty handle"},
        {[&] { scanner.setTokenObjectFactory(nullptr); }, "CharScanner: setTokenObjectFactory() was given a null factory"},
        {[&] {
             Scanner empty(scanned);
             empty.setTokenObjectFactory(&noToken);
             empty.nextToken();
         },
         "CharScanner: the token object factory returned an empty handle"},
    };
    const std::string before = state();
    for (const Misuse& misuse : table) {
        try {
            misuse.call();
            ADD_FAILURE() << "no exception; expected " << misuse.message;
        } catch (const ORVELException& e) {
            EXPECT_EQ(misuse.message, e.toString());
        }
        EXPECT_EQ(before, state()) << misuse.message;
    }
    EXPECT_THROW(tokens.rewind(0), TokenStreamException);
}
