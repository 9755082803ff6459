// A left-recursive rule for expressions: binary operators on several levels,
// to the left and to the right, prefix and suffix forms (calls, subscripts,
// member access), a conditional, labels on the left operand, return values,
// tree operators and a tree built in an action; then the same forms building
// their trees with templates. Each line prints its tree, and its value where
// it has one.
namespace climbing;
header {
#include <iostream>
}

parser Parser;
options { buildAST = true; }
tokens { CALL; NEG; ADD; MUL; }
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
    | "tree"! tree ";"! { std::cout << ##->toStringTree() << '\n'; }
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

// The left operand, named by its label or by the rule's name, is the tree so
// far; the tree a template builds becomes the tree so far.
tree
    : f=tree "(" (a=tree)? ")" -> #(#[CALL, "call"] f (a)?)
    | tree "." NAME -> #(NAME tree)
    | "-" u=tree -> #(#[NEG, "neg"] u)
    | l=tree "*" r=tree -> #(#[MUL, "mul"] l r)
    | tree "+" tree -> #(#[ADD, "add"] (tree)*)
    | tree "^"^ <assoc = right> tree
    | NUM
    | NAME
    | "(" tree ")" -> tree
    ;

lexer Lexer;
skip WS : (' ' | '\n' { newline(); })+ ;
NAME : ('a'..'z')+ ;
NUM options { testLiterals = false; } : ('0'..'9')+ ;
PUNCT : '(' | ')' | '[' | ']' | '.' | '^' | '-' | '*' | '/' | '+' | '?' | ':' | ',' | ';' ;
