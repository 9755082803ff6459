// A program that uses the installed library the way an application would.
#include <orvel/orvel.hpp>

#include <iostream>

int main()
{
    orvel::RecognitionException error("expecting ID", "t.g", 3, 7);
    const std::string expected = "t.g:3:7: expecting ID";
    if (error.toString() != expected) {
        std::cerr << "unexpected rendering: " << error.toString() << '\n';
        return 1;
    }
    return 0;
}
