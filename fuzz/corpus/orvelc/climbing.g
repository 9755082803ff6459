parser P;
options { buildAST = true; }
tokens { CALL; A; B; }
start s : e EOF ;
e returns [int v]
    : ! f=e "(" (a=e)? ")" { ## = #(#[CALL], #f, #a); }
    | e "."^ A
    | e "^"^ <assoc = right> e
    | "-"^ e
    | l=e ("*"^ | "/"^) r=e { v = l * r; }
    | e "?"^ e ":"! e
    | A
    | "("! e ")"!
    ;
