#ifndef ORVEL_TESTS_SUPPORT_STREAMS_HPP
#define ORVEL_TESTS_SUPPORT_STREAMS_HPP

#include <orvel/CommonHiddenStreamToken.hpp>
#include <orvel/TokenStream.hpp>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace orvel::test {

using Tokens = std::vector<TokenRefCount<Token>>;

// Returns a new CommonToken of `type` and `text` at `line` and `column`.
inline TokenRefCount<Token> token(int type, const std::string& text, int line = 1, int column = 1)
{
    TokenRefCount<Token> t(new CommonToken(type, text));
    t->setLine(line);
    t->setColumn(column);
    return t;
}

// A token stream whose nextToken() returns what `next` returns for the call
// number (1 for the first call), counting the calls.
struct FunctionStream : TokenStream {
    explicit FunctionStream(std::function<TokenRefCount<Token>(int)> next) : next(std::move(next)) {}
    TokenRefCount<Token> nextToken() override { return next(++calls); }

    std::function<TokenRefCount<Token>(int)> next;
    int calls = 0;
};

// A stream of `tokens`, then of what `atEnd` returns or throws (by default the
// last token again, or an empty handle when there is none).
inline FunctionStream listStream(Tokens tokens, std::function<TokenRefCount<Token>()> atEnd = nullptr)
{
    return FunctionStream([tokens = std::move(tokens), atEnd](int call) {
        if (static_cast<std::size_t>(call) <= tokens.size())
            return tokens[static_cast<std::size_t>(call) - 1];
        return atEnd ? atEnd() : tokens.empty() ? nullToken : tokens.back();
    });
}

// A hidden-stream token that writes its type into `deaths` when its destructor starts.
class ProbeToken : public CommonHiddenStreamToken {
public:
    ProbeToken(int type, std::vector<int>& deaths) : CommonHiddenStreamToken(type, "probe"), deaths(deaths) {}
    ~ProbeToken() override { deaths.push_back(getType()); }

    // The number of handles that share the count record (0 before the first).
    unsigned int shares() const { return ref ? ref->count : 0; }
    // The handle inside this token that keeps the hidden-after token alive.
    const TokenRefCount<Token>& afterLink() const { return hiddenAfter; }

private:
    std::vector<int>& deaths;
};

// The hidden-stream token behind `t`.
inline CommonHiddenStreamToken* hidden(const TokenRefCount<Token>& t)
{
    return static_cast<CommonHiddenStreamToken*>(t.get());
}

}

#endif
