#ifndef ORVEL_TESTS_SUPPORT_SCANNERPROBE_HPP
#define ORVEL_TESTS_SUPPORT_SCANNERPROBE_HPP

#include <orvel/CharBuffer.hpp>
#include <orvel/CharScanner.hpp>
#include <orvel/InputBuffer.hpp>

#include <istream>
#include <sstream>
#include <streambuf>
#include <string>
#include <utility>

namespace orvel::test {

// A scanner with no rules of its own, whose state tests can read and set.
class ProbeScanner : public CharScanner {
public:
    ProbeScanner(std::istream& in, bool caseSensitiveChars = true, bool caseSensitiveLiterals = true)
        : CharScanner(new CharBuffer(in), caseSensitiveChars), literalsCaseSensitive(caseSensitiveLiterals)
    {
    }
    ProbeScanner(InputBuffer& buffer, bool caseSensitiveChars)
        : CharScanner(buffer, caseSensitiveChars), literalsCaseSensitive(true)
    {
    }
    ProbeScanner(InputBuffer* buffer, bool caseSensitiveChars)
        : CharScanner(buffer, caseSensitiveChars), literalsCaseSensitive(true)
    {
    }
    ProbeScanner(const RefCount<LexerInputState>& state, bool caseSensitiveChars)
        : CharScanner(state, caseSensitiveChars), literalsCaseSensitive(true)
    {
    }

    TokenRefCount<Token> nextToken() override { return makeToken(Token::EOF_TYPE); }
    bool getLiteralsCaseSensitive() const override
    {
        ++literalsQueries;
        return literalsCaseSensitive;
    }

    using CharScanner::caseSensitive;
    using CharScanner::commitToPath;
    using CharScanner::inputState;
    using CharScanner::literals;
    using CharScanner::saveText;
    using CharScanner::tabSize;
    using CharScanner::text;
    using CharScanner::tokenObject;
    using CharScanner::tokenObjectFactory;
    using CharScanner::traceDepth;

    bool literalsCaseSensitive;
    mutable int literalsQueries = 0;
};

// A probe scanner together with the text it reads.
struct ProbeInput {
    explicit ProbeInput(const std::string& text, bool caseSensitiveChars = true)
        : in(text), scanner(in, caseSensitiveChars)
    {
    }

    std::istringstream in;
    ProbeScanner scanner;
};

// A stream buffer over a string that counts the characters it hands out, to
// show how far a scanner has read ahead.
class CountingSource : public std::streambuf {
public:
    explicit CountingSource(std::string text) : data(std::move(text)) {}

    // Returns how many characters have been read.
    int reads() const { return count; }

protected:
    int_type underflow() override
    {
        return pos < data.size() ? traits_type::to_int_type(data[pos]) : traits_type::eof();
    }
    int_type uflow() override
    {
        if (pos == data.size())
            return traits_type::eof();
        ++count;
        return traits_type::to_int_type(data[pos++]);
    }

private:
    std::string data;
    std::string::size_type pos = 0;
    int count = 0;
};

// An empty input that counts its own destruction.
class DyingBuffer : public InputBuffer {
public:
    explicit DyingBuffer(int& deaths) : deaths(deaths) {}
    ~DyingBuffer() override { ++deaths; }

    int getChar() override { return -1; }

private:
    int& deaths;
};

}

#endif
