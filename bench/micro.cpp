// Micro-benchmarks of the hot operations behind a lexer and a parser: lookahead
// and consume on both buffers, makeToken, handle copies, building trees through
// the factory and the literal table. No peer: compare figures before and after
// a change, run by run, on one machine.
#include <orvel/ASTFactory.hpp>
#include <orvel/ASTPair.hpp>
#include <orvel/CharBuffer.hpp>
#include <orvel/CharScanner.hpp>
#include <orvel/CommonToken.hpp>
#include <orvel/TokenBuffer.hpp>
#include <orvel/TokenStream.hpp>

#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

namespace {

using orvel::Token;
using orvel::TokenRefCount;

const std::string& text()
{
    static const std::string chars = [] {
        std::string s;
        for (int i = 0; i < (1 << 20); ++i)
            s += static_cast<char>('a' + i % 26);
        return s;
    }();
    return chars;
}

// A scanner with no rules, to reach the base class's operations.
class Scanner final : public orvel::CharScanner {
public:
    explicit Scanner(orvel::InputBuffer& in) : CharScanner(in, true)
    {
        const char* words[] = {"auto", "break", "case", "char", "const", "continue", "default", "do",
                               "double", "else", "enum", "extern", "float", "for", "goto", "if"};
        int type = Token::MIN_USER_TYPE;
        for (const char* word : words)
            literals[word] = type++;
    }
    TokenRefCount<Token> nextToken() override { return makeToken(Token::EOF_TYPE); }
    bool getLiteralsCaseSensitive() const override { return true; }
};

// A token stream that hands out new tokens without end.
class EndlessStream final : public orvel::TokenStream {
public:
    TokenRefCount<Token> nextToken() override { return new orvel::CommonToken(Token::MIN_USER_TYPE, "x"); }
};

void CharBufferLookaheadAndConsume(benchmark::State& state)
{
    for (auto _ : state) {
        std::istringstream in(text());
        orvel::CharBuffer buffer(in);
        long sum = 0;
        for (int c = buffer.LA(1); c != -1; c = buffer.LA(1)) {
            sum += c + buffer.LA(2);
            buffer.consume();
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(static_cast<long>(state.iterations() * text().size()));
}
BENCHMARK(CharBufferLookaheadAndConsume);

void ScannerLookaheadAndConsume(benchmark::State& state)
{
    for (auto _ : state) {
        std::istringstream in(text());
        orvel::CharBuffer buffer(in);
        Scanner scanner(buffer);
        long columns = 0;
        while (scanner.LA(1) != Scanner::EOF_CHAR) {
            scanner.resetText();
            for (int i = 0; i < 8 && scanner.LA(1) != Scanner::EOF_CHAR; ++i)
                scanner.consume();
            columns += scanner.getColumn();
        }
        benchmark::DoNotOptimize(columns);
    }
    state.SetBytesProcessed(static_cast<long>(state.iterations() * text().size()));
}
BENCHMARK(ScannerLookaheadAndConsume);

void TokenBufferLookaheadAndConsume(benchmark::State& state)
{
    EndlessStream stream;
    orvel::TokenBuffer buffer(stream);
    for (auto _ : state) {
        benchmark::DoNotOptimize(buffer.LA(1) + buffer.LA(2));
        buffer.consume();
    }
}
BENCHMARK(TokenBufferLookaheadAndConsume);

void MakeTokenWithText(benchmark::State& state)
{
    std::istringstream in("");
    orvel::CharBuffer buffer(in);
    Scanner scanner(buffer);
    scanner.setText("identifier");
    for (auto _ : state) {
        TokenRefCount<Token> token = scanner.makeToken(Token::MIN_USER_TYPE);
        token->setText(scanner.getText());
        benchmark::DoNotOptimize(token.get());
    }
}
BENCHMARK(MakeTokenWithText);

void TokenHandleCopy(benchmark::State& state)
{
    const TokenRefCount<Token> token(new orvel::CommonToken(Token::MIN_USER_TYPE, "x"));
    for (auto _ : state) {
        TokenRefCount<Token> copy = token;
        benchmark::DoNotOptimize(copy.get());
    }
}
BENCHMARK(TokenHandleCopy);

void TreeBuildingThroughTheFactory(benchmark::State& state)
{
    orvel::ASTFactory factory;
    for (auto _ : state) {
        orvel::ASTPair current;
        for (int i = 0; i < 64; ++i)
            factory.addASTChild(current, factory.create(Token::MIN_USER_TYPE, "x"));
        factory.makeASTRoot(current, factory.create(Token::MIN_USER_TYPE + 1, "+"));
        benchmark::DoNotOptimize(current.root.get());
    }
    state.SetItemsProcessed(state.iterations() * 65);
}
BENCHMARK(TreeBuildingThroughTheFactory);

void LiteralTableLookup(benchmark::State& state)
{
    std::istringstream in("");
    orvel::CharBuffer buffer(in);
    Scanner scanner(buffer);
    const std::string words[] = {"continue", "identifier", "if", "x"};
    int type = 0;
    for (auto _ : state)
        for (const std::string& word : words)
            type += scanner.testLiteralsTable(word, 0);
    benchmark::DoNotOptimize(type);
    state.SetItemsProcessed(state.iterations() * 4);
}
BENCHMARK(LiteralTableLookup);

}

BENCHMARK_MAIN();
