// A lexer: characters, ranges, strings, a fragment, a skipped rule, a
// keyword from the literal table and a set too large for compares.
namespace golden;

lexer Lexer;
options { k = 2; }
tokens { "if"; }

ID : ('a'..'z' | '_') ('a'..'z' | '_' | DIGIT)* ;
NUMBER : (DIGIT)+ ('.' (DIGIT)+)? ;
fragment DIGIT : '0'..'9' ;
ARROW : "->" ;
MINUS : '-' ;
skip WS : (' ' | '\t' | '\n' { newline(); })+ ;
