// A language in UTF-8: names in Latin, Greek, Cyrillic and CJK letters,
// strings of any characters (emoji too), and an emoji token. Input that is
// no UTF-8 is an error where it stands.
namespace unicode;

lexer Lexer;
options { unicode = true; }

NAME : LETTER (LETTER | '0'..'9')* ;
fragment LETTER
    : 'a'..'z' | 'A'..'Z' | '_' | '\u00C0'..'\u024F' | '\u0370'..'\u03FF'
    | '\u0400'..'\u04FF' | '\u4E00'..'\u9FFF'
    ;
STRING : '"' (~('"' | '\n'))* '"' ;
EMOJI : '\u{1F600}'..'\u{1F64F}' ;
PUNCT : '=' | ';' | '≠' | '\u2192' ;
ANY : '\\' . ;
skip WS : (' ' | '\n' { newline(); })+ ;
