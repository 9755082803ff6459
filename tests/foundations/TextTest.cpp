#include <orvel/AttributeReader.hpp>
#include <orvel/IOException.hpp>
#include <orvel/TextUtils.hpp>

#include "support/Expect.hpp"

#include <climits>
#include <sstream>
#include <string>

namespace {

using orvel::operator+;

TEST(TextUtils, AppendsDecimalNumbersAndNamesEveryKindOfCharacter)
{
    EXPECT_EQ("x-2147483648 2147483647", std::string("x") + INT_MIN + " " + INT_MAX);
    EXPECT_EQ("n=4294967295", std::string("n=") + 4294967295UL);
    if (sizeof(unsigned long) == 8)
        EXPECT_EQ("18446744073709551615", std::string() + ULONG_MAX);
    const std::pair<int, const char*> names[] = {
        {-1, "EOF"},   {'a', "'a'"},   {'\'', "'''"},  {' ', "' '"},   {'~', "'~'"},    {10, "0x0A"},
        {0, "0x00"},   {127, "0x7F"},  {0xAB, "0xAB"}, {255, "0xFF"},  {321, "'A'"},    {-2, "0xFE"},
        {-191, "'A'"}, {INT_MIN, "0x00"},
    };
    for (const auto& [ch, name] : names)
        EXPECT_EQ(name, orvel::charName(ch)) << ch;
}

// What the stream yields next, as a string: the next character, or "EOF".
std::string next(std::istream& in)
{
    const int c = in.get();
    return c == std::char_traits<char>::eof() ? "EOF" : std::string(1, static_cast<char>(c));
}

// Reads an identifier ("id"), a string ("str") or a pair ("pair", as "name=value") from `input`.
std::string read(const std::string& what, std::istream& in)
{
    if (what == "id")
        return orvel::read_identifier(in);
    if (what == "str")
        return orvel::read_string(in);
    std::string name = "old";
    std::string value = "unchanged";
    try {
        orvel::read_AttributeNValue(in, name, value);
    } catch (const orvel::IOException&) {
        EXPECT_EQ("name", name);
        EXPECT_EQ("unchanged", value);
        throw;
    }
    return name + "=" + value;
}

// A reader, its input, what it returns or the message it throws, and what the stream yields next.
TEST(AttributeReader, ReadsIdentifiersStringsAndPairsStoppingAtTheFirstCharacterNotTaken)
{
    const struct {
        const char* what;
        std::string input, result;
        const char* after;
    } cases[] = {
        {"id", "  abc_1=more", "abc_1", "="},    {"id", "=x", "", "="},
        {"id", "\n\t9lives-x", "9lives", "-"},   {"id", "caf\xE9", "caf", "\xE9"},
        {"str", R"(  "plain text" rest)", "plain text", " "},
        {"str", R"("a\"b\\")", "a\"b\\", "EOF"}, {"str", R"("x\0y")", std::string("x\0y", 3), "EOF"},
        {"str", R"("\t\n")", "\\t\\n", "EOF"},   {"str", "\"two\nlines\"", "two\nlines", "EOF"},
        {"str", R"("a""b")", "a", "\""},
        {"pair", "width=\"80\" x", "width=80", " "},
        {"pair", "t=  \"say \\\"hi\\\"\"", "t=say \"hi\"", "EOF"},
        {"str", "  abc\"", "!string must start with '\"'", "b"},
        {"str", "   ", "!badly formatted string: ", "EOF"},
        {"str", R"("ab\)", "!badly formatted string: ab", "EOF"},
        {"str", R"("a\"b\0)", std::string("!badly formatted string: a\"b") + '\0', "EOF"},
        {"pair", "name =\"v\"", "!invalid attribute=value thing name", "="},
        {"pair", "name", "!invalid attribute=value thing name", "EOF"},
        {"pair", "name=\"abc", "!badly formatted string: abc", "EOF"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        std::istringstream in(c.input);
        if (c.result[0] == '!')
            EXPECT_THROW_TEXT(read(c.what, in), orvel::IOException, c.result.substr(1));
        else
            EXPECT_EQ(c.result, read(c.what, in));
        EXPECT_EQ(c.after, next(in));
    }
}

}
