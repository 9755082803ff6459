#include <orvel/IOException.hpp>
#include <orvel/ORVELException.hpp>
#include <orvel/TokenStreamException.hpp>
#include <orvel/TokenStreamRetryException.hpp>

#include <gtest/gtest.h>

#include <exception>
#include <memory>
#include <string>

namespace {

using orvel::ORVELException;

TEST(ORVELException, ToStringAndGetMessageAreTheBareMessage)
{
    EXPECT_EQ("", ORVELException().toString());
    for (const std::string message : {"", "x", " lead and trail ", "two\nlines"}) {
        const ORVELException e(message);
        EXPECT_EQ(message, e.toString());
        EXPECT_EQ(message, e.getMessage());
    }
}

TEST(ORVELException, IsNotSeenByHandlersOfStandardExceptions)
{
    bool caughtAsStandard = false;
    try {
        try {
            throw orvel::IOException("bad");
        } catch (const std::exception&) {
            caughtAsStandard = true;
        }
    } catch (const ORVELException& e) {
        EXPECT_EQ("bad", e.toString());
    }
    EXPECT_FALSE(caughtAsStandard);
}

// Returns the toString() of what `thrower` throws, caught as `Caught`.
template <typename Caught, typename Thrower>
std::string caughtAs(Thrower thrower)
{
    try {
        thrower();
    } catch (const Caught& e) {
        return e.toString();
    }
    return "not thrown";
}

TEST(ORVELException, EveryLibraryExceptionIsCaughtThroughItsBases)
{
    EXPECT_EQ("io", caughtAs<ORVELException>([] { throw orvel::IOException("io"); }));
    EXPECT_EQ("stream",
              caughtAs<ORVELException>([] { throw orvel::TokenStreamException("stream"); }));
    EXPECT_EQ("", caughtAs<ORVELException>([] { throw orvel::TokenStreamException(); }));
    EXPECT_EQ("", caughtAs<orvel::TokenStreamException>(
                      [] { throw orvel::TokenStreamRetryException(); }));
}

// Counts its destruction, to show that deleting through the root reaches the
// most derived destructor.
class CountingException : public orvel::TokenStreamException {
public:
    explicit CountingException(int& destroyed) : destroyed(destroyed) {}
    ~CountingException() override { ++destroyed; }

private:
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
