lexer L;
A :  ( ;
B : 'ab' ;
C : (X)*? ;
D : ;
E : 'a' ('b')=> 'b' ;
