// Lookahead, consume, mark, rewind and commit of a buffer against a model:
// the input as a vector, a position in it and a stack of marked positions.
// Built twice: over characters (InputBuffer) and over tokens (TokenBuffer).
#include <orvel/CommonToken.hpp>
#include <orvel/InputBuffer.hpp>
#include <orvel/ORVELException.hpp>
#include <orvel/TokenBuffer.hpp>

#include "Check.hpp"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <utility>
#include <vector>

using namespace orvel;

namespace {

#ifdef ORVEL_FUZZ_TOKEN_BUFFER
constexpr int endValue = Token::EOF_TYPE;

struct Source : TokenStream {
    explicit Source(const std::vector<int>& values) : values(values) {}
    TokenRefCount<Token> nextToken() override
    {
        return new CommonToken(next < values.size() ? values[next++] : endValue, "");
    }
    const std::vector<int>& values;
    std::size_t next = 0;
};

struct Buffer {
    explicit Buffer(const std::vector<int>& values) : source(values), buffer(source) {}
    int la(unsigned int i)
    {
        const int type = buffer.LA(i);
        check(buffer.LT(i)->getType() == type);
        return type;
    }
    Source source;
    TokenBuffer buffer;
};
#else
constexpr int endValue = -1;

struct Source : InputBuffer {
    explicit Source(const std::vector<int>& values) : values(values) {}
    int getChar() override { return next < values.size() ? values[next++] : endValue; }
    const std::vector<int>& values;
    std::size_t next = 0;
};

struct Buffer {
    explicit Buffer(const std::vector<int>& values) : buffer(values) {}
    int la(unsigned int i) { return buffer.LA(i); }
    Source buffer;
};
#endif

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    std::vector<int> values;
    for (std::uint8_t byte : provider.ConsumeBytes<std::uint8_t>(provider.ConsumeIntegralInRange(0, 64)))
        values.push_back(endValue == -1 ? byte : Token::MIN_USER_TYPE + byte % 16);
    Buffer b(values);
    std::size_t position = 0;
    std::vector<std::pair<unsigned int, std::size_t>> marks;
    const auto at = [&](std::size_t i) { return i < values.size() ? values[i] : endValue; };
    while (provider.remaining_bytes() > 0) {
        switch (provider.ConsumeIntegralInRange(0, 4)) {
        case 0: {
            const unsigned int i = provider.ConsumeIntegralInRange(1, 8);
            check(b.la(i) == at(position + i - 1));
            break;
        }
        case 1:
            b.buffer.consume();
            ++position;
            break;
        case 2:
            marks.emplace_back(b.buffer.mark(), position);
            break;
        default:
            if (marks.empty()) {
                try {
                    b.buffer.rewind(0);
                    check(false);
                } catch (const ORVELException&) {
                }
                break;
            }
#ifndef ORVEL_FUZZ_TOKEN_BUFFER
            if (provider.ConsumeBool()) {
                b.buffer.commit();
                marks.pop_back();
                break;
            }
#endif
            b.buffer.rewind(marks.back().first);
            position = marks.back().second;
            marks.pop_back();
        }
    }
    return 0;
}
