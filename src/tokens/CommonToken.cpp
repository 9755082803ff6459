#include <orvel/CommonToken.hpp>

#include <orvel/TextUtils.hpp>

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

}
