// Sums of whole numbers, one per statement: print 1 + 20 + 300;
namespace sums;
header {
#include <orvel/ErrorPresenter.hpp>
#include <iostream>
}

parser SumParser;
members {
    // Shows each syntax error under its source line; set it before program().
    const orvel::ErrorPresenter* presenter = nullptr;
    int errors = 0;

    using orvel::LLkParser::reportError;
    void reportError(const orvel::RecognitionException& ex) override
    {
        ++errors;
        presenter->present(std::cerr, ex);
    }
}

start program : (statement)* EOF ;
statement : "print" v=sum ";" { std::cout << v << '\n'; } ;
sum returns [long v]
    : n=INT { v = std::stol(n->getText()); } ("+" m=INT { v += std::stol(m->getText()); })* ;

lexer SumLexer;
skip WS : (' ' | '\t' | '\n' { newline(); })+ ;
INT options { testLiterals = false; } : ('0'..'9')+ ;
WORD : ('a'..'z')+ ;
PUNCT : '+' | ';' ;
