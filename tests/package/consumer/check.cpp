// What a program that uses orvel checks first: the headers and the library
// agree on the version, and errors render and reach `catch (std::exception&)`.
#include <orvel/RecognitionException.hpp>
#include <orvel/Version.hpp>

#include <cstring>
#include <exception>
#include <iostream>

#if defined(ORVEL_EXPECT_CXX20) && __cplusplus < 202002L
#error "the flags orvel gave changed the language standard"
#endif

int orvelConsumerCheck()
{
    if (std::strcmp(orvel::version(), ORVEL_VERSION_STRING) != 0) {
        std::cerr << "library " << orvel::version() << ", headers " << ORVEL_VERSION_STRING << '\n';
        return 1;
    }
    try {
        throw orvel::RecognitionException("expecting ID", "t.g", 3, 7);
    } catch (const std::exception& error) {
        if (std::strcmp(error.what(), "t.g:3:7: expecting ID") != 0) {
            std::cerr << "unexpected rendering: " << error.what() << '\n';
            return 1;
        }
    }
    return 0;
}
