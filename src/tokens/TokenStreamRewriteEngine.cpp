#include <orvel/TokenStreamRewriteEngine.hpp>

#include <orvel/TextUtils.hpp>
#include <orvel/TokenStreamException.hpp>

#include <algorithm>
#include <limits>
#include <sstream>

namespace orvel {

namespace {

using RewriteOperation = TokenStreamRewriteEngine::RewriteOperation;

// Writes text in front of the token at its index; unchanged tokens continue
// at that same token.
class InsertBeforeOp : public RewriteOperation {
public:
    InsertBeforeOp(unsigned long index, const std::string& text) : index(index), text(text) {}

    unsigned long render(std::ostream& out) override
    {
        out << text;
        return index;
    }
    unsigned long getIndex() const override { return index; }

private:
    unsigned long index;
    std::string text;
};

// Stands for the tokens from its index to `last`: writes its text instead of
// them (nothing when removing); unchanged tokens continue after `last`.
class ReplaceOp : public RewriteOperation {
public:
    ReplaceOp(unsigned long from, unsigned long last, const std::string& text)
        : from(from), last(last), text(text)
    {
    }

    unsigned long render(std::ostream& out) override
    {
        out << text;
        return last == std::numeric_limits<unsigned long>::max() ? last : last + 1;
    }
    unsigned long getIndex() const override { return from; }

private:
    unsigned long from;
    unsigned long last;
    std::string text;
};

bool compareOperationIndex(const std::unique_ptr<RewriteOperation>& a,
                           const std::unique_ptr<RewriteOperation>& b)
{
    return a->getIndex() < b->getIndex();
}

std::unique_ptr<RewriteOperation> replacement(unsigned long from, unsigned long to, const std::string& text)
{
    if (from > to)
        throw TokenStreamException(std::string("TokenStreamRewriteEngine: cannot rewrite tokens from ")
                                   + from + " to " + to + ": the range is reversed");
    return std::make_unique<ReplaceOp>(from, to, text);
}

}

TokenStreamRewriteEngine::RewriteOperation::~RewriteOperation() = default;

TokenStreamRewriteEngine::TokenStreamRewriteEngine(TokenStream& input) : input(input) {}

TokenStreamRewriteEngine::TokenStreamRewriteEngine(TokenStream& input, unsigned long initialSize)
    : input(input)
{
    tokens.reserve(initialSize);
}

TokenStreamRewriteEngine::~TokenStreamRewriteEngine() = default;

TokenRefCount<Token> TokenStreamRewriteEngine::nextToken()
{
    for (;;) {
        TokenRefCount<Token> token = input.nextToken();
        if (!token)
            return token;
        auto* indexed = dynamic_cast<TokenWithIndex*>(token.get());
        if (!indexed)
            throw TokenStreamException("TokenStreamRewriteEngine: the input token is not a TokenWithIndex: "
                                       + token->toString());
        const int ttype = indexed->getType();
        indexed->setIndex(nextIndex++);
        if (ttype == Token::EOF_TYPE)
            return token;
        tokens.emplace_back(indexed);
        if (!discardMask.member(static_cast<unsigned int>(ttype)))
            return token;
    }
}

void TokenStreamRewriteEngine::discard(int ttype)
{
    if (ttype < 0)
        throw TokenStreamException(std::string("TokenStreamRewriteEngine: cannot discard the negative token type ")
                                   + ttype);
    discardMask.add(static_cast<unsigned int>(ttype));
}

unsigned long TokenStreamRewriteEngine::size() const { return tokens.size(); }

TokenRefCount<TokenWithIndex> TokenStreamRewriteEngine::getToken(unsigned long i) const
{
    if (i >= tokens.size())
        throw TokenStreamException(std::string("TokenStreamRewriteEngine: no token at position ") + i
                                   + ", " + size() + " kept");
    return tokens[i];
}

void TokenStreamRewriteEngine::insertBefore(const std::string& programName, unsigned long index,
                                            const std::string& text)
{
    addToSortedRewriteList(programName, new InsertBeforeOp(index, text));
}

void TokenStreamRewriteEngine::insertBefore(unsigned long index, const std::string& text)
{
    insertBefore(DEFAULT_PROGRAM_NAME, index, text);
}

void TokenStreamRewriteEngine::insertAfter(const std::string& programName, unsigned long index,
                                           const std::string& text)
{
    insertBefore(programName, index == std::numeric_limits<unsigned long>::max() ? index : index + 1, text);
}

void TokenStreamRewriteEngine::insertAfter(unsigned long index, const std::string& text)
{
    insertAfter(DEFAULT_PROGRAM_NAME, index, text);
}

void TokenStreamRewriteEngine::replace(const std::string& programName, unsigned long from, unsigned long to,
                                       const std::string& text)
{
    addToSortedRewriteList(programName, replacement(from, to, text).release());
}

void TokenStreamRewriteEngine::replace(unsigned long from, unsigned long to, const std::string& text)
{
    replace(DEFAULT_PROGRAM_NAME, from, to, text);
}

void TokenStreamRewriteEngine::replace(const std::string& programName, unsigned long index,
                                       const std::string& text)
{
    replace(programName, index, index, text);
}

void TokenStreamRewriteEngine::replace(unsigned long index, const std::string& text)
{
    replace(DEFAULT_PROGRAM_NAME, index, index, text);
}

void TokenStreamRewriteEngine::remove(const std::string& programName, unsigned long from, unsigned long to)
{
    replace(programName, from, to, "");
}

void TokenStreamRewriteEngine::remove(unsigned long from, unsigned long to)
{
    remove(DEFAULT_PROGRAM_NAME, from, to);
}

void TokenStreamRewriteEngine::remove(const std::string& programName, unsigned long index)
{
    remove(programName, index, index);
}

void TokenStreamRewriteEngine::remove(unsigned long index) { remove(DEFAULT_PROGRAM_NAME, index, index); }

void TokenStreamRewriteEngine::addToSortedRewriteList(const std::string& programName,
                                                      RewriteOperation* operation)
{
    std::unique_ptr<RewriteOperation> op(operation);
    if (!op)
        return;
    Program& program = programs[programName];
    const auto place = std::upper_bound(program.begin(), program.end(), op, compareOperationIndex);
    program.insert(place, std::move(op));
}

void TokenStreamRewriteEngine::rollback(const std::string& programName, unsigned long instructionIndex)
{
    const auto found = programs.find(programName);
    if (found == programs.end() || instructionIndex >= found->second.size())
        return;
    Program& program = found->second;
    program.erase(program.begin() + static_cast<Program::difference_type>(instructionIndex), program.end());
}

void TokenStreamRewriteEngine::rollback(unsigned long instructionIndex)
{
    rollback(DEFAULT_PROGRAM_NAME, instructionIndex);
}

void TokenStreamRewriteEngine::toStream(std::ostream& out, const std::string& programName, unsigned long first,
                                        unsigned long last) const
{
    if (tokens.empty())
        return;
    const auto found = programs.find(programName);
    if (found == programs.end())
        return;
    const Program& program = found->second;
    last = std::min<unsigned long>(last, tokens.size() - 1);

    auto current = program.begin();
    unsigned long cursor = first;
    while (cursor <= last) {
        if (current != program.end()) {
            const unsigned long limit = std::min((*current)->getIndex(), last);
            for (; cursor < limit; ++cursor)
                out << tokens[cursor]->getText();
            for (; current != program.end() && (*current)->getIndex() == cursor && cursor <= last; ++current)
                cursor = (*current)->render(out);
        }
        if (cursor <= last)
            out << tokens[cursor++]->getText();
    }
    for (; current != program.end(); ++current)
        (*current)->render(out);
}

void TokenStreamRewriteEngine::originalToStream(std::ostream& out, unsigned long start, unsigned long end) const
{
    end = std::min<unsigned long>(end, tokens.size());
    for (unsigned long i = start; i < end; ++i)
        out << tokens[i]->getText();
}

void TokenStreamRewriteEngine::toDebugStream(std::ostream& out, unsigned long start, unsigned long end) const
{
    end = std::min<unsigned long>(end, tokens.size());
    for (unsigned long i = start; i < end; ++i) {
        const TokenWithIndex& token = *tokens[i];
        out << "[txt='" << token.getText() << "' tp=" << token.getType() << " idx=" << token.getIndex() << "]\n";
    }
}

std::string TokenStreamRewriteEngine::toString(const std::string& programName) const
{
    std::ostringstream out;
    toStream(out, programName, MIN_TOKEN_INDEX, size());
    return out.str();
}

std::string TokenStreamRewriteEngine::toString() const { return toString(DEFAULT_PROGRAM_NAME); }

std::string TokenStreamRewriteEngine::toOriginalString() const
{
    std::ostringstream out;
    originalToStream(out, MIN_TOKEN_INDEX, size());
    return out.str();
}

}
