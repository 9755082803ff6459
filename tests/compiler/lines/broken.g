// An action with a C++ error: the compiler's message must name this file.
parser P;
tokens { A; }
start r : A
    { undefined_name = 1; }
    ;
