// Every option, a fragment, sets, the wildcard and escapes.
namespace opt::inner;
code { static int used = 0; }

parser P;
options { k = 3; defaultErrorHandler = false; nestingLimit = 20; warnAmbiguity = false; }
tokens { ID; NUM; KW_IF = "if"; "else"; }

start s [int depth] returns [int n] { int seen = 0; }
    : ( options { greedy = false; } : . )* "if" t=~("else" | NUM) { n = seen + depth; }
    | ID ID NUM? | ID ID ID+ | s2
    ;
s2 options { defaultErrorHandler = true; warnAmbiguity = true; } : (ID | NUM)+ EOF ;

lexer L;
options { k = 2; caseSensitive = false; caseSensitiveLiterals = true; testLiterals = false; }
fragment DIGIT : '0'..'9' ;
NUM : (DIGIT)+ ('.' (DIGIT)+)? ;
ID options { testLiterals = true; } : ('a'..'z' | '\x80'..'\xff') ('a'..'z' | DIGIT | '_')* ;
skip WS : (' ' | '\t' | '\r' | '\n' { newline(); })+ ;
skip COMMENT : "/*" ( options { greedy = false; } : . )* "*/" | "//" (~'\n')* ;
STR : '"' (~('"' | '\\') | '\\' .)* '"' ;
