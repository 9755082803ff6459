parser P;
tokens { A; B; C; }
start r : A B | A C | A B C ;
start s : (A)* A B ;
start t : (options { greedy = true; } : A)* A C ;
start u options { warnAmbiguity = false; } : A | A B ;

lexer L;
options { k = 2; }
IF : "if" ;
ID : ('a'..'z')+ ;
