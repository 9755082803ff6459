#include <orvel/CommonToken.hpp>

#include <orvel/TextUtils.hpp>

#include "foundations/Recycler.hpp"

#include <new>

namespace orvel {

namespace {

// A token made by make() together with its count record. While the block is
// free the token stays constructed, keeping its text's storage for the next.
// The record's storage comes first, so the record's address is the block's.
struct TokenBlock {
    alignas(TokenRef) unsigned char record[sizeof(TokenRef)];
    CommonToken token;
    TokenBlock* next = nullptr;
};

// A freed block keeps at most this much text storage.
constexpr std::size_t keptTextCapacity = 256;

// The free blocks of one thread, at most keptFreeBlocks; plain data, so that
// it can still be used while the thread's other objects are destroyed.
struct FreeBlocks {
    TokenBlock* head;
    unsigned int count;
    // Whether the closer below has been made on this thread.
    bool armed;
    bool closed;
};
thread_local FreeBlocks freeBlocks ORVEL_FAST_TLS{nullptr, 0, false, false};

// Frees the thread's free blocks when the thread ends; made when the first
// block is freed on the thread.
struct FreeBlocksCloser {
    void touch() {}
    ~FreeBlocksCloser()
    {
        freeBlocks.closed = true;
        while (TokenBlock* block = freeBlocks.head) {
            freeBlocks.head = block->next;
            delete block;
        }
    }
};
thread_local FreeBlocksCloser freeBlocksCloser;

TokenBlock* takeBlock()
{
    if (TokenBlock* block = freeBlocks.head) {
        freeBlocks.head = block->next;
        --freeBlocks.count;
        return block;
    }
    return new TokenBlock;
}

void giveBlock(TokenBlock* block) noexcept
{
    if (!detail::recyclesFreedObjects || freeBlocks.closed || freeBlocks.count == detail::keptFreeBlocks) {
        delete block;
        return;
    }
    if (!freeBlocks.armed) {
        freeBlocksCloser.touch();
        freeBlocks.armed = true;
    }
    block->next = freeBlocks.head;
    freeBlocks.head = block;
    ++freeBlocks.count;
}

}

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

std::string_view CommonToken::getTextView() const { return text; }

TokenRefCount<Token> CommonToken::factory() { return make(INVALID_TYPE, {}, 1, 1); }

TokenRefCount<Token> CommonToken::make(int t, std::string_view txt, int l, int c)
{
    TokenBlock* block = takeBlock();
    CommonToken& token = block->token;
    try {
        // Cheaper than assign(): the text is never part of `txt`.
        token.text.clear();
        token.text.append(txt);
    } catch (...) {
        giveBlock(block);
        throw;
    }
    token.type = t;
    token.line = l;
    token.column = c;
    token.ref = nullptr;
    TokenRef* record = ::new (block->record) TokenRef(&token);
    record->inBlock = true;
    // The handle made below takes the first share.
    record->count = 0;
    return TokenRefCount<Token>(&token);
}

void CommonToken::releaseBlock(TokenRef* record) noexcept
{
    auto* block = reinterpret_cast<TokenBlock*>(record);
    if (block->token.text.capacity() > keptTextCapacity)
        std::string().swap(block->token.text);
    giveBlock(block);
}

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
