// orvel-json: a JSON reader (RFC 8259) that builds the document's tree, and a
// tree parser that writes the tree back indented.
//
// Tree shapes: a scalar is one node holding its text as written (strings with
// their quotes and escapes); an array is a "[" node whose children are its
// values; an object is a "{" node whose children are its keys and values in
// turn (key, value, key, value ...).
namespace json;
header {
#include <ostream>
#include <string>
}

parser JsonParser;
options {
    buildAST = true;
    defaultErrorHandler = false;
    nestingLimit = 10000;
}

// Each value along the deepest path costs one level of nesting, the document
// one more.
start document : value EOF! ;
value
    : STRING | NUMBER | "true" | "false" | "null"
    | "["^ (value (","! value)*)? "]"!
    | "{"^ (STRING ":"! value (","! STRING ":"! value)*)? "}"!
    ;

lexer JsonLexer;
members {
    // Stops at the first error: nextToken reports a lexical error from inside
    // its handler, so rethrowing here hands the exception on to the parser's
    // caller unchanged.
    using orvel::WindowScanner::reportError;
    void reportError(const orvel::RecognitionException&) override { throw; }
}

skip WS : (' ' | '\t' | '\r' | '\n' { newline(); })+ ;
// Text between the quotes: any character from U+0020 up in well-formed UTF-8
// (no overlong forms, no surrogates, nothing above U+10FFFF) but '"' and '\',
// or one of the escapes.
STRING options { testLiterals = false; }
    : '"'
      ( ' '..'!' | '#'..'[' | ']'..'\x7f'
      | '\xc2'..'\xdf' TAIL
      | '\xe0' '\xa0'..'\xbf' TAIL
      | ('\xe1'..'\xec' | '\xee'..'\xef') TAIL TAIL
      | '\xed' '\x80'..'\x9f' TAIL
      | '\xf0' '\x90'..'\xbf' TAIL TAIL
      | '\xf1'..'\xf3' TAIL TAIL TAIL
      | '\xf4' '\x80'..'\x8f' TAIL TAIL
      | '\\' ('"' | '\\' | '/' | 'b' | 'f' | 'n' | 'r' | 't' | 'u' HEX HEX HEX HEX)
      )*
      '"' ;
fragment TAIL : '\x80'..'\xbf' ;
fragment HEX : '0'..'9' | 'a'..'f' | 'A'..'F' ;
NUMBER options { testLiterals = false; }
    : ('-')? ('0' | '1'..'9' ('0'..'9')*) ('.' ('0'..'9')+)? (('e' | 'E') ('+' | '-')? ('0'..'9')+)? ;
WORD : ('a'..'z')+ ;
PUNCT : '{' | '}' | '[' | ']' | ',' | ':' ;

treeparser JsonPrinter;
options {
    defaultErrorHandler = false;
    nestingLimit = 10000;
}
members {
    // Ends the line and indents the next one for the value at `depth`, after
    // a comma unless it is the first of its container.
    static void separate(std::ostream& out, int depth, int index)
    {
        out << (index == 0 ? "\n" : ",\n") << std::string(2 * static_cast<std::size_t>(depth), ' ');
    }
    // Closes a container of `count` values at `depth`.
    static void close(std::ostream& out, int depth, int count, char bracket)
    {
        if (count > 0)
            out << '\n' << std::string(2 * static_cast<std::size_t>(depth), ' ');
        out << bracket;
    }
}

// Writes the document to `out`, two spaces of indentation a level, each value
// of a non-empty container on a line of its own, and a line end at the end.
start document[std::ostream& out] : value[out, 0] { out << '\n'; } ;
value[std::ostream& out, int depth] { int count = 0; }
    : #( "[" { out << '['; }
         ( { separate(out, depth + 1, count++); } value[out, depth + 1] )*
       ) { close(out, depth, count, ']'); }
    | #( "{" { out << '{'; }
         ( { separate(out, depth + 1, count++); } k=STRING { out << k->getText() << ": "; }
           value[out, depth + 1] )*
       ) { close(out, depth, count, '}'); }
    | t=STRING { out << t->getText(); }
    | t=NUMBER { out << t->getText(); }
    | t="true" { out << t->getText(); }
    | t="false" { out << t->getText(); }
    | t="null" { out << t->getText(); }
    ;
