parser P;
tokens { X; Y; Z; }
start a : a X | X ;
start b : c X ;
c : (X)? d ;
d : b ;
start e : (X)? e Y | Z ;
start f : f X ;
start g : g | g X? | g Y | X ;
start h : "-" <assoc = right> h | h X <assoc = up> h | X <colour = red> ;
start i : j X ;
j : i Y | i Z <assoc = right> | X ;
lexer L;
E : ('a')? ;
