lexer L;
A :  ( ;
B : 'ab' ;
C : (X)*? ;
D : ;
