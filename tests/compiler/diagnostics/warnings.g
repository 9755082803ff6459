parser P;
tokens { A; }
start a : A | A | A | A | A | A | A | A | A | A | A | A | A | A | A ;
