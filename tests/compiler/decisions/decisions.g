// Decisions that need more than the lookahead of one place: choices of three
// that may be skipped, lookahead after a subrule that matched nothing, what
// follows a rule at each call, predicates that gate token rules and the
// alternatives of an enclosing choice, literals that C++ could misread, and
// a non-greedy loop that must still go round once.
// Each case line is numbered by its first token; the parser prints the case
// when it matched, the error otherwise.
namespace decisions;
header {
#include <iostream>
}

parser Parser;
options { k = 2; }
tokens {
    "vor"; "mut";
    TRIGRAPHS = "??=??/??'??(??)??!??<??>??-";
    PRINTABLE = " !\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqrstuvwxyz{|}~";
}
members {
    int errors = 0;
    using orvel::LLkParser::reportError;
    void reportError(const orvel::RecognitionException& ex) override
    {
        ++errors;
        orvel::LLkParser::reportError(ex);
    }
    bool isLot() { return LT(1)->getText() == "lot"; }
}

start file : (line)* EOF ;

line
    { const int before = errors; }
    : CASE (c1 | c2 | c3 | c4 | c5 | c6 | c7 | c8 | c9) s=SEMI
      { std::cout << "line " << s->getLine() << (errors == before ? " matched\n" : " recovered\n"); }
    ;

c1 : "1" (A | B | C)? D ;
c2 : "2" (F | (A | ) (C | D)) ;
c3 : "3" (b C | D b D) ;
b : A | ;
c4 : "4" (g C | g D) ;
g : A ;
c5 : "5" (u=UP { std::cout << "UP " << u->getText() << '\n'; }
         | l=LOW { std::cout << "LOW " << l->getText() << '\n'; }
         | SW)+ ;
c6 : "6" (("vor" | "mut" | { isLot() }? LOW) B | LOW (B)?) ;
c7 : "7" (A | ) (C | D) ;
c8 : "8" TRIGRAPHS ;
c9 : "9" (options { greedy = false; } : A)+ A ;

lexer Lexer;
members {
    int errors = 0;
    bool upper = false;
    using orvel::WindowScanner::reportError;
    void reportError(const orvel::RecognitionException& ex) override
    {
        ++errors;
        orvel::WindowScanner::reportError(ex);
    }
}

A : 'a' ;
B : 'b' ;
C : 'c' ;
D : 'd' ;
F : 'f' ;
SEMI : ';' ;
CASE : '#' ;
DIGIT : '1'..'9' ;
SW : '!' { upper = !upper; } ;
UP : { upper }? ('g'..'z')+ ;
LOW : ('g'..'z')+ ;
QUOTED : '`' (~'`')* '`' { setText(getText().substr(1, getText().size() - 2)); } ;
skip WS : (' ' | '\n' { newline(); })+ ;
