// A scripting language with what real languages ask of the lexer-parser
// boundary. '/' divides after a value and starts a regular expression
// elsewhere (the lexer looks at prevType()). A line end ends a statement
// where a ';' could stand, and `return` takes a value only on its own line
// (the parser asks newlineBefore()). `match` and `of` are keywords only
// where the grammar names them; elsewhere they are names. The parser prints
// each statement it recognizes, and stops at its third error.
namespace script;
header {
#include <iostream>
#include <string>
}

parser Parser;
options { k = 2; errorLimit = 3; }
tokens { soft "match"; soft "of"; RPAREN = ")"; }

program : (statement)* EOF ;

statement
    : "let" n=NAME "=" e=expr end { std::cout << "let " << n->getText() << " = " << e << '\n'; }
    | "return" { std::cout << "return"; }
        ({ !newlineBefore(1) }? e=expr { std::cout << ' ' << e; })? end { std::cout << '\n'; }
    | "match" e=expr "of" w=expr end { std::cout << "match " << e << " of " << w << '\n'; }
    | e=expr end { std::cout << e << '\n'; }
    ;

// The end of a statement: a ';', or a line end before the next token.
end : ";" | { newlineBefore(1) || LA(1) == orvel::Token::EOF_TYPE }? ;

expr returns [std::string v]
    : v=atom ("/" w=atom { v = "(" + v + " / " + w + ")"; })*
    ;

atom returns [std::string v]
    : n=NAME { v = n->getText(); }
    | n=NUMBER { v = n->getText(); }
    | r=REGEX { v = "regex " + r->getText(); }
    | "(" v=expr ")"
    ;

lexer Lexer;

NAME : ('a'..'z')+ ;
NUMBER options { testLiterals = false; } : ('0'..'9')+ ;
// After a value, '/' divides; elsewhere it starts a regular expression.
REGEX options { testLiterals = false; }
    : { prevType() != NAME && prevType() != NUMBER && prevType() != RPAREN }?
      '/' (~('/' | '\n'))+ '/'
    ;
PUNCT : '/' | '=' | ';' | '(' | ')' ;
skip WS : (' ' | '\t' | '\n' { newline(); })+ ;
