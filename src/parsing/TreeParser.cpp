#include <orvel/TreeParser.hpp>

#include <orvel/ASTNULLType.hpp>
#include <orvel/BitSet.hpp>
#include <orvel/MismatchedTokenException.hpp>
#include <orvel/RecognitionException.hpp>

#include <iostream>
#include <string>

namespace orvel {

namespace {

// Returns a new null-tree node with an immortal record: every thread copies
// TreeParser::ASTNULL, so no copy may change its count.
AST* immortalNullNode()
{
    AST* node = new ASTNULLType;
    new ASTRef(node, true);
    return node;
}

// An empty handle and the null node both stand for a missing tree.
bool missing(const ASTRefCount<AST>& t) { return !t.get() || t == TreeParser::ASTNULL; }

}

const ASTRefCount<AST> TreeParser::ASTNULL(immortalNullNode());

TreeParser::TreeParser() : inputState(new TreeParserInputState) {}

TreeParser::TreeParser(const RefCount<TreeParserInputState>& state) : inputState(state) {}

TreeParser::~TreeParser() = default;

void TreeParser::match(ASTRefCount<AST> t, const BitSet& b)
{
    if (missing(t) || !b.member(static_cast<unsigned int>(t->getType())))
        throw MismatchedTokenException(getTokenNames(), getNumTokens(), t, b, false,
                                       getFilename());
}

void TreeParser::setASTFactory(ASTFactory* factory) { astFactory = factory; }

ASTFactory* TreeParser::getASTFactory() const { return astFactory; }

void TreeParser::reportError(const RecognitionException& ex)
{
    std::cerr << ex.toString() << std::endl;
}

void TreeParser::reportSyntaxError(const RecognitionException& ex)
{
    reportError(ex);
    errorCounter.count();
}

void TreeParser::reportError(const std::string& s) { std::cerr << "error: " << s << std::endl; }

void TreeParser::reportWarning(const std::string& s)
{
    std::cerr << "warning: " << s << std::endl;
}

void TreeParser::traceIndent()
{
    for (int i = 0; i < traceDepth; ++i)
        std::cout << ' ';
}

void TreeParser::traceIn(const char* ruleName, ASTRefCount<AST> t)
{
    ++traceDepth;
    trace("> ", ruleName, t);
}

void TreeParser::traceOut(const char* ruleName, ASTRefCount<AST> t)
{
    trace("< ", ruleName, t);
    --traceDepth;
}

void TreeParser::match(ASTRefCount<AST> t, int expectedType)
{
    if (missing(t) || t->getType() != expectedType)
        throw MismatchedTokenException(getTokenNames(), getNumTokens(), t, expectedType, false,
                                       getFilename());
}

void TreeParser::matchNot(ASTRefCount<AST> t, int expectedType)
{
    if (missing(t) || t->getType() == expectedType)
        throw MismatchedTokenException(getTokenNames(), getNumTokens(), t, expectedType, true,
                                       getFilename());
}

std::string TreeParser::getFilename() const { return inputState->filename; }

void TreeParser::setFilename(const std::string& f) { inputState->filename = f; }

// The node is rendered before anything is written, so a failing rendering
// leaves no half line behind.
void TreeParser::trace(const char* prefix, const char* ruleName, const ASTRefCount<AST>& t)
{
    const std::string node = t.get() ? t->toString() : "null";
    traceIndent();
    std::cout << prefix << ruleName << "(" << node << ")"
              << (inputState->guessing > 0 ? " [guessing]" : "") << std::endl;
}

}
