#ifndef ORVEL_TOKEN_HPP
#define ORVEL_TOKEN_HPP

#include <orvel/Export.hpp>
#include <orvel/TokenRef.hpp>
#include <orvel/TokenRefCount.hpp>

#include <string>
#include <string_view>

namespace orvel {

// The base of all tokens: a type code and nothing else. Its getters answer
// neutral values (line and column 0, text "<no text>") and its setters for
// text and position ignore their argument; CommonToken stores them.
// Tokens are held through TokenRefCount handles, which free them.
class ORVEL_API Token {
public:
    static constexpr int INVALID_TYPE = 0;
    static constexpr int EOF_TYPE = 1;
    static constexpr int NULL_TREE_LOOKAHEAD = 3;
    static constexpr int MIN_USER_TYPE = 4;
    static constexpr int SKIP = -1;

    // A token of type INVALID_TYPE.
    Token() = default;
    // A token of type `t`.
    explicit Token(int t) : type(t) {}
    Token(const Token&) = delete;
    Token& operator=(const Token&) = delete;

    virtual ~Token() = default;
    // Returns 0.
    virtual int getColumn() const;
    // Returns 0.
    virtual int getLine() const;
    // Returns "<no text>".
    virtual std::string getText() const;
    // Returns the shared emptyString: tokens keep no file name.
    virtual const std::string& getFilename() const;
    // Returns the type.
    virtual int getType() const;
    // Ignored.
    virtual void setColumn(int c);
    // Ignored.
    virtual void setLine(int l);
    // Ignored.
    virtual void setText(const std::string& t);
    // Sets the type.
    virtual void setType(int t);
    // Ignored.
    virtual void setFilename(const std::string& file);
    // Returns ["text",<type>].
    virtual std::string toString() const;
    // Returns what getText() returns, without copying it where the token
    // stores its text: the view lasts while the token lives and its text is
    // not set again. Here a view of "<no text>". A class that overrides
    // getText() overrides this too.
    virtual std::string_view getTextView() const;

    // Returns whether a line end came between the previous token and this
    // one, as the lexer that made it noted (false unless noted).
    bool getNewlineBefore() const { return newlineBefore; }
    // Notes whether a line end came before this token.
    void setNewlineBefore(bool v) { newlineBefore = v; }

protected:
    friend struct TokenRef;

    // The token's count record; set by the first handle, kept for life.
    TokenRef* ref = nullptr;
    int type = INVALID_TYPE;
    bool newlineBefore = false;
};

// The empty token handle, returned wherever there is no token to give.
extern ORVEL_API const TokenRefCount<Token> nullToken;

// The empty string that Token::getFilename() returns.
extern ORVEL_API const std::string emptyString;

}

#endif
