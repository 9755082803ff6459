#include <orvel/CommonToken.hpp>

#include <orvel/TextUtils.hpp>

#include "foundations/Recycler.hpp"

namespace orvel {

CommonToken::CommonToken(int t, const std::string& txt) : Token(t), text(txt) {}

CommonToken::CommonToken(const std::string& s) : text(s) {}

int CommonToken::getColumn() const { return column; }

int CommonToken::getLine() const { return line; }

std::string CommonToken::getText() const { return text; }

void CommonToken::setColumn(int c) { column = c; }

void CommonToken::setLine(int l) { line = l; }

void CommonToken::setText(const std::string& t) { text = t; }

std::string CommonToken::toString() const
{
    return "[\"" + getText() + "\",<" + getType() + ">,line=" + getLine()
           + ",column=" + getColumn() + "]";
}

TokenRefCount<Token> CommonToken::factory() { return new CommonToken; }

void* CommonToken::operator new(std::size_t size)
{
    if (size != sizeof(CommonToken))
        return ::operator new(size);
    return detail::Recycler<sizeof(CommonToken)>::allocate();
}

void CommonToken::operator delete(void* token, std::size_t size) noexcept
{
    if (size != sizeof(CommonToken))
        ::operator delete(token);
    else
        detail::Recycler<sizeof(CommonToken)>::release(token);
}

}
