// Sums and products of integers, one statement per line ending in ";".
namespace calc;
header {
#include <iostream>
}

parser CalcParser;
options { k = 2; }

start program : (statement)* EOF ;
statement : "print" v=expr ";" { std::cout << v << '\n'; } ;
expr returns [long v] : v=term ("+" w=term { v += w; })* ;
term returns [long v] : v=atom ("*" w=atom { v *= w; })* ;
atom returns [long v]
    : n=INT { v = std::stol(n->getText()); }
    | "(" v=expr ")"
    ;

lexer CalcLexer;
skip WS : (' ' | '\t' | '\n' { newline(); })+ ;
INT options { testLiterals = false; } : ('0'..'9')+ ;
WORD : ('a'..'z')+ ;
PUNCT : '+' | '*' | '(' | ')' | ';' ;
