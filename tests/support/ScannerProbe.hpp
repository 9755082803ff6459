#ifndef ORVEL_TESTS_SUPPORT_SCANNERPROBE_HPP
#define ORVEL_TESTS_SUPPORT_SCANNERPROBE_HPP

#include <orvel/CharScanner.hpp>
#include <orvel/InputBuffer.hpp>

#include <cstddef>
#include <string>
#include <utility>

namespace orvel::test {

// A buffer over a fixed text that counts how often it is asked for a
// character (past the end it yields -1 like a real source) and, when given a
// counter, its own destruction.
class ScriptedBuffer : public InputBuffer {
public:
    explicit ScriptedBuffer(std::string text, int* deaths = nullptr) : text(std::move(text)), deaths(deaths) {}
    ~ScriptedBuffer() override
    {
        if (deaths)
            ++*deaths;
    }

    int getChar() override
    {
        const std::size_t at = reads++;
        return at < text.size() ? static_cast<unsigned char>(text[at]) : -1;
    }

    std::size_t reads = 0;

private:
    std::string text;
    int* deaths;
};

// A scanner with no rules of its own, whose state tests can read and set.
class ProbeScanner : public CharScanner {
public:
    using CharScanner::CharScanner;
    // A scanner that owns a buffer over `text`.
    explicit ProbeScanner(const std::string& text, bool caseSensitiveChars = true)
        : CharScanner(new ScriptedBuffer(text), caseSensitiveChars)
    {
    }

    TokenRefCount<Token> nextToken() override { return makeToken(Token::EOF_TYPE); }
    bool getLiteralsCaseSensitive() const override
    {
        ++literalsQueries;
        return literalsCaseSensitive;
    }

    using CharScanner::inputState;
    using CharScanner::literals;
    using CharScanner::saveText;
    using CharScanner::tabSize;
    using CharScanner::traceDepth;

    bool literalsCaseSensitive = true;
    mutable int literalsQueries = 0;
};

}

#endif
