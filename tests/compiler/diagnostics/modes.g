// Modes are a lexer's: named once, by names no rule or token has. Sections
// may come after the rules.
parser P;
r : A ;
tokens { A; }

lexer L;
A : 'a' ;
mode M;
B : 'b' ;
mode M;
C : 'c' ;
mode A;
D : 'd' ;
mode for;
options { tabSize = 0; errorLimit = 5; }
E : 'é' | '\u00E9'..'\u00FF' ;
