#include <orvel/AttributeReader.hpp>

#include <orvel/IOException.hpp>

#include <cctype>

namespace orvel {

namespace {

bool isWhite(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

bool isIdentifierChar(char c)
{
    const unsigned char u = static_cast<unsigned char>(c);
    return std::isupper(u) || std::islower(u) || (c >= '0' && c <= '9') || c == '_';
}

// Reads one character of a quoted string; the input ending first is an error
// that shows what was collected so far.
char nextStringChar(std::istream& in, const std::string& collected)
{
    char c;
    if (!in.get(c))
        throw IOException("badly formatted string: " + collected);
    return c;
}

// Appends the meaning of the escape `c` (the character after a backslash).
void appendEscape(std::string& text, char c)
{
    switch (c) {
    case '0':
        text += '\0';
        break;
    case '\\':
    case '"':
        text += c;
        break;
    default:
        text += '\\';
        text += c;
        break;
    }
}

}

std::istream& eatwhite(std::istream& in)
{
    char c;
    while (in.get(c)) {
        if (!isWhite(c)) {
            in.putback(c);
            break;
        }
    }
    return in;
}

std::string read_identifier(std::istream& in)
{
    std::string id;
    eatwhite(in);
    char c;
    while (in.get(c)) {
        if (!isIdentifierChar(c)) {
            in.putback(c);
            break;
        }
        id += c;
    }
    return id;
}

std::string read_string(std::istream& in)
{
    std::string text;
    eatwhite(in);
    if (nextStringChar(in, text) != '"')
        throw IOException("string must start with '\"'");
    for (;;) {
        const char c = nextStringChar(in, text);
        if (c == '"')
            return text;
        if (c == '\\')
            appendEscape(text, nextStringChar(in, text));
        else
            text += c;
    }
}

void read_AttributeNValue(std::istream& in, std::string& attribute, std::string& value)
{
    attribute = read_identifier(in);
    char c;
    if (!in.get(c) || c != '=')
        throw IOException("invalid attribute=value thing " + attribute);
    value = read_string(in);
}

}
