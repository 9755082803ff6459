// The hiding filter over random visible, hidden and discarded types: every
// link as the filter's rules give it, random handles kept and dropped, and
// every token freed once the last handle goes (none earlier: the sanitizer
// would report a use after free while the links are walked).
#include <orvel/CommonHiddenStreamToken.hpp>
#include <orvel/TokenStreamHiddenTokenFilter.hpp>

#include "Check.hpp"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <vector>

using namespace orvel;

namespace {

constexpr int VISIBLE = 4, HIDDEN = 5, DISCARDED = 6;

int alive = 0;

struct Counted : CommonHiddenStreamToken {
    Counted(int type, std::size_t position) : CommonHiddenStreamToken(type, ""), position(position) { ++alive; }
    ~Counted() override { --alive; }
    const std::size_t position;
};

// Hands out the types in order, then end of input; records where each
// hidden token is (they live while the filter's links reach them).
struct Source : TokenStream {
    explicit Source(std::vector<int> types) : types(std::move(types)) {}
    TokenRefCount<Token> nextToken() override
    {
        const int type = next < types.size() ? types[next] : Token::EOF_TYPE;
        auto* token = new Counted(type, next++);
        hidden.push_back(type == HIDDEN ? token : nullptr);
        return token;
    }
    std::vector<int> types;
    std::size_t next = 0;
    std::vector<const Token*> hidden;
};

const Token* after(const TokenRefCount<Token>& t) { return static_cast<CommonHiddenStreamToken&>(*t).getHiddenAfter().get(); }
const Token* before(const TokenRefCount<Token>& t) { return static_cast<CommonHiddenStreamToken&>(*t).getHiddenBefore().get(); }

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    std::vector<int> types;
    std::vector<bool> keep;
    while (provider.remaining_bytes() > 0 && types.size() < 64) {
        types.push_back(provider.ConsumeIntegralInRange(VISIBLE, DISCARDED));
        keep.push_back(provider.ConsumeBool());
    }
    {
        Source source(types);
        TokenStreamHiddenTokenFilter filter(source);
        filter.hide(HIDDEN);
        filter.discard(DISCARDED);
        std::vector<TokenRefCount<Token>> kept;
        // The hidden tokens since the last visible one, in order.
        std::vector<const Token*> gap;
        const Token* previous = nullptr;
        std::size_t from = 0;
        TokenRefCount<Token> held;
        for (TokenRefCount<Token> t;;) {
            t = filter.nextToken();
            const std::size_t position = static_cast<Counted&>(*t).position;
            gap.clear();
            for (std::size_t i = from; i < position; ++i)
                if (source.hidden[i])
                    gap.push_back(source.hidden[i]);
            from = position + 1;
            check(before(t) == (gap.empty() ? nullptr : gap.back()));
            if (previous) {
                check(after(held) == (gap.empty() ? nullptr : gap.front()));
            } else {
                check(filter.getInitialHiddenToken().get() == (gap.empty() ? nullptr : gap.front()));
            }
            for (std::size_t i = 1; i < gap.size(); ++i) {
                check(static_cast<const CommonHiddenStreamToken*>(gap[i - 1])->getHiddenAfter().get() == gap[i]);
                check(static_cast<const CommonHiddenStreamToken*>(gap[i])->getHiddenBefore().get() == gap[i - 1]);
            }
            if (t->getType() == Token::EOF_TYPE)
                break;
            if (keep[position % keep.size()])
                kept.push_back(t);
            else if (before(t))
                kept.push_back(static_cast<CommonHiddenStreamToken&>(*t).getHiddenBefore());
            held = t;
            previous = t.get();
        }
        for (const TokenRefCount<Token>& t : kept)
            for (const Token* h = after(t); h; h = static_cast<const CommonHiddenStreamToken*>(h)->getHiddenAfter().get())
                check(h->getType() == HIDDEN);
    }
    check(alive == 0);
    return 0;
}
