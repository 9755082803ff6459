#include <orvel/CommonAST.hpp>

namespace orvel {

const char* CommonAST::typeName() const { return TYPE_NAME; }

ASTRefCount<AST> CommonAST::clone() const { return new CommonAST(*this); }

std::string CommonAST::getText() const { return text; }

int CommonAST::getType() const { return type; }

void CommonAST::initialize(int t, const std::string& txt)
{
    setType(t);
    setText(txt);
}

void CommonAST::initialize(ASTRefCount<AST> t)
{
    setType(t->getType());
    setText(t->getText());
}

void CommonAST::initialize(TokenRefCount<Token> t)
{
    setType(t->getType());
    setText(t->getText());
}

void CommonAST::setText(const std::string& txt) { text = txt; }

void CommonAST::setType(int t) { type = t; }

ASTRefCount<AST> CommonAST::factory() { return new CommonAST; }

}
