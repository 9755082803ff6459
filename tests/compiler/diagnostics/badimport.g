// A vocabulary with a malformed line, and a name for one of its literals.
import badvocab;
parser P;
tokens { MUL = "*"; }
start r : STAR ;
