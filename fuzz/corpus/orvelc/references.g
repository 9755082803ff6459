parser P;
start a : b C "lit" x=D ;
a : X ;
e : ;
lexer L;
options { k = 0; colour = red; }
X options { greedy = true; } : Y ;
fragment D : ~('a' | X) ;
