#include <orvel/ErrorPresenter.hpp>
#include <orvel/NoViableAltForCharException.hpp>
#include <orvel/ORVELException.hpp>

#include <gtest/gtest.h>

#include <cstddef>
#include <sstream>
#include <string>
#include <tuple>

using orvel::ErrorPresenter;

TEST(ErrorPresenter, ShowsTheSourceLineWithACaretUnderTheScannersColumn)
{
    const std::string wide = std::string(30, 'a') + 'X' + std::string(30, 'a');
    struct Case {
        const char* what;
        std::string source;
        std::size_t width;
        int line;
        int column;
        std::string expected;
    };
    const Case cases[] = {
        {"second line", "x = 1;\ny = ;\n", 100, 2, 5, "t:2:5: m\ny = ;\n    ^\n"},
        {"tabs to stops of 8", "\tab\tc", 100, 1, 17, "t:1:17: m\n        ab      c\n                ^\n"},
        {"end of the last line", "x = 1", 100, 1, 6, "t:1:6: m\nx = 1\n     ^\n"},
        {"end of input after a newline", "x\n", 100, 2, 1, "t:2:1: m\n\n^\n"},
        {"carriage return left out", "ab\r\ncd", 100, 1, 3, "t:1:3: m\nab\n  ^\n"},
        {"no column", "ab", 100, 1, -1, "t:1: m\nab\n"},
        {"no line", "ab", 100, -1, -1, "t: m\n"},
        {"line past the source", "ab", 100, 3, 1, "t:3:1: m\n"},
        {"long line, middle", wide, 20, 1, 31, "t:1:31: m\n...aaaaaaaXaaaaaa...\n          ^\n"},
        {"long line, start", wide, 20, 1, 2, "t:1:2: m\naaaaaaaaaaaaaaaaa...\n ^\n"},
        {"long line, past its end", wide, 20, 1, 62,
         "t:1:62: m\n...aaaaaaaaaaaaaaaa\n                   ^\n"},
        {"column far past the end", "ab", 20, 1, 1000000, "t:1:1000000: m\n...\n                   ^\n"},
    };
    for (const Case& c : cases) {
        std::ostringstream out;
        ErrorPresenter(c.source, 8, c.width).present(out, "t", c.line, c.column, "m");
        EXPECT_EQ(c.expected, out.str()) << c.what;
    }
}

TEST(ErrorPresenter, ReportsAnExceptionAsItRendersItselfAndRejectsBadSettings)
{
    std::ostringstream out;
    ErrorPresenter("a # b").present(out, orvel::NoViableAltForCharException('#', "t", 1, 3));
    EXPECT_EQ("t:1:3: unexpected char: '#'\na # b\n  ^\n", out.str());

    for (const auto& [tabSize, width, message] :
         {std::tuple(0, std::size_t{100}, "tab size must be at least 1"),
          std::tuple(8, std::size_t{7}, "width must be at least 8")}) {
        try {
            ErrorPresenter("", tabSize, width);
            ADD_FAILURE() << message;
        } catch (const orvel::ORVELException& e) {
            EXPECT_EQ(message, e.toString());
        }
    }
}
