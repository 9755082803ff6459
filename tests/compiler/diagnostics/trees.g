parser P;
options { buildAST = true; }
tokens { A; B; }
start s : A^ b! | (A)=> A ;
b : #(A B) ;
parser Q;
r : A^ | ! B ;
treeparser T;
options { k = 2; buildAST = true; }
t : #(A B) | #((A | B) .) ;
