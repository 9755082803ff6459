// An indentation-sensitive language. The indentation of a line opens a block
// (INDENT) or closes blocks (one DEDENT each, several at once); blank lines
// and comment lines do not count, nor do line ends inside brackets. A tab
// stops every 4 columns, so a tab indents as far as four blanks. The end of
// input ends the last line and closes every block.
namespace indent;
header {
#include <vector>
}

lexer Lexer;
options { tabSize = 4; }
tokens { INDENT; DEDENT; }
members {
    // The columns of the open blocks, the outermost first.
    std::vector<int> levels{1};
    int brackets = 0;

    // Emits a token of `type` at the current position.
    void emitHere(int type)
    {
        orvel::TokenRefCount<orvel::Token> t = makeToken(type);
        t->setLine(getLine());
        t->setColumn(getColumn());
        emit(t);
    }

    // Opens or closes blocks for a line that starts at `column`.
    void indentTo(int column)
    {
        if (column > levels.back()) {
            levels.push_back(column);
            emitHere(INDENT);
        }
        while (column < levels.back()) {
            levels.pop_back();
            emitHere(DEDENT);
        }
    }

    void uponEOF() override
    {
        if (prevType() != NEWLINE && prevType() != orvel::Token::INVALID_TYPE)
            emitHere(NEWLINE);
        indentTo(1);
    }
}

NAME : ('a'..'z' | 'A'..'Z' | '_') ('a'..'z' | 'A'..'Z' | '_' | '0'..'9')* ;
NUMBER : ('0'..'9')+ ;
PUNCT : ':' | '=' | '+' | ',' ;
OPEN : '(' { ++brackets; } | '[' { ++brackets; } ;
CLOSE : ')' { --brackets; } | ']' { --brackets; } ;
skip WS : (' ' | '\t')+ ;
// A line end with the blank and comment lines after it; what follows it
// decides the blocks.
NEWLINE
    : ('\n' { newline(); } (' ' | '\t')* ('#' (~'\n')*)?)+
        {
            setText("\n");
            if (brackets > 0)
                ttype_ = orvel::Token::SKIP;
            else if (LA(1) != EOF_CHAR)
                indentTo(getColumn());
        }
    ;
skip COMMENT : '#' (~'\n')* ;
