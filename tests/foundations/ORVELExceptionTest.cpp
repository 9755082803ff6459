#include <orvel/IOException.hpp>
#include <orvel/ORVELException.hpp>
#include <orvel/TokenStreamException.hpp>
#include <orvel/TokenStreamRetryException.hpp>

#include "support/Expect.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

using orvel::ORVELException;
using orvel::TokenStreamException;

TEST(ORVELException, ToStringAndGetMessageAreTheBareMessage)
{
    EXPECT_EQ("", ORVELException().toString());
    for (const std::string message : {"", "x", " lead and trail ", "two\nlines"}) {
        const ORVELException e(message);
        EXPECT_EQ(message, e.toString());
        EXPECT_EQ(message, e.getMessage());
    }
}

TEST(ORVELException, EveryLibraryExceptionIsCaughtThroughItsBases)
{
    EXPECT_THROW_TEXT(throw orvel::IOException("io"), ORVELException, "io");
    EXPECT_THROW_TEXT(throw TokenStreamException("stream"), ORVELException, "stream");
    EXPECT_THROW_TEXT(throw TokenStreamException(), ORVELException, "");
    EXPECT_THROW_TEXT(throw orvel::TokenStreamRetryException(), TokenStreamException, "");
}

// Counts its destruction, to show that deleting through the root reaches the
// most derived destructor.
struct CountingException : TokenStreamException {
    explicit CountingException(int& destroyed) : destroyed(destroyed) {}
    ~CountingException() override { ++destroyed; }
    int& destroyed;
};

TEST(ORVELException, DeletingThroughTheRootRunsTheDerivedDestructor)
{
    int destroyed = 0;
    std::unique_ptr<ORVELException> e = std::make_unique<CountingException>(destroyed);
    e.reset();
    EXPECT_EQ(1, destroyed);
}

}
