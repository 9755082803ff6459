#include <orvel/Token.hpp>

#include <orvel/TextUtils.hpp>

namespace orvel {

const TokenRefCount<Token> nullToken;
const std::string emptyString;

int Token::getColumn() const { return 0; }

int Token::getLine() const { return 0; }

std::string Token::getText() const { return "<no text>"; }

const std::string& Token::getFilename() const { return emptyString; }

int Token::getType() const { return type; }

void Token::setColumn(int) {}

void Token::setLine(int) {}

void Token::setText(const std::string&) {}

void Token::setType(int t) { type = t; }

void Token::setFilename(const std::string&) {}

std::string_view Token::getTextView() const { return "<no text>"; }

std::string Token::toString() const
{
    return "[\"" + getText() + "\",<" + type + ">]";
}

}
