// A markup language: text with entities, tags with attributes and quoted
// values. A tag switches the lexer into mode TAG, a quoted value into mode
// VALUE; each mode has its own tokens. A '>' outside a tag pops an empty mode
// stack, an error; the lexer stops after its fifth error.
namespace markup;

lexer Lexer;
options { errorLimit = 5; }

TEXT options { testLiterals = false; } : (~('<' | '>' | '&' | '\n') | '\n' { newline(); })+ ;
ENTITY : '&' ('a'..'z')+ ';' ;
OPEN : '<' { pushMode(TAG); } ;
STRAY : '>' { popMode(); } ;

mode TAG;
NAME : ('a'..'z')+ ;
SLASH : '/' ;
EQUALS : '=' ;
QUOTE : '"' { pushMode(VALUE); } ;
CLOSE : '>' { popMode(); } ;
skip WS : (' ' | '\n' { newline(); })+ ;

mode VALUE;
CHARS : (~('"' | '<' | '\n'))+ ;
END : '"' { popMode(); } ;

// Sections may follow the rules: the literal table makes NAME "br" a BR.
tokens { BR = "br"; }
