// Decisions that predicates decide, rules with arguments, a return value
// and a handler of their own.
namespace golden;

parser Parser;
options { k = 2; }
tokens { ID; NUM; }
members { bool strict = false; }

start stat : (call)=> call | assign ;
call : ID "(" (args)? ")" ;
args : value[1] ("," value[2])* ;
value[int position] returns [int v]
    : { strict }? n=NUM { v = position; }
    | ("-" | { !strict }? "+") NUM
    | ID
    ;
    exception catch [const orvel::RecognitionException&] { v = -1; }
assign : ID "=" value[0] ;
