// A parser that builds trees and a tree parser that walks them.
namespace golden;

parser Builder;
options { buildAST = true; }
tokens { SUM; NUM; PLUS = "+"; }

start sums : (sum ";"! | list | pair | depth)* EOF! ;
sum : NUM (PLUS^ NUM)* ;
list! : "[" n=NUM "]" { ## = #(#[SUM, "sum"], #n); } ;
pair : "(" n=NUM (NUM)* ")" -> #(#[SUM, "pair"] n (NUM)*) | "{" "}" -> ;
// A label named as the return variable assigns it, and still has its tree.
depth returns [int v] : "<"! v=depth ">"! { ++v; } | "!" ;

treeparser Walker;

sum returns [int v]
    : #(PLUS v=sum w=sum) { v += w; }
    | n=NUM { v = std::stoi(n->getText()); }
    ;
