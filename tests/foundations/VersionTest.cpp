#include <orvel/NoViableAltForCharException.hpp>
#include <orvel/RecognitionException.hpp>
#include <orvel/TokenStreamRetryException.hpp>
#include <orvel/Version.hpp>

#include <gtest/gtest.h>

#include <exception>
#include <string>

TEST(Version, LibraryAndHeadersAgreeOnMajorMinorPatch)
{
    EXPECT_STREQ(ORVEL_VERSION_STRING, orvel::version());
    EXPECT_EQ(std::to_string(ORVEL_VERSION_MAJOR) + "." + std::to_string(ORVEL_VERSION_MINOR) + "."
                  + std::to_string(ORVEL_VERSION_PATCH),
              orvel::version());
}

TEST(ORVELException, IsAStandardExceptionWhoseWhatIsToString)
{
    const orvel::ORVELException plain("m");
    const orvel::RecognitionException unplaced;
    const orvel::RecognitionException placed("m", "t.g", 3, 7);
    const orvel::NoViableAltForCharException subclass('#', "t.g", 1, 2);
    const orvel::TokenStreamRetryException retry;
    const struct {
        const std::exception& error;
        const char* expected;
    } cases[] = {
        {plain, "m"},
        {unplaced, " parsing error"},
        {placed, "t.g:3:7: m"},
        {subclass, "t.g:1:2: unexpected char: '#'"},
        {retry, ""},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(c.expected, c.error.what());
}
