// One warning of each name, for the warning options.
parser P;
tokens { A; B; }
start r : A | A B ;
unused : B ;
