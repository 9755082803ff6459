// A left-recursive rule for expressions: binary operators on several levels,
// to the left and to the right, prefix and suffix forms (calls, subscripts,
// member access), a conditional, labels on the left operand, return values,
// tree operators and a tree built in an action. Each line prints its tree
// and its value.
namespace climbing;
header {
#include <iostream>
}

parser Parser;
options { buildAST = true; }
tokens { CALL; NEG; }
members {
    static long power(long base, long exponent)
    {
        long result = 1;
        for (long i = 0; i < exponent; ++i)
            result *= base;
        return result;
    }
}

start file : (line)* EOF! ;

line
    : e=expr ";"! { std::cout << ##->toStringTree() << " = " << e << '\n'; }
    ;

// From the tightest to the loosest.
expr returns [long v]
    : ! f=expr "(" (a=args)? ")" { ## = #(#[CALL, "call"], #f, #a); v = f + 1000; }
    | s=expr "["^ i=expr "]"! { v = s * 10 + i; }
    | expr "."^ NAME { v = -v; }
    | expr "^"^ <assoc = right> e=expr { v = power(v, e); }
    | ! "-" u=expr { ## = #(#[NEG, "neg"], #u); v = -u; }
    | l=expr (o="*"^ | o="/"^) r=expr { v = o->getText() == "*" ? l * r : l / r; }
    | l=expr (o="+"^ | o="-"^) r=expr { v = o->getText() == "+" ? l + r : l - r; }
    | "not"^ e=expr { v = !e; }
    | c=expr "?"^ t=expr ":"! <assoc = right> e=expr { v = c ? t : e; }
    | n=NUM { v = std::stol(n->getText()); }
    | NAME
    | "("! e=expr ")"! { v = e; }
    ;

args : expr (","! expr)* ;

lexer Lexer;
skip WS : (' ' | '\n' { newline(); })+ ;
NAME : ('a'..'z')+ ;
NUM options { testLiterals = false; } : ('0'..'9')+ ;
PUNCT : '(' | ')' | '[' | ']' | '.' | '^' | '-' | '*' | '/' | '+' | '?' | ':' | ',' | ';' ;
