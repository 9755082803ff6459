parser P;
options { buildAST = true; }
tokens { A; B; C; D; E; F; G; LIST; }
start r
    : A (B)? -> #(A B)
    | B (C)* -> #(B C)
    | a=C b=D -> #(a a x)
    | D B^ -> #[NOPE]
    | E (B -> B) C -> ((B)*)? (#[LIST])*
    | F s "," s -> #(#[LIST] s)
    | G (s)* -> #(#[LIST] (s)*)
    ;
s : A | B -> B | C (A | B A) -> C A B | x ;
x : x "+"^ x -> x | l=x "*" r=x -> #(#[LIST] l r l) | A ;
parser Q;
q : A -> A ;
treeparser T;
t : A -> A ;
lexer L;
X : 'x' -> X ;
