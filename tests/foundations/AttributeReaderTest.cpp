#include <orvel/AttributeReader.hpp>
#include <orvel/IOException.hpp>

#include "support/Expect.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

using orvel::IOException;

// What the stream yields next, as a string: the next character, or "EOF".
std::string next(std::istream& in)
{
    const int c = in.get();
    return c == std::char_traits<char>::eof() ? "EOF" : std::string(1, static_cast<char>(c));
}

// An input, what is read from it (or the error text), and what the stream yields next.
struct ReadCase {
    const char* input;
    std::string result;
    const char* after;
};

TEST(AttributeReader, EatwhiteSkipsEveryBlankAndStopsBeforeTheNextCharacter)
{
    for (const ReadCase& c : {ReadCase{" \t\n\r\v\fx ", "", "x"}, ReadCase{"   ", "", "EOF"}}) {
        std::istringstream in(c.input);
        EXPECT_EQ(&in, &orvel::eatwhite(in));
        EXPECT_EQ(c.after, next(in)) << c.input;
    }
}

TEST(AttributeReader, ReadIdentifierTakesLettersDigitsAndUnderscoresOnly)
{
    const ReadCase cases[] = {
        {"  abc_1=more", "abc_1", "="}, {"=x", "", "="},     {"9lives x", "9lives", " "},
        {"_A_z_", "_A_z_", "EOF"},      {"", "", "EOF"},      {"\n\tname-x", "name", "-"},
        {"a.b", "a", "."},              {"caf\xE9", "caf", "\xE9"},
    };
    for (const ReadCase& c : cases) {
        std::istringstream in(c.input);
        EXPECT_EQ(c.result, orvel::read_identifier(in)) << c.input;
        EXPECT_EQ(c.after, next(in)) << c.input;
    }
}

TEST(AttributeReader, ReadStringResolvesOnlyItsThreeEscapes)
{
    const ReadCase cases[] = {
        {R"("")", "", "EOF"},                      {R"(  "plain text" rest)", "plain text", " "},
        {R"("a\"b")", "a\"b", "EOF"},              {R"("\\")", "\\", "EOF"},
        {R"("\0")", std::string(1, '\0'), "EOF"},  {R"("x\0y")", std::string("x\0y", 3), "EOF"},
        {R"("\t")", "\\t", "EOF"},                 {R"("\n\q")", "\\n\\q", "EOF"},
        {"\"two\nlines\"", "two\nlines", "EOF"},   {R"("a""b")", "a", "\""},
    };
    for (const ReadCase& c : cases) {
        std::istringstream in(c.input);
        EXPECT_EQ(c.result, orvel::read_string(in)) << c.input;
        EXPECT_EQ(c.after, next(in)) << c.input;
    }
}

// The message shows what was collected before the input went wrong; a text
// not starting with a quote is rejected after reading only its first character.
TEST(AttributeReader, ReadStringRejectsMalformedText)
{
    const ReadCase cases[] = {
        {"  abc\"", "string must start with '\"'", "b"},
        {"", "badly formatted string: ", "EOF"},
        {"   ", "badly formatted string: ", "EOF"},
        {"\"", "badly formatted string: ", "EOF"},
        {"\"abc", "badly formatted string: abc", "EOF"},
        {R"("ab\)", "badly formatted string: ab", "EOF"},
        {R"("a\"b\0)", std::string("badly formatted string: a\"b") + '\0', "EOF"},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.input);
        std::istringstream in(c.input);
        EXPECT_THROW_TEXT(orvel::read_string(in), IOException, c.result);
        EXPECT_EQ(c.after, next(in));
    }
}

TEST(AttributeReader, ReadAttributeNValueReadsSuccessivePairsOfNameEqualsAndQuotedValue)
{
    std::istringstream in("width=\"80\"\n  title=  \"say \\\"hi\\\"\" x=\"\"");
    const char* const expected[][2] = {{"width", "80"}, {"title", "say \"hi\""}, {"x", ""}};
    for (const auto& pair : expected) {
        std::string attribute;
        std::string value;
        orvel::read_AttributeNValue(in, attribute, value);
        EXPECT_EQ(pair[0], attribute);
        EXPECT_EQ(pair[1], value);
    }
}

// The name is stored before the check fails; the value is left untouched.
TEST(AttributeReader, ReadAttributeNValueRejectsAMissingEqualsOrABadValue)
{
    const char* const cases[][2] = {
        {"name =\"v\"", "invalid attribute=value thing name"},
        {"name", "invalid attribute=value thing name"},
        {"name:\"v\"", "invalid attribute=value thing name"},
        {"name=\"abc", "badly formatted string: abc"},
    };
    for (const auto& [input, message] : cases) {
        SCOPED_TRACE(input);
        std::istringstream in(input);
        std::string attribute = "old";
        std::string value = "unchanged";
        EXPECT_THROW_TEXT(orvel::read_AttributeNValue(in, attribute, value), IOException, message);
        EXPECT_EQ("name", attribute);
        EXPECT_EQ("unchanged", value);
    }
}

}
