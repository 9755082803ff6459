// Random edit programs over two programs of the rewrite engine, checked
// against a model of the rules: operations kept in stable index order;
// walking the tokens, every operation at the walk's position is rendered
// (an insertion keeps the position, a replacement moves it past its range);
// operations the walk has passed render at the end, with all after them.
#include <orvel/TokenStreamException.hpp>
#include <orvel/TokenStreamRewriteEngine.hpp>
#include <orvel/TokenWithIndex.hpp>

#include "Check.hpp"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

using namespace orvel;

namespace {

struct Source : TokenStream {
    explicit Source(std::vector<std::string> texts) : texts(std::move(texts)) {}
    TokenRefCount<Token> nextToken() override
    {
        if (next == texts.size())
            return new TokenWithIndex(Token::EOF_TYPE, "");
        const std::string& text = texts[next++];
        return new TokenWithIndex(text.size() % 2 ? 4 : 5, text);
    }
    std::vector<std::string> texts;
    std::size_t next = 0;
};

struct Operation {
    unsigned long index;
    bool replaces;
    unsigned long last;
    std::string text;
};

// A program never used, and any program before a token is read, renders
// nothing.
std::string render(const std::map<std::string, std::vector<Operation>>& programs, const std::string& name,
                   const std::vector<std::string>& tokens)
{
    const auto found = programs.find(name);
    if (found == programs.end() || tokens.empty())
        return "";
    const std::vector<Operation>& ops = found->second;
    std::string out;
    std::size_t k = 0;
    for (unsigned long c = 0; c < tokens.size();) {
        if (k < ops.size() && ops[k].index == c) {
            out += ops[k].text;
            if (ops[k].replaces)
                c = ops[k].last == ULONG_MAX ? ULONG_MAX : ops[k].last + 1;
            ++k;
        } else {
            out += tokens[c++];
        }
    }
    for (; k < ops.size(); ++k)
        out += ops[k].text;
    return out;
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    std::vector<std::string> texts(provider.ConsumeIntegralInRange(0, 12));
    for (std::string& text : texts)
        text = provider.ConsumeRandomLengthString(4);
    Source source(texts);
    TokenStreamRewriteEngine engine(source);
    engine.discard(5);
    while (engine.nextToken()->getType() != Token::EOF_TYPE) {
    }
    std::string original;
    for (const std::string& text : texts)
        original += text;
    check(engine.toOriginalString() == original);

    std::map<std::string, std::vector<Operation>> model;
    const auto index = [&] {
        return provider.ConsumeBool() ? ULONG_MAX - provider.ConsumeIntegralInRange(0, 1)
                                      : provider.ConsumeIntegralInRange<unsigned long>(0, texts.size() + 1);
    };
    while (provider.remaining_bytes() > 0) {
        const std::string program = provider.ConsumeBool() ? "default" : "other";
        const std::string text = provider.ConsumeRandomLengthString(3);
        Operation op{index(), false, 0, text};
        switch (provider.ConsumeIntegralInRange(0, 3)) {
        case 0:
            engine.insertBefore(program, op.index, text);
            break;
        case 1:
            engine.insertAfter(program, op.index, text);
            op.index = op.index == ULONG_MAX ? ULONG_MAX : op.index + 1;
            break;
        case 2:
            op.replaces = true;
            op.last = index();
            try {
                engine.replace(program, op.index, op.last, text);
            } catch (const TokenStreamException&) {
                check(op.index > op.last);
                continue;
            }
            check(op.index <= op.last);
            break;
        default: {
            const unsigned long keep = provider.ConsumeIntegralInRange<unsigned long>(0, 8);
            engine.rollback(program, keep);
            const auto found = model.find(program);
            if (found != model.end() && keep < found->second.size())
                found->second.resize(keep);
            continue;
        }
        }
        std::vector<Operation>& ops = model[program];
        ops.insert(std::upper_bound(ops.begin(), ops.end(), op,
                                    [](const Operation& a, const Operation& b) { return a.index < b.index; }),
                   op);
    }
    for (const char* program : {"default", "other"})
        check(engine.toString(program) == render(model, program, texts));
    check(engine.toOriginalString() == original);
    return 0;
}
