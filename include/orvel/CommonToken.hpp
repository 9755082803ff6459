#ifndef ORVEL_COMMONTOKEN_HPP
#define ORVEL_COMMONTOKEN_HPP

#include <orvel/Token.hpp>

#include <cstddef>
#include <string>
#include <string_view>

namespace orvel {

// The ordinary token a scanner makes: type, text, line and column (both
// starting at 1). Like Token it keeps no file name.
class ORVEL_API CommonToken : public Token {
public:
    // Type 0, empty text, line 1, column 1.
    CommonToken() = default;
    // Type `t`, text `txt`, line 1, column 1.
    CommonToken(int t, const std::string& txt);
    // Type 0, text `s`, line 1, column 1.
    explicit CommonToken(const std::string& s);

    // Returns the column where the token starts.
    int getColumn() const override;
    // Returns the line where the token starts.
    int getLine() const override;
    // Returns a copy of the text.
    std::string getText() const override;
    // Returns the text without copying it; the view lasts while the token
    // lives and its text is not set again.
    std::string_view getTextView() const override;
    // Sets the column.
    void setColumn(int c) override;
    // Sets the line.
    void setLine(int l) override;
    // Sets the text.
    void setText(const std::string& t) override;
    // Returns ["text",<type>,line=L,column=C]; the text is not escaped.
    std::string toString() const override;

    // Returns a handle to a new default CommonToken, made as make() makes
    // its tokens: the scanner's default token object factory.
    static TokenRefCount<Token> factory();
    // Returns the only handle to a new CommonToken of type `t`, text `txt`,
    // line `l` and column `c`. The token and its count record are one block,
    // recycled per thread with the token inside: a recycled token keeps its
    // text's storage (up to 256 bytes), so that a lexer making and dropping
    // tokens at a steady rate does not reach the heap. The token is freed when
    // its last handle goes, like any other. Throws std::bad_alloc, making
    // nothing, when memory runs out.
    static TokenRefCount<Token> make(int t, std::string_view txt, int l, int c);

    // CommonTokens (not objects of derived classes, which have other sizes)
    // are recycled as TokenRef's records are: a freed one is reused by the
    // next one made on the same thread. operator new throws std::bad_alloc
    // when none is free and memory runs out.
    static void* operator new(std::size_t size);
    static void operator delete(void* token, std::size_t size) noexcept;

protected:
    int line = 1;
    int column = 1;
    std::string text;

private:
    friend struct TokenRef;
    // Takes back the block of a token that make() built, once its record's
    // count reached zero.
    static void releaseBlock(TokenRef* record) noexcept;
};

}

#endif
