#include <orvel/LexerModes.hpp>

#include <orvel/ORVELException.hpp>

#include <string>

namespace orvel {

void LexerModes::setCount(int n)
{
    if (n < 1)
        throw ORVELException("a lexer has at least one mode");
    count = n;
}

void LexerModes::set(int m)
{
    if (m < 0 || m >= count)
        throw ORVELException("no such lexer mode: " + std::to_string(m));
    mode = m;
}

void LexerModes::push(int m)
{
    const int previous = mode;
    set(m);
    pushed.push_back(previous);
}

bool LexerModes::pop()
{
    if (pushed.empty())
        return false;
    mode = pushed.back();
    pushed.pop_back();
    return true;
}

}
