#ifndef ORVELC_READER_GRAMMARTOKENS_HPP
#define ORVELC_READER_GRAMMARTOKENS_HPP

// Token types of the grammar language, shared by its lexer and parser.

namespace orvelc {

enum GrammarToken : int {
    ID = 4,
    STRING,
    CHAR,
    INT,
    ACTION,
    ARG,
    COLON,
    COLONCOLON,
    SEMI,
    OR,
    LPAREN,
    RPAREN,
    QUESTION,
    STAR,
    PLUS,
    NOT,
    DOT,
    RANGE,
    ASSIGN,
    LBRACE,
    RBRACE,
    K_NAMESPACE,
    K_IMPORT,
    K_HEADER,
    K_CODE,
    K_LEXER,
    K_PARSER,
    K_OPTIONS,
    K_TOKENS,
    K_MEMBERS,
    K_RETURNS,
    K_FRAGMENT,
    K_SKIP,
    K_START,
    K_TREEPARSER,
    K_EXCEPTION,
    CARET,
    BANG,
    IMPLIES,
    TREE_BEGIN,
    AT,
    NODE_TYPE,
    ARROW,
    NODE_BEGIN,
    COMMA,
    RBRACKET,
    NUM_GRAMMAR_TOKENS
};

extern const char* const grammarTokenNames[NUM_GRAMMAR_TOKENS];

}

#endif
