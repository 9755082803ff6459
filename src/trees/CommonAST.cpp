#include <orvel/CommonAST.hpp>

#include "trees/NodeBlock.hpp"

#include <new>

#include <utility>

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

ASTRefCount<AST> CommonAST::factory()
{
    void* storage = detail::NodeBlocks::allocate();
    auto* block = static_cast<detail::NodeBlock*>(storage);
    auto* node = ::new (block->node) CommonAST;
    ASTRef* record = ::new (block->record) ASTRef(node);
    record->inBlock = true;
    // The handle made below takes the first share.
    record->count = 0;
    return ASTRefCount<AST>(node);
}

ASTRefCount<AST> CommonAST::make(int type, std::string&& text)
{
    ASTRefCount<AST> node = factory();
    auto& made = static_cast<CommonAST&>(*node);
    made.type = type;
    made.text = std::move(text);
    return node;
}

}
