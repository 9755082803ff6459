// Grammars whose C++ could not compile or whose recognizer could not end.
parser template;
tokens { STAR = "*"; MUL = "*"; int; A__B; _Low; }
start r : x=STAR (y_=STAR)? (_X=STAR)? | class ;
class : (STAR?)* MUL | (c)+ ;
c : STAR | ;
forever : STAR forever ;
