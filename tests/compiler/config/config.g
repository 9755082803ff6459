// A configuration language: `[section]` headers, `key = value` lines and
// `#` comments. Keywords are case-insensitive; errors are reported and the
// reader goes on with the next line.
namespace config;
header {
#include <iostream>
}

parser ConfigParser;
members {
    int errors = 0;
    using orvel::LLkParser::reportError;
    void reportError(const orvel::RecognitionException& ex) override
    {
        ++errors;
        orvel::LLkParser::reportError(ex);
    }
}

start file : (NEWLINE)* (entry)* (section)* EOF ;

section : "[" n=NAME "]" NEWLINE (NEWLINE)* { std::cout << "section " << n->getText() << '\n'; }
          (entry)* ;

entry : k=NAME "=" v=value NEWLINE (NEWLINE)*
        { std::cout << "  " << k->getText() << " = " << v << '\n'; } ;

value returns [std::string s]
    : t=STRING { s = "string " + t->getText(); }
    | t=NUMBER { s = "number " + t->getText(); }
    | t=NAME { s = "name " + t->getText(); }
    | "true" { s = "bool true"; }
    | "false" { s = "bool false"; }
    ;

lexer ConfigLexer;
options { caseSensitive = false; }
members {
    int errors = 0;
    using orvel::WindowScanner::reportError;
    void reportError(const orvel::RecognitionException& ex) override
    {
        ++errors;
        orvel::WindowScanner::reportError(ex);
    }
}

skip WS : (' ' | '\t' | '\r')+ ;
skip COMMENT : '#' (~'\n')* ;
NEWLINE : '\n' { newline(); } ;
NAME : ('a'..'z' | '_') ('a'..'z' | '_' | '0'..'9' | '.' | '-')* ;
NUMBER options { testLiterals = false; } : ('-')? ('0'..'9')+ ;
STRING options { testLiterals = false; } : '"' (~('"' | '\n'))* '"' ;
PUNCT : '[' | ']' | '=' ;
