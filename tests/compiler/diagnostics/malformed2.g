lexer L;
A :  ( ;
B : 'ab' ;
C : (X)*? ;
D : ;
E : 'a' ('b')=> 'b' ;
parser P;
r : A ;
mode M;
