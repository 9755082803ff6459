// A JSON validator (RFC 8259): exits 0 for a valid document, 1 otherwise.
namespace json;

parser JsonParser;
members {
    int errors = 0;
    using orvel::LLkParser::reportError;
    void reportError(const orvel::RecognitionException& ex) override
    {
        ++errors;
        orvel::LLkParser::reportError(ex);
    }
}

start document : value EOF ;
value : object | array | STRING | NUMBER | "true" | "false" | "null" ;
object : "{" (member ("," member)*)? "}" ;
member : STRING ":" value ;
array : "[" (value ("," value)*)? "]" ;

lexer JsonLexer;
members {
    int errors = 0;
    using orvel::WindowScanner::reportError;
    void reportError(const orvel::RecognitionException& ex) override
    {
        ++errors;
        orvel::WindowScanner::reportError(ex);
    }
}

skip WS : (' ' | '\t' | '\r' | '\n' { newline(); })+ ;
STRING options { testLiterals = false; }
    : '"' ( ~('"' | '\\' | '\x00'..'\x1f')
          | '\\' ('"' | '\\' | '/' | 'b' | 'f' | 'n' | 'r' | 't' | 'u' HEX HEX HEX HEX)
          )* '"' ;
fragment HEX : '0'..'9' | 'a'..'f' | 'A'..'F' ;
NUMBER options { testLiterals = false; }
    : ('-')? ('0' | '1'..'9' ('0'..'9')*) ('.' ('0'..'9')+)? (('e' | 'E') ('+' | '-')? ('0'..'9')+)? ;
WORD : ('a'..'z')+ ;
PUNCT : '{' | '}' | '[' | ']' | ',' | ':' ;
