// A statement language that needs two tokens of lookahead: assignments,
// calls and labels all begin with a name. Its lexer is in stmtslex.g, which
// imports this file's vocabulary.
namespace stmts;
header {
#include <iostream>
}

parser StmtParser;
options { k = 2; }
tokens { NAME; NUMBER; }
members {
    int errors = 0;
    using orvel::LLkParser::reportError;
    void reportError(const orvel::RecognitionException& ex) override
    {
        ++errors;
        orvel::LLkParser::reportError(ex);
    }
}

start program : (statement)* EOF ;

statement
    { std::string what; }
    : n=NAME "=" v=expr ";" { std::cout << "assign " << n->getText() << " = " << v << '\n'; }
    | n=NAME "(" (arguments[what])? ")" ";" { std::cout << "call " << n->getText() << '(' << what << ")\n"; }
    | n=NAME ":" { std::cout << "label " << n->getText() << '\n'; }
    | "goto" n=NAME ";" { std::cout << "goto " << n->getText() << '\n'; }
    ;

arguments[std::string& out]
    : v=expr { out = std::to_string(v); } ("," v=expr { out += ", " + std::to_string(v); })* ;

expr returns [long v]
    : v=term ("+" w=term { v += w; } | "-" w=term { v -= w; })* ;
term returns [long v]
    : v=atom ("*" w=atom { v *= w; })* ;
atom returns [long v]
    : n=NUMBER { v = std::stol(n->getText()); }
    | "(" v=expr ")"
    | "-" w=atom { v = -w; }
    ;
