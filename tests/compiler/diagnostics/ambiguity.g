parser P;
tokens { A; B; C; }
start r : A B | A C | A B C ;
start s : (A)* A B ;
start t : (options { greedy = true; } : A)* A C ;
start u options { warnAmbiguity = false; } : A | A B ;
// The operator A may also follow e: the loop keeps it. The other operators
// (and the exit after "-" e) are told apart by precedence: no warning.
start v : e A C ;
e : e A B | e "*" e | "-" e | "(" e ")" | B ;

lexer L;
options { k = 2; }
IF : "if" ;
ID : ('a'..'z')+ ;
