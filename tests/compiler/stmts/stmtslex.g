// The lexer of stmts.g, in a file of its own: it imports that grammar's
// vocabulary, so both agree on every token type.
namespace stmts;
import stmts;

lexer StmtLexer;
members {
    int errors = 0;
    using orvel::WindowScanner::reportError;
    void reportError(const orvel::RecognitionException& ex) override
    {
        ++errors;
        orvel::WindowScanner::reportError(ex);
    }
}

skip WS : (' ' | '\t' | '\n' { newline(); })+ ;
skip COMMENT : "//" (~'\n')* ;
NAME : ('a'..'z' | 'A'..'Z' | '_') ('a'..'z' | 'A'..'Z' | '_' | '0'..'9')* ;
NUMBER options { testLiterals = false; } : ('0'..'9')+ ;
PUNCT : '=' | ';' | '(' | ')' | ',' | ':' | '+' | '-' | '*' ;
