#include <orvel/CommonToken.hpp>
#include <orvel/TokenStreamException.hpp>
#include <orvel/TokenStreamRewriteEngine.hpp>
#include <orvel/TokenWithIndex.hpp>

#include "support/Expect.hpp"
#include "support/ScriptedTokenStream.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

using orvel::CommonToken;
using orvel::Token;
using orvel::TokenRefCount;
using orvel::TokenStreamException;
using orvel::TokenStreamRewriteEngine;
using orvel::TokenWithIndex;
using orvel::test::streams::ScriptedTokenStream;

namespace {

constexpr int WORD = 4;
constexpr int BLANK = 5;

// A stream of TokenWithIndex tokens with the given texts (" " is a blank,
// anything else a word), then an end-of-file token.
ScriptedTokenStream streamOf(const std::vector<std::string>& texts)
{
    std::vector<TokenRefCount<Token>> tokens;
    for (const std::string& text : texts)
        tokens.emplace_back(new TokenWithIndex(text == " " ? BLANK : WORD, text));
    tokens.emplace_back(new TokenWithIndex(Token::EOF_TYPE, "<eof>"));
    return ScriptedTokenStream(tokens);
}

// Reads from `engine` up to and including the first end-of-file token;
// returns the texts handed out.
std::vector<std::string> readAll(TokenStreamRewriteEngine& engine)
{
    std::vector<std::string> texts;
    for (TokenRefCount<Token> t = engine.nextToken();; t = engine.nextToken()) {
        texts.push_back(t->getText());
        if (t->getType() == Token::EOF_TYPE)
            return texts;
    }
}

// An operation that writes its tag in front of its token and counts its
// destruction.
class TaggedOp : public TokenStreamRewriteEngine::RewriteOperation {
public:
    TaggedOp(unsigned long index, std::string tag, int* destroyed = nullptr)
        : index(index), tag(std::move(tag)), destroyed(destroyed)
    {
    }
    ~TaggedOp() override
    {
        if (destroyed)
            ++*destroyed;
    }
    unsigned long render(std::ostream& out) override
    {
        out << tag;
        return index;
    }
    unsigned long getIndex() const override { return index; }

private:
    unsigned long index;
    std::string tag;
    int* destroyed;
};

std::string rendered(const TokenStreamRewriteEngine& engine, const std::string& program, unsigned long first,
                     unsigned long last)
{
    std::ostringstream out;
    engine.toStream(out, program, first, last);
    return out.str();
}

TEST(TokenStreamRewriteEngine, NumbersAndKeepsEveryTokenButHandsOutOnlyUndiscardedOnes)
{
    ScriptedTokenStream input = streamOf({"a", " ", "b"});
    TokenStreamRewriteEngine engine(input);
    engine.discard(BLANK);

    EXPECT_EQ((std::vector<std::string>{"a", "b", "<eof>"}), readAll(engine));
    ASSERT_EQ(3u, engine.size());
    for (unsigned long i = 0; i < engine.size(); ++i) {
        EXPECT_EQ(input.at(i), engine.getToken(i));
        EXPECT_EQ(i, engine.getToken(i)->getIndex());
    }
    EXPECT_EQ(3u, static_cast<TokenWithIndex*>(input.at(3).get())->getIndex());
    EXPECT_EQ("a b", engine.toOriginalString());
    std::ostringstream out;
    engine.originalToStream(out, 0, 3);
    EXPECT_EQ("a b", out.str());
}

TEST(TokenStreamRewriteEngine, ReadsOnlyAsFarAsTheNextUndiscardedToken)
{
    ScriptedTokenStream input = streamOf({"a", " ", " ", "b", "c"});
    TokenStreamRewriteEngine engine(input, TokenStreamRewriteEngine::PROGRAM_INIT_SIZE);
    engine.discard(BLANK);
    engine.nextToken();
    EXPECT_EQ(1u, engine.size());
    engine.nextToken();
    EXPECT_EQ(4u, engine.size());
    EXPECT_EQ(4u, input.callCount());
}

TEST(TokenStreamRewriteEngine, NeverDiscardsEndOfFile)
{
    ScriptedTokenStream input = streamOf({});
    TokenStreamRewriteEngine engine(input);
    engine.discard(Token::EOF_TYPE);
    EXPECT_EQ(Token::EOF_TYPE, engine.nextToken()->getType());
    EXPECT_EQ(0u, engine.size());
}

TEST(TokenStreamRewriteEngine, ReturnsAnEmptyHandleFromTheInputUnchanged)
{
    ScriptedTokenStream input({});
    TokenStreamRewriteEngine engine(input);
    EXPECT_FALSE(engine.nextToken());
    EXPECT_EQ(0u, engine.size());
}

TEST(TokenStreamRewriteEngine, RejectsATokenWithoutAnIndex)
{
    ScriptedTokenStream input({TokenRefCount<Token>(new CommonToken(WORD, "plain"))});
    TokenStreamRewriteEngine engine(input);
    EXPECT_THROW_TEXT(engine.nextToken(), TokenStreamException,
                      "TokenStreamRewriteEngine: the input token is not a TokenWithIndex: "
                      "[\"plain\",<4>,line=1,column=1]");
    EXPECT_EQ(0u, engine.size());
}

TEST(TokenStreamRewriteEngine, RejectsPositionsOutsideTheBufferAndReversedRanges)
{
    ScriptedTokenStream input = streamOf({"a"});
    TokenStreamRewriteEngine engine(input);
    readAll(engine);
    EXPECT_THROW_TEXT(engine.getToken(1), TokenStreamException,
                      "TokenStreamRewriteEngine: no token at position 1, 1 kept");
    EXPECT_THROW_TEXT(engine.replace(3, 2, "x"), TokenStreamException,
                      "TokenStreamRewriteEngine: cannot rewrite tokens from 3 to 2: the range is reversed");
    EXPECT_THROW_TEXT(engine.remove("p", 1, 0), TokenStreamException,
                      "TokenStreamRewriteEngine: cannot rewrite tokens from 1 to 0: the range is reversed");
    EXPECT_EQ("", engine.toString("p"));
}

TEST(TokenStreamRewriteEngine, WritesOneDebugLinePerTokenInTheRange)
{
    ScriptedTokenStream input = streamOf({"x", " ", "y"});
    TokenStreamRewriteEngine engine(input);
    readAll(engine);
    const std::vector<std::tuple<unsigned long, unsigned long, std::string>> ranges = {
        {0, 1, "[txt='x' tp=4 idx=0]\n"},
        {1, 3, "[txt=' ' tp=5 idx=1]\n[txt='y' tp=4 idx=2]\n"},
        {2, 2, ""},
        {2, 99, "[txt='y' tp=4 idx=2]\n"},
    };
    for (const auto& [start, end, expected] : ranges) {
        std::ostringstream out;
        engine.toDebugStream(out, start, end);
        EXPECT_EQ(expected, out.str()) << start << ".." << end;
    }
}

struct RenderCase {
    const char* name;
    std::function<void(TokenStreamRewriteEngine&)> edit;
    unsigned long first;
    unsigned long last;
    const char* expected;
};

TEST(TokenStreamRewriteEngine, RendersTheTokensAsTheProgramEditsThem)
{
    using E = TokenStreamRewriteEngine;
    const unsigned long all = 4;
    const std::vector<RenderCase> cases = {
        {"no program", [](E&) {}, 0, all, ""},
        {"program emptied by rollback", [](E& e) { e.insertBefore(1, "x"); e.rollback(0); }, 0, all, "01234"},
        {"insert before the first token", [](E& e) { e.insertBefore(0, "<"); }, 0, all, "<01234"},
        {"insert after a token", [](E& e) { e.insertAfter(1, "+"); }, 0, all, "01+234"},
        {"insert after the last token", [](E& e) { e.insertAfter(4, ">"); }, 0, all, "01234>"},
        {"replace a range", [](E& e) { e.replace(1, 3, "X"); }, 0, all, "0X4"},
        {"replace one token", [](E& e) { e.replace(2, "X"); }, 0, all, "01X34"},
        {"remove a range", [](E& e) { e.remove(1, 2); }, 0, all, "034"},
        {"remove the last token", [](E& e) { e.remove(4); }, 0, all, "0123"},
        {"inserts at one index in the order added",
         [](E& e) { e.insertBefore(2, "a"); e.insertBefore(2, "b"); }, 0, all, "01ab234"},
        {"insert then replace at one index", [](E& e) { e.insertBefore(2, "a"); e.replace(2, "X"); }, 0, all,
         "01aX34"},
        {"replace then insert at one index: the insert runs at the end",
         [](E& e) { e.replace(2, "X"); e.insertBefore(2, "a"); e.insertBefore(3, "b"); }, 0, all, "01X34ab"},
        {"operation before the first position runs at the end, with those after it",
         [](E& e) { e.insertBefore(0, "A"); e.insertBefore(3, "B"); }, 2, all, "234AB"},
        {"first position after the last", [](E& e) { e.insertBefore(0, "A"); e.insertBefore(4, "B"); }, 3, 1,
         "AB"},
        {"first position beyond the buffer", [](E& e) { e.insertBefore(0, "A"); e.insertBefore(4, "B"); }, 7,
         100, "AB"},
        {"last position beyond the buffer", [](E& e) { e.insertAfter(4, "!"); }, 0, 1000, "01234!"},
        {"operation beyond a partial range runs at its end", [](E& e) { e.insertBefore(3, "Z"); }, 0, 1, "01Z"},
        {"other program untouched", [](E& e) { e.insertBefore("other", 0, "O"); }, 0, all, ""},
    };
    for (const RenderCase& c : cases) {
        ScriptedTokenStream input = streamOf({"0", "1", "2", "3", "4"});
        TokenStreamRewriteEngine engine(input);
        readAll(engine);
        c.edit(engine);
        EXPECT_EQ(c.expected, rendered(engine, TokenStreamRewriteEngine::DEFAULT_PROGRAM_NAME, c.first, c.last))
            << c.name;
        EXPECT_EQ("01234", engine.toOriginalString()) << c.name;
    }
}

TEST(TokenStreamRewriteEngine, KeepsNamedProgramsApart)
{
    ScriptedTokenStream input = streamOf({"a", " ", "b"});
    TokenStreamRewriteEngine engine(input);
    readAll(engine);
    engine.replace("upper", 0, "A");
    engine.insertAfter("upper", 2, "!");
    engine.replace("upper", 2, 2, "B");
    engine.remove("tight", 1);
    engine.insertBefore("tight", 0, "(");
    engine.insertAfter("tight", 2, ")");
    engine.remove(0, 1);

    EXPECT_EQ("A B!", engine.toString("upper"));
    EXPECT_EQ("(ab)", engine.toString("tight"));
    EXPECT_EQ("b", engine.toString());
    EXPECT_EQ("a b", engine.toOriginalString());
}

TEST(TokenStreamRewriteEngine, RendersNothingBeforeAnyTokenIsRead)
{
    ScriptedTokenStream input = streamOf({"a"});
    TokenStreamRewriteEngine engine(input);
    engine.insertBefore(0, "x");
    EXPECT_EQ("", engine.toString());
    EXPECT_EQ("", engine.toOriginalString());
    EXPECT_EQ(0u, input.callCount());
}

TEST(TokenStreamRewriteEngine, KeepsEachProgramSortedByIndexAndStableWithinAnIndex)
{
    ScriptedTokenStream input = streamOf({"t"});
    TokenStreamRewriteEngine engine(input);
    readAll(engine);
    engine.addToSortedRewriteList("p", std::make_unique<TaggedOp>(5, "[5 first]"));
    engine.addToSortedRewriteList("p", std::make_unique<TaggedOp>(2, "[2]"));
    engine.addToSortedRewriteList("p", std::make_unique<TaggedOp>(5, "[5 second]"));
    engine.addToSortedRewriteList("p", std::make_unique<TaggedOp>(3, "[3]"));
    engine.addToSortedRewriteList("p", nullptr);

    EXPECT_EQ("t[2][3][5 first][5 second]", engine.toString("p"));
}

TEST(TokenStreamRewriteEngine, RollbackKeepsTheFirstOperationsInIndexOrder)
{
    ScriptedTokenStream input = streamOf({"t"});
    TokenStreamRewriteEngine engine(input);
    readAll(engine);
    const std::vector<std::pair<unsigned long, std::string>> rollbacks = {
        {3, "t[2][5a][5b]"}, {99, "t[2][5a][5b]"}, {2, "t[2][5a]"}, {1, "t[2]"}, {0, "t"}};
    for (const auto& [keep, expected] : rollbacks) {
        engine.rollback("p", 0);
        engine.addToSortedRewriteList("p", std::make_unique<TaggedOp>(5, "[5a]"));
        engine.addToSortedRewriteList("p", std::make_unique<TaggedOp>(2, "[2]"));
        engine.addToSortedRewriteList("p", std::make_unique<TaggedOp>(5, "[5b]"));
        engine.rollback("p", keep);
        EXPECT_EQ(expected, engine.toString("p")) << keep;
    }
    engine.rollback("never", 0);
    EXPECT_EQ("", engine.toString("never"));
}

TEST(TokenStreamRewriteEngine, FreesTheOperationsItRemovesAndThoseItStillHoldsWhenDestroyed)
{
    int destroyed = 0;
    ScriptedTokenStream input = streamOf({"t"});
    {
        TokenStreamRewriteEngine engine(input);
        for (unsigned long index : {4, 1, 3, 2})
            engine.addToSortedRewriteList("p", std::make_unique<TaggedOp>(index, "", &destroyed));
        engine.addToSortedRewriteList("q", std::make_unique<TaggedOp>(0, "", &destroyed));
        engine.rollback("p", 2);
        EXPECT_EQ(2, destroyed);
        engine.rollback("p", 0);
        EXPECT_EQ(4, destroyed);
    }
    EXPECT_EQ(5, destroyed);
}

}
