// Placeholder: renders a recognition error the way a generated recognizer
// reports it. Replaced by the full calculator once the parser exists.
#include <orvel/orvel.hpp>

#include <iostream>

int main(int argc, char** argv)
{
    const std::string input = argc > 1 ? argv[1] : "";
    orvel::RecognitionException error("nothing parses yet: " + input, "<cmdline>", 1, 1);
    std::cout << error.toString() << std::endl;
    return 0;
}
