// Tree building with every operator and the action notation, a tree parser
// walking the trees, syntactic predicates in the parser and the lexer,
// semantic predicates that gate and validate, and a rule's own exception
// handler. Each statement's tree is printed, then walked.
namespace trees;
header {
#include <orvel/CommonAST.hpp>
#include <orvel/CommonASTWithPosition.hpp>
#include <iostream>
}

parser Builder;
options { buildAST = true; nodeType = "orvel::CommonASTWithPosition"; nestingLimit = 200; }
tokens { BLOCK; CALL; NEG; NUM<orvel::CommonAST>; NAME; }
members {
    int errors = 0;
    int calls = 0;  // counted by an action: not while guessing
    int runs = 0;   // counted by an @ action: guesses too
    bool strict = false;
    using orvel::LLkParser::reportError;
    void reportError(const orvel::RecognitionException& ex) override
    {
        ++errors;
        orvel::LLkParser::reportError(ex);
    }
}

start program
    : (statement)* EOF! { std::cout << "calls " << calls << ", call rule runs " << runs << '\n'; }
    ;

statement
    : stat ";"!
      {
          if (##) {
              std::cout << ##->toStringTree() << '\n';
              Walker walker;
              walker.setFilename(getFilename());
              walker.stat(##);
          }
      }
    ;

stat
    : (call)=> call
    | "let"^ (NAME | NUM) "="! expr
    | "print"^ expr (","! expr)*
    | "strict" { strict = true; }
    | block
    | expr
    ;

call!
    : n=NAME "(" (a=args)? ")" @{ ++runs; }
      { ++calls; ## = #(#[CALL, "call"], #n, #a); }
    ;

args : expr (","! expr)* ;

block
    : "{"! (statement)* "}"! { ## = #(#[BLOCK, "block"], ##); }
    ;
    exception catch [const orvel::RecognitionException& e] {
        ++errors;
        std::cout << "block abandoned: " << e.getMessage() << '\n';
    }

expr : term (("+"^ | "-"^) term)* ;
term : value ("*"^ value)* ;

value
    : { strict }? n=NUM { n->getText().size() < 4 }?
    | NUM
    | NAME
    | "("! expr ")"!
    | ! "-" a=value { #value = #(#[NEG, "neg"], #a); }
    ;

treeparser Walker;
options { nestingLimit = 20; }

stat
    : #("let" n=NAME v=expr) { std::cout << "  " << n->getText() << " := " << v << '\n'; }
    | #("print" v=expr) { std::cout << "  print " << v << '\n'; }
    | (#(CALL NAME))=> #(CALL f=NAME) { std::cout << "  call " << f->getText() << " without arguments\n"; }
    | #(CALL f=NAME (.)*) { std::cout << "  call " << f->getText() << '\n'; }
    | #(BLOCK (stat)*)
    | "strict"
    | v=expr { std::cout << "  value " << v << '\n'; }
    ;

expr returns [double v]
    : #("+" a=expr b=expr) { v = a + b; }
    | #("-" a=expr b=expr) { v = a - b; }
    | #("*" a=expr b=expr) { v = a * b; }
    | #(NEG a=expr) { v = -a; }
    | n=NUM { v = std::stod(n->getText()); std::cout << "  " << n->typeName() << ' ' << n->getText() << '\n'; }
    | x=NAME { std::cout << "  " << x->typeName() << ' ' << x->getText() << '\n'; }
    ;

lexer Lexer;
members {
    int errors = 0;
}

skip WS : (' ' | '\t' | '\n' { newline(); })+ ;
skip COMMENT : "//" (~'\n')* ;
NAME : ('a'..'z' | 'A'..'Z')+ ;
NUM options { testLiterals = false; }
    : (('0'..'9')+ '.')=> ('0'..'9')+ '.' ('0'..'9')*
    | ('0'..'9')+
    ;
PUNCT : '=' | ';' | '(' | ')' | '{' | '}' | '+' | '-' | '*' | ',' ;
