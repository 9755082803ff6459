parser P;
tokens { X; }
start a : a X | X ;
start b : c X ;
c : (X)? d ;
d : b ;
lexer L;
E : ('a')? ;
