#ifndef ORVEL_TESTS_SUPPORT_EXPECT_HPP
#define ORVEL_TESTS_SUPPORT_EXPECT_HPP

#include <gtest/gtest.h>

#include <iostream>
#include <sstream>
#include <string>
#include <utility>

// Checks an exception's type and its exact toString() text together.
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
    std::string text() const { return buffer.str(); }

private:
    std::ostream& stream;
    std::ostringstream buffer;
    std::streambuf* saved;
};

// A Base (token, node, buffer, input state) that counts its destruction in `*deaths`.
template <typename Base>
class Counted : public Base {
public:
    template <typename... Args>
    explicit Counted(int* deaths, Args&&... args) : Base(std::forward<Args>(args)...), deaths(deaths) {}
    ~Counted() override { ++*deaths; }

private:
    int* deaths;
};

}

#endif
