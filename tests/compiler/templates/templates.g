// Tree templates: each statement's tree is printed as a list, "(none)" for
// an empty one. Calls, tuples, lists and subscripts of a small Python-like
// language, optional parts, nested trees, elements collected in loops and
// built in step, a rule reference as a root, new nodes with and without
// text, and template alternatives beside automatic ones and after a
// syntactic predicate. `#[LIST]` has no text: a list prints as `(  a b )`,
// an empty one as an empty line.
namespace templates;
header {
#include <iostream>
}

parser Parser;
options { buildAST = true; k = 2; }
tokens { CALL; TUPLE; LIST; INDEX; ASSIGN; PARAMS; DICT; PAIR; NEG; OPTS; }

start file : (line)* EOF ;

line
    : statement ";"!
      { std::cout << (## ? ##->toStringList().substr(1) : std::string("(none)")) << '\n'; }
    ;

statement
    : (NAME "=")=> n=NAME "=" atom -> #(#[ASSIGN, "="] n atom)
    | d="def" NAME "(" (params)? ")" (":" t=NAME)? -> #(d NAME #(#[PARAMS, "params"] (params)?) (t)?)
    | "pass" ->
    | "opts" (k=NAME ("=" v=NUM)?)+ -> #(#[OPTS, "opts"] (k v)*)
    | "both" a=atom "," b=atom -> b a
    | "calc" l=atom o=op r=atom -> #(o l r)
    | atom
    ;

params : NAME ("," NAME)* -> (NAME)* ;

op : "+" | "-" ;

atom
    : NUM
    | n=NAME "(" (a=args)? ")" -> #(#[CALL, "call"] n (a)?)
    | NAME "[" atom "]" -> #(#[INDEX, "[]"] NAME atom)
    | NAME
    | "(" atom "," (atom ("," atom)*)? ")" -> #(#[TUPLE, "tuple"] (atom)*)
    | "[" (item ("," item)*)? "]" -> #(#[LIST] (item)*)
    | "{" (k=NAME ":" v=atom ("," k=NAME ":" v=atom)*)? "}" -> #(#[DICT, "dict"] (#(#[PAIR, "pair"] k v))*)
    | "-" atom -> #(#[NEG, "neg"] atom)
    ;

args : atom ("," atom)* -> (atom)* ;

item : atom ;

lexer Lexer;

skip WS : (' ' | '\t' | '\n' { newline(); })+ ;
NAME : ('a'..'z' | 'A'..'Z' | '_')+ ;
NUM : ('0'..'9')+ ;
PUNCT : '=' | ';' | '(' | ')' | '[' | ']' | '{' | '}' | ',' | ':' | '+' | '-' ;
