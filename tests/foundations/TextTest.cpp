#include <orvel/AttributeReader.hpp>
#include <orvel/IOException.hpp>
#include <orvel/RecognitionException.hpp>
#include <orvel/TextUtils.hpp>
#include <orvel/TokenStreamRetryException.hpp>

#include "support/Fixtures.hpp"

#include <climits>

namespace {

using orvel::RecognitionException;
using orvel::operator+;

TEST(TextUtils, AppendsDecimalNumbersAndNamesEveryKindOfCharacter)
{
    EXPECT_EQ("x-2147483648 4294967295", std::string("x") + INT_MIN + " " + 4294967295UL);
    const std::pair<int, const char*> names[] = {
        {-1, "EOF"},  {'a', "'a'"},  {'\'', "'''"},  {' ', "' '"},  {'~', "'~'"},    {10, "0x0A"},    {0, "0x00"},
        {127, "0x7F"}, {0xAB, "0xAB"}, {255, "0xFF"}, {321, "'A'"}, {-2, "0xFE"},   {INT_MIN, "0x00"},
    };
    for (const auto& [ch, name] : names)
        EXPECT_EQ(name, orvel::charName(ch)) << ch;
}

// Messages show token and node texts through displayText: nothing a terminal
// would act on, and at most 40 bytes of the text.
TEST(TextUtils, DisplayTextNamesUnprintableBytesAndCutsTextsLongerThanTheLimit)
{
    std::string everyByte;
    for (int b = 0; b < 256; ++b)
        everyByte += static_cast<char>(b);
    const std::string forty(orvel::DISPLAY_TEXT_LIMIT, 'x');
    const std::pair<std::string, std::string> shown[] = {
        {"", ""},
        {"a'b\\\"c ~", "a'b\\\"c ~"},
        {"\x1B]0;owned\x07\x1B[2J", "0x1B]0;owned0x070x1B[2J"},
        {std::string("a\0b\n\x7F\x80\xFF", 7), "a0x00b0x0A0x7F0x800xFF"},
        {forty, forty},
        {forty + "y", forty + "..."},
        {forty.substr(1) + "\x1B" + "y", forty.substr(1) + "0x1B..."},
        {everyByte, "0x000x010x020x030x040x050x060x070x080x090x0A0x0B0x0C0x0D0x0E0x0F"
                    "0x100x110x120x130x140x150x160x170x180x190x1A0x1B0x1C0x1D0x1E0x1F"
                    " !\"#$%&'..."},
        {std::string(1 << 20, 'a'), std::string(40, 'a') + "..."},
    };
    for (const auto& [text, display] : shown)
        EXPECT_EQ(display, orvel::displayText(text)) << text.size();
}

// Reads an identifier ("id"), a string ("str") or a pair ("pair", as "name=value");
// a failing pair has stored its name but left the value alone.
std::string read(const std::string& what, std::istream& in)
{
    if (what != "pair")
        return what == "id" ? orvel::read_identifier(in) : orvel::read_string(in);
    std::string name = "old";
    std::string value = "unchanged";
    try {
        orvel::read_AttributeNValue(in, name, value);
    } catch (const orvel::IOException&) {
        EXPECT_EQ("name/unchanged", name + "/" + value);
        throw;
    }
    return name + "=" + value;
}

// A reader, its input, what it returns or (after "!") throws, and the character the stream yields next.
TEST(AttributeReader, ReadsIdentifiersStringsAndPairsStoppingAtTheFirstCharacterNotTaken)
{
    const struct {
        const char* what;
        std::string input, result;
        int after;
    } cases[] = {
        {"id", "  abc_1=more", "abc_1", '='},
        {"id", "\n\t9lives-x", "9lives", '-'},
        {"id", "caf\xE9", "caf", 0xE9},
        {"str", R"(  "plain text" rest)", "plain text", ' '},
        {"str", R"("a\"b\\")", "a\"b\\", -1},
        {"str", R"("x\0y\t")", std::string("x\0y\\t", 5), -1},
        {"str", R"("a""b")", "a", '"'},
        {"pair", "t=  \"say \\\"hi\\\"\" x", "t=say \"hi\"", ' '},
        {"str", "  abc\"", "!string must start with '\"'", 'b'},
        {"str", "   ", "!badly formatted string: ", -1},
        {"str", R"("a\"b\0)", std::string("!badly formatted string: a\"b") + '\0', -1},
        {"pair", "name =\"v\"", "!invalid attribute=value thing name", '='},
        {"pair", "name=\"abc", "!badly formatted string: abc", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        std::istringstream in(c.input);
        if (c.result[0] == '!')
            EXPECT_THROW_TEXT(read(c.what, in), orvel::IOException, c.result.substr(1));
        else
            EXPECT_EQ(c.result, read(c.what, in));
        EXPECT_EQ(c.after, in.get());
    }
}

TEST(Exceptions, PrefixShowsOnlyThePartsThatArePresentAndNoneIsAStandardException)
{
    const struct {
        const char* fileName;
        int line, column;
        std::string rendering;
    } cases[] = {
        {"t.g", 3, 7, "t.g:3:7: m"}, {"t.g", 3, -1, "t.g:3: m"}, {"", 3, 7, "line 3:7: m"},
        {"", 3, -1, "line 3: m"},    {"t.g", -1, 7, "t.g: m"},   {"", -1, 7, " m"},
        {"", 0, 0, "line 0:0: m"},   {"t.g", -2, -5, "t.g:-2:-5: m"},
    };
    for (const auto& c : cases) {
        RecognitionException e;
        e = RecognitionException("m", c.fileName, c.line, c.column);
        EXPECT_EQ(c.rendering, e.toString());
        EXPECT_EQ(c.rendering.substr(0, c.rendering.size() - 1), e.getFileLineColumnString());
    }
    EXPECT_EQ(" unexpected end", RecognitionException("unexpected end").toString());
    EXPECT_THROW_TEXT(throw RecognitionException(), orvel::ORVELException, " parsing error");
    EXPECT_THROW_TEXT(throw orvel::TokenStreamRetryException(), orvel::TokenStreamException, "");
}

}
