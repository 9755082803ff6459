#include <orvel/TextUtils.hpp>

#include <algorithm>
#include <cctype>

namespace orvel {

std::string operator+(const std::string& s, int n)
{
    return s + std::to_string(n);
}

std::string operator+(const std::string& s, unsigned long n)
{
    return s + std::to_string(n);
}

std::string charName(int ch)
{
    if (ch == -1)
        return "EOF";
    const unsigned char b = static_cast<unsigned char>(ch & 0xFF);
    if (std::isprint(b))
        return std::string{'\'', static_cast<char>(b), '\''};
    static const char digits[] = "0123456789ABCDEF";
    return std::string{'0', 'x', digits[b >> 4], digits[b & 0xF]};
}

std::string displayText(const std::string& text)
{
    const std::size_t shown = std::min(text.size(), DISPLAY_TEXT_LIMIT);
    std::string result;
    result.reserve(shown);
    for (std::size_t i = 0; i < shown; ++i) {
        const unsigned char b = static_cast<unsigned char>(text[i]);
        if (std::isprint(b))
            result += static_cast<char>(b);
        else
            result += charName(b);
    }
    if (text.size() > shown)
        result += "...";
    return result;
}

}
