// A C11 tokenizer: prints tokens=N lines=L lensum=S, where L counts the line
// ends of the input (in comments and after backslashes too) and S sums, over tokens counted from 1, the position
// times the length of the text, modulo 2^32.
namespace ctok;

lexer CTokenizer;
options { k = 3; testLiterals = false; }
tokens {
    KW_auto = "auto"; KW_break = "break"; KW_case = "case"; KW_char = "char";
    KW_const = "const"; KW_continue = "continue"; KW_default = "default"; KW_do = "do";
    KW_double = "double"; KW_else = "else"; KW_enum = "enum"; KW_extern = "extern";
    KW_float = "float"; KW_for = "for"; KW_goto = "goto"; KW_if = "if";
    KW_inline = "inline"; KW_int = "int"; KW_long = "long"; KW_register = "register";
    KW_restrict = "restrict"; KW_return = "return"; KW_short = "short"; KW_signed = "signed";
    KW_sizeof = "sizeof"; KW_static = "static"; KW_struct = "struct"; KW_switch = "switch";
    KW_typedef = "typedef"; KW_union = "union"; KW_unsigned = "unsigned"; KW_void = "void";
    KW_volatile = "volatile"; KW_while = "while"; KW_Alignas = "_Alignas";
    KW_Alignof = "_Alignof"; KW_Atomic = "_Atomic"; KW_Bool = "_Bool";
    KW_Complex = "_Complex"; KW_Generic = "_Generic"; KW_Imaginary = "_Imaginary";
    KW_Noreturn = "_Noreturn"; KW_Static_assert = "_Static_assert";
    KW_Thread_local = "_Thread_local";
    STRING; CHARACTER; FLOAT;
}
members {
    unsigned long lines = 0;

    // At a "*" after "/": skips the comment up to the first "*/" and returns
    // true, or returns false and consumes nothing when it is not closed.
    bool blockComment()
    {
        unsigned int i = 2;
        while (!(LA(i) == '*' && LA(i + 1) == '/')) {
            if (LA(i) == EOF_CHAR)
                return false;
            ++i;
        }
        for (unsigned int n = 0; n <= i; ++n) {
            if (LA(1) == '\n') {
                newline();
                ++lines;
            }
            consume();
        }
        return true;
    }
}

skip WS : (' ' | '\t' | '\v' | '\f' | '\r')+ ;
skip NEWLINE : '\n' { newline(); ++lines; } ;
BACKSLASH : '\\' ( '\n' { newline(); ++lines; ttype_ = orvel::Token::SKIP; } | ) ;

IDENT options { testLiterals = true; warnAmbiguity = false; }
    : ('L' | 'U') ( STRING_BODY { ttype_ = STRING; } | CHAR_BODY { ttype_ = CHARACTER; } | (IDCHAR)* )
    | 'u' ( STRING_BODY { ttype_ = STRING; }
          | CHAR_BODY { ttype_ = CHARACTER; }
          | '8' ( STRING_BODY { ttype_ = STRING; } | CHAR_BODY { ttype_ = CHARACTER; } | (IDCHAR)* )
          | (IDCHAR)* )
    | ('a'..'z' | 'A'..'Z' | '_') (IDCHAR)*
    ;
fragment IDCHAR : 'a'..'z' | 'A'..'Z' | '_' | '0'..'9' ;

STRING_LITERAL : STRING_BODY ;
CHAR_LITERAL : CHAR_BODY ;
fragment STRING_BODY : '"' (ESCAPE | ~('"' | '\\' | '\n'))* ('"')? ;
fragment CHAR_BODY : '\'' (ESCAPE | ~('\'' | '\\' | '\n'))* ('\'')? ;
fragment ESCAPE : '\\' ~'\n' ;

NUMBER
    : '0' ( ('x' | 'X') HEX_REST | DECIMAL_REST )
    | '1'..'9' DECIMAL_REST
    ;
fragment DECIMAL_REST
    : ('0'..'9')*
      ( '.' ('0'..'9')* (EXPONENT)? (FLOAT_SUFFIX)?
      | EXPONENT (FLOAT_SUFFIX)?
      | ('u' | 'U' | 'l' | 'L')*
      )
    ;
fragment HEX_REST
    : (HEXDIGIT)+ ('.' (HEXDIGIT)*)?
      ( ('p' | 'P') ('+' | '-')? ('0'..'9')+ (FLOAT_SUFFIX)?
      | ('u' | 'U' | 'l' | 'L')*
      )
    | '.' (HEXDIGIT)+ ('p' | 'P') ('+' | '-')? ('0'..'9')+ (FLOAT_SUFFIX)?
    ;
fragment HEXDIGIT : '0'..'9' | 'a'..'f' | 'A'..'F' ;
fragment EXPONENT : ('e' | 'E') ('+' | '-')? ('0'..'9')+ ;
fragment FLOAT_SUFFIX : 'f' | 'F' | 'l' | 'L' ;

DOT : '.' ( ('0'..'9')+ (EXPONENT)? (FLOAT_SUFFIX)? | ".." | ) ;

SLASH
    : '/' ( '='
          | '/' (~'\n')* { ttype_ = orvel::Token::SKIP; }
          | { if (LA(1) == '*' && blockComment()) ttype_ = orvel::Token::SKIP; }
          )
    ;

PUNCT
    : '[' | ']' | '(' | ')' | '{' | '}' | '~' | '?' | ';' | ','
    | '-' ('>' | '-' | '=')?
    | '+' ('+' | '=')?
    | '&' ('&' | '=')?
    | '|' ('|' | '=')?
    | '*' ('=')? | '!' ('=')? | '=' ('=')? | '^' ('=')?
    | '<' ('<' ('=')? | '=' | ':' | '%')?
    | '>' ('>' ('=')? | '=')?
    | ':' ('>')?
    | '#' ('#')?
    | '%' ('=' | '>' | ':' ("%:")?)?
    ;

OTHER
    : ~('a'..'z' | 'A'..'Z' | '_' | '0'..'9' | '"' | '\'' | ' ' | '\t' | '\v' | '\f' | '\r'
      | '\n' | '\\' | '.' | '/' | '[' | ']' | '(' | ')' | '{' | '}' | '~' | '?' | ';' | ','
      | '-' | '+' | '&' | '|' | '*' | '!' | '=' | '^' | '<' | '>' | ':' | '#' | '%')
    ;
