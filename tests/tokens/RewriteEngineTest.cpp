#include <orvel/TokenStreamException.hpp>
#include <orvel/TokenStreamRewriteEngine.hpp>

#include "support/Fixtures.hpp"

#include <algorithm>
#include <functional>
#include <sstream>
#include <tuple>

namespace {

using namespace orvel;
using Engine = TokenStreamRewriteEngine;

// TokenWithIndex tokens with the given texts (" " is a blank of type 5,
// anything else a word of type 4), then end of file.
test::FunctionStream streamOf(const std::vector<std::string>& texts)
{
    test::Tokens tokens;
    for (const std::string& text : texts)
        tokens.emplace_back(new TokenWithIndex(text == " " ? 5 : 4, text));
    tokens.emplace_back(new TokenWithIndex(Token::EOF_TYPE, "<eof>"));
    return test::listStream(tokens);
}

// Reads up to the first end-of-file token; returns the texts handed out.
std::string readAll(Engine& engine)
{
    std::string texts;
    for (TokenRefCount<Token> t = engine.nextToken();; t = engine.nextToken()) {
        texts += t->getText() + "|";
        if (t->getType() == Token::EOF_TYPE)
            return texts;
    }
}

TEST(TokenStreamRewriteEngine, NumbersKeepsAndShowsEveryTokenButHandsOutOnlyUndiscardedOnes)
{
    test::FunctionStream input = streamOf({"a", " ", " ", "b"});
    Engine engine(input, Engine::PROGRAM_INIT_SIZE);
    engine.discard(5);
    engine.discard(Token::EOF_TYPE);
    EXPECT_EQ("a|b|<eof>|", readAll(engine));
    ASSERT_EQ(4u, engine.size());
    std::ostringstream out;
    engine.originalToStream(out, 1, 99);
    engine.toDebugStream(out, 2, 99);
    engine.toDebugStream(out, 1, 1);
    EXPECT_EQ("  b[txt=' ' tp=5 idx=2]\n[txt='b' tp=4 idx=3]\n", out.str());
}

TEST(TokenStreamRewriteEngine, RejectsTokensWithoutIndexPositionsOutsideTheBufferAndReversedRanges)
{
    test::FunctionStream input = test::listStream({new TokenWithIndex(4, "a"), new CommonToken(4, "plain")});
    Engine engine(input);
    engine.nextToken();
    EXPECT_THROW_TEXT(engine.nextToken(), TokenStreamException,
                      "TokenStreamRewriteEngine: the input token is not a TokenWithIndex: "
                      "[\"plain\",<4>,line=1,column=1]");
    EXPECT_THROW_TEXT(engine.getToken(1), TokenStreamException,
                      "TokenStreamRewriteEngine: no token at position 1, 1 kept");
    EXPECT_THROW_TEXT(engine.remove("p", 3, 2), TokenStreamException,
                      "TokenStreamRewriteEngine: cannot rewrite tokens from 3 to 2: the range is reversed");
}

TEST(TokenStreamRewriteEngine, RendersTheTokensAsTheProgramEditsThem)
{
    const std::tuple<std::function<void(Engine&)>, unsigned long, unsigned long, const char*> cases[] = {
        {[](Engine&) {}, 0, 4, ""},
        {[](Engine& e) { e.insertBefore(1, "x"); e.rollback(0); }, 0, 4, "01234"},
        {[](Engine& e) { e.insertBefore(0, "<"); e.insertAfter(1, "+"); }, 0, 4, "<01+234"},
        {[](Engine& e) { e.replace(1, 3, "X"); e.insertAfter(4, ">"); }, 0, 4, "0X4>"},
        {[](Engine& e) { e.remove(1, 2); e.remove(4); }, 0, 4, "03"},
        // At one index, operations run in the order added while each
        // returns that index; one passed over runs at the end with those after it.
        {[](Engine& e) { e.insertBefore(2, "a"); e.insertBefore(2, "b"); e.replace(2, "X"); }, 0, 4, "01abX34"},
        {[](Engine& e) { e.replace(2, "X"); e.insertBefore(2, "a"); e.insertBefore(3, "b"); }, 0, 4, "01X34ab"},
        {[](Engine& e) { e.insertBefore(0, "A"); e.insertBefore(3, "B"); }, 2, 4, "234AB"},
        {[](Engine& e) { e.insertBefore("other", 0, "O"); e.remove("other", 1, 4); }, 0, 4, ""},
        // Positions past the last token.
        {[](Engine& e) { e.insertBefore(0, "A"); e.insertBefore(4, "B"); }, 3, 1, "AB"},
        {[](Engine& e) { e.insertBefore(0, "A"); e.insertBefore(4, "B"); }, 7, 100, "AB"},
        {[](Engine& e) { e.insertAfter(4, "!"); }, 0, 1000, "01234!"},
    };
    int row = 0;
    for (const auto& [edit, first, last, expected] : cases) {
        test::FunctionStream input = streamOf({"0", "1", "2", "3", "4"});
        Engine engine(input);
        readAll(engine);
        edit(engine);
        std::ostringstream out;
        engine.toStream(out, Engine::DEFAULT_PROGRAM_NAME, first, last);
        EXPECT_EQ(expected, out.str()) << "row " << row++;
    }
}

// An operation that writes its tag in front of its token and counts its destruction.
struct TaggedOp : Engine::RewriteOperation {
    TaggedOp(unsigned long index, const char* tag, int& destroyed) : index(index), tag(tag), destroyed(destroyed) {}
    ~TaggedOp() override { ++destroyed; }
    unsigned long render(std::ostream& out) override
    {
        out << tag;
        return index;
    }
    unsigned long getIndex() const override { return index; }

    unsigned long index;
    const char* tag;
    int& destroyed;
};

TEST(TokenStreamRewriteEngine, KeepsProgramsSortedByIndexAndFreesWhatRollbackAndDestructionRemove)
{
    int destroyed = 0;
    int added = 0;
    test::FunctionStream input = streamOf({"t"});
    {
        Engine engine(input);
        readAll(engine);
        const std::pair<int, const char*> rollbacks[] = {{99, "t[2][3][5a][5b]"}, {2, "t[2][3]"}, {0, "t"}};
        for (const auto& [keep, expected] : rollbacks) {
            engine.rollback("p", 0);
            for (const auto& [index, tag] : {std::pair(5, "[5a]"), {2, "[2]"}, {5, "[5b]"}, {3, "[3]"}})
                engine.addToSortedRewriteList("p", new TaggedOp(index, tag, destroyed));
            engine.addToSortedRewriteList("p", nullptr);
            added += 4;
            engine.rollback("p", keep);
            EXPECT_EQ(expected, engine.toString("p"));
            EXPECT_EQ(added - std::min(keep, 4), destroyed);
        }
        engine.addToSortedRewriteList("q", new TaggedOp(0, "", destroyed));
        EXPECT_EQ(added, destroyed);
    }
    EXPECT_EQ(added + 1, destroyed);
}

}
