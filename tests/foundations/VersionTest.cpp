#include <orvel/NoViableAltForCharException.hpp>
#include <orvel/Version.hpp>

#include <gtest/gtest.h>

#include <exception>
#include <utility>
#include <string>

TEST(Version, LibraryVersionIsTheHeadersMajorMinorPatch)
{
    EXPECT_EQ(std::to_string(ORVEL_VERSION_MAJOR) + "." + std::to_string(ORVEL_VERSION_MINOR) + "."
                  + std::to_string(ORVEL_VERSION_PATCH),
              orvel::version());
    EXPECT_STREQ(ORVEL_VERSION_STRING, orvel::version());
}

TEST(ORVELException, IsAStandardExceptionWhoseWhatIsToString)
{
    const orvel::ORVELException plain("m");
    const orvel::RecognitionException unplaced;
    const orvel::NoViableAltForCharException placed('#', "t.g", 1, 2);
    const std::pair<const std::exception&, const char*> cases[] = {
        {plain, "m"}, {unplaced, " parsing error"}, {placed, "t.g:1:2: unexpected char: '#'"}};
    for (const auto& [error, expected] : cases)
        EXPECT_STREQ(expected, error.what());
}
