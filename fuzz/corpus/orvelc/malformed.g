parser P;
start a : "open ;
b : X { unclosed ;
