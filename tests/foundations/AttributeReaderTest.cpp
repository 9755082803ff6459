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

TEST(AttributeReader, EatwhiteSkipsEveryBlankAndStopsBeforeTheNextCharacter)
{
    std::istringstream in(" \t\n\r\v\fx ");
    EXPECT_EQ(&in, &orvel::eatwhite(in));
    EXPECT_EQ("x", next(in));
    EXPECT_EQ(" ", next(in));
}

TEST(AttributeReader, EatwhiteStopsAtEndOfInput)
{
    std::istringstream in("   ");
    orvel::eatwhite(in);
    EXPECT_TRUE(in.eof());
}

struct IdentifierCase {
    const char* input;
    const char* identifier;
    const char* after;
};

TEST(AttributeReader, ReadIdentifierTakesLettersDigitsAndUnderscoresOnly)
{
    const IdentifierCase cases[] = {
        {"  abc_1=more", "abc_1", "="}, {"=x", "", "="},        {"9lives x", "9lives", " "},
        {"_A_z_", "_A_z_", "EOF"},      {"", "", "EOF"},         {"\n\tname-x", "name", "-"},
        {"a.b", "a", "."},              {"caf\xE9", "caf", "\xE9"},
    };
    for (const IdentifierCase& c : cases) {
        std::istringstream in(c.input);
        EXPECT_EQ(c.identifier, orvel::read_identifier(in)) << c.input;
        EXPECT_EQ(c.after, next(in)) << c.input;
    }
}

struct StringCase {
    const char* input;
    std::string text;
    const char* after;
};

TEST(AttributeReader, ReadStringResolvesOnlyItsThreeEscapes)
{
    const StringCase cases[] = {
        {R"("")", "", "EOF"},
        {R"(  "plain text" rest)", "plain text", " "},
        {R"("a\"b")", "a\"b", "EOF"},
        {R"("\\")", "\\", "EOF"},
        {R"("\0")", std::string(1, '\0'), "EOF"},
        {R"("x\0y")", std::string("x\0y", 3), "EOF"},
        {R"("\t")", "\\t", "EOF"},
        {R"("\n\q")", "\\n\\q", "EOF"},
        {"\"two\nlines\"", "two\nlines", "EOF"},
        {R"("a""b")", "a", "\""},
    };
    for (const StringCase& c : cases) {
        std::istringstream in(c.input);
        EXPECT_EQ(c.text, orvel::read_string(in)) << c.input;
        EXPECT_EQ(c.after, next(in)) << c.input;
    }
}

TEST(AttributeReader, ReadStringRejectsTextNotStartingWithAQuote)
{
    std::istringstream in("  abc\"");
    EXPECT_THROW_TEXT(orvel::read_string(in), IOException, "string must start with '\"'");
    EXPECT_EQ("b", next(in));
}

TEST(AttributeReader, ReadStringEndingEarlyShowsWhatWasCollected)
{
    const struct {
        const char* input;
        std::string message;
    } cases[] = {
        {"", "badly formatted string: "},
        {"   ", "badly formatted string: "},
        {"\"", "badly formatted string: "},
        {"\"abc", "badly formatted string: abc"},
        {R"("ab\)", "badly formatted string: ab"},
        {R"("a\"b\0)", std::string("badly formatted string: a\"b") + '\0'},
    };
    for (const auto& c : cases) {
        std::istringstream in(c.input);
        EXPECT_THROW_TEXT(orvel::read_string(in), IOException, c.message);
    }
}

TEST(AttributeReader, ReadAttributeNValueReadsANameEqualsAndAQuotedValue)
{
    const struct {
        const char* input;
        const char* attribute;
        const char* value;
    } cases[] = {
        {R"(width="80")", "width", "80"},
        {"\n  title=  \"say \\\"hi\\\"\"", "title", "say \"hi\""},
        {R"(x="")", "x", ""},
    };
    for (const auto& c : cases) {
        std::istringstream in(c.input);
        std::string attribute;
        std::string value;
        orvel::read_AttributeNValue(in, attribute, value);
        EXPECT_EQ(c.attribute, attribute) << c.input;
        EXPECT_EQ(c.value, value) << c.input;
    }
}

TEST(AttributeReader, ReadAttributeNValueReadsSuccessivePairsFromOneStream)
{
    std::istringstream in(R"(a="1" b="2")");
    std::string attribute;
    std::string value;
    orvel::read_AttributeNValue(in, attribute, value);
    EXPECT_EQ("a", attribute);
    EXPECT_EQ("1", value);
    orvel::read_AttributeNValue(in, attribute, value);
    EXPECT_EQ("b", attribute);
    EXPECT_EQ("2", value);
}

TEST(AttributeReader, ReadAttributeNValueNeedsTheEqualsRightAfterTheName)
{
    for (const char* input : {"name =\"v\"", "name", "name:\"v\""}) {
        std::istringstream in(input);
        std::string attribute = "old";
        std::string value = "unchanged";
        EXPECT_THROW_TEXT(orvel::read_AttributeNValue(in, attribute, value), IOException,
                          "invalid attribute=value thing name");
        EXPECT_EQ("name", attribute) << input;
        EXPECT_EQ("unchanged", value) << input;
    }
}

TEST(AttributeReader, ReadAttributeNValuePassesStringErrorsThrough)
{
    std::istringstream in("name=\"abc");
    std::string attribute;
    std::string value = "unchanged";
    EXPECT_THROW_TEXT(orvel::read_AttributeNValue(in, attribute, value), IOException,
                      "badly formatted string: abc");
    EXPECT_EQ("name", attribute);
    EXPECT_EQ("unchanged", value);
}

}
