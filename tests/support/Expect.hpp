#ifndef ORVEL_TESTS_SUPPORT_EXPECT_HPP
#define ORVEL_TESTS_SUPPORT_EXPECT_HPP

#include <gtest/gtest.h>

#include <iostream>
#include <sstream>
#include <string>

// Checks an exception's type and its exact toString() text together:
//   EXPECT_THROW_TEXT(parser.match(5), orvel::MismatchedTokenException,
//                     "t.g:3:5: expecting ID, found 'x'");
#define EXPECT_THROW_TEXT(statement, type, expected)                                  \
    do {                                                                              \
        bool thrown_ = false;                                                         \
        try {                                                                         \
            statement;                                                                \
        } catch (const type& e_) {                                                    \
            thrown_ = true;                                                           \
            EXPECT_EQ(std::string(expected), e_.toString());                          \
        }                                                                             \
        EXPECT_TRUE(thrown_) << "expected " #type " from " #statement;                \
    } while (0)

namespace orvel::test {

// Captures what is written to std::cout or std::cerr while it lives.
class CaptureStream {
public:
    explicit CaptureStream(std::ostream& stream) : stream(stream), saved(stream.rdbuf(buffer.rdbuf())) {}
    ~CaptureStream() { stream.rdbuf(saved); }
    CaptureStream(const CaptureStream&) = delete;
    CaptureStream& operator=(const CaptureStream&) = delete;

    // Returns everything written so far.
    std::string text() const { return buffer.str(); }

private:
    std::ostream& stream;
    std::ostringstream buffer;
    std::streambuf* saved;
};

}

#endif
