#include <orvel/ASTNULLType.hpp>

namespace orvel {

const char* ASTNULLType::typeName() const { return TYPE_NAME; }

ASTRefCount<AST> ASTNULLType::clone() const { return self(); }

bool ASTNULLType::equals(ASTRefCount<AST>) const { return false; }

bool ASTNULLType::equalsList(ASTRefCount<AST>) const { return false; }

bool ASTNULLType::equalsListPartial(ASTRefCount<AST>) const { return false; }

bool ASTNULLType::equalsTree(ASTRefCount<AST>) const { return false; }

bool ASTNULLType::equalsTreePartial(ASTRefCount<AST>) const { return false; }

std::vector<ASTRefCount<AST>> ASTNULLType::findAll(ASTRefCount<AST>) { return {}; }

std::vector<ASTRefCount<AST>> ASTNULLType::findAllPartial(ASTRefCount<AST>) { return {}; }

void ASTNULLType::addChild(ASTRefCount<AST>) {}

std::size_t ASTNULLType::getNumberOfChildren() const { return 0; }

ASTRefCount<AST> ASTNULLType::getFirstChild() const { return self(); }

ASTRefCount<AST> ASTNULLType::getNextSibling() const { return self(); }

std::string ASTNULLType::getText() const { return "<ASTNULL>"; }

int ASTNULLType::getType() const { return Token::NULL_TREE_LOOKAHEAD; }

void ASTNULLType::initialize(int, const std::string&) {}

void ASTNULLType::initialize(ASTRefCount<AST>) {}

void ASTNULLType::initialize(TokenRefCount<Token>) {}

void ASTNULLType::setFirstChild(ASTRefCount<AST>) {}

void ASTNULLType::setNextSibling(ASTRefCount<AST>) {}

void ASTNULLType::setText(const std::string&) {}

void ASTNULLType::setType(int) {}

std::string ASTNULLType::toString() const { return getText(); }

std::string ASTNULLType::toStringList() const { return getText(); }

std::string ASTNULLType::toStringTree() const { return getText(); }

ASTRefCount<AST> ASTNULLType::factory() { return new ASTNULLType; }

ASTRefCount<AST> ASTNULLType::self() const { return const_cast<ASTNULLType*>(this); }

}
