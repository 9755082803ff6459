// The calculator: a lexer, a parser that builds one tree per statement and
// hands it on at once, and a tree parser that evaluates those trees.
//
//     let r = 2.5;            ( let r 2.5 )
//     print -r ^ 2 % 4;       ( print ( % ( - ( ^ r 2 ) ) 4 ) )
//
// Keywords are case-insensitive; names are not. White space and comments are
// tokens too, so that the source can be written back through the rewrite
// engine; the engine keeps them from the parser.
namespace calc;
header {
#include "Support.hpp"

#include <orvel/CommonASTWithPosition.hpp>
#include <orvel/NoViableAltException.hpp>

#include <functional>
}

parser CalcParser;
options {
    buildAST = true;
    nodeType = "orvel::CommonASTWithPosition";
}
tokens {
    LET = "let"; PRINT = "print";
    ASSIGN = "="; SEMI = ";"; LPAREN = "("; RPAREN = ")";
    PLUS = "+"; MINUS = "-"; TIMES = "*"; DIVIDE = "/"; MODULO = "%"; POWER = "^";
    NEGATE;
}
members {
    // Where errors go and what becomes of each statement's tree; both must be
    // set before program() is called.
    calc::Reporter* reporter = nullptr;
    std::function<void(const orvel::ASTRefCount<orvel::AST>&)> onStatement;
    int syntaxErrors = 0;
    // The token of the last syntax error reported, which a rule's recovery
    // may leave for the next statement.
    orvel::TokenRefCount<orvel::Token> reportedAt;

    using orvel::LLkParser::reportError;
    void reportError(const orvel::RecognitionException& ex) override
    {
        ++syntaxErrors;
        reportedAt = LT(1);
        reporter->report(ex);
    }
}

// A statement is evaluated as soon as it is parsed, unless it had a syntax
// error. Tokens that cannot start a statement are reported once and skipped.
start program { int seen = 0; }
    : (s=statement!
        {
            if (syntaxErrors == seen && #s)
                onStatement(#s);
            seen = syntaxErrors;
        }
      )* EOF! ;

statement
    : "let"^ ID "="! expr ";"!
    | "print"^ expr ";"!
    | ! bad=~("let" | "print") (options { greedy = true; } : ~("let" | "print"))*
        {
            if (bad != reportedAt)
                reportError(orvel::NoViableAltException(bad, getFilename()));
        }
    ;

// Earlier alternatives bind tighter. ^ groups to the right: 2 ^ 3 ^ 2 is
// 2 ^ (3 ^ 2). -2 ^ 2 is -(2 ^ 2), and 2 ^ -2 is allowed.
expr
    : expr "^"^ <assoc = right> expr
    | "-" u=expr -> #(#[NEGATE, "-"] u)
    | expr ("*"^ | "/"^ | "%"^) expr
    | expr ("+"^ | "-"^) expr
    | NUMBER
    | ID
    | "("! expr ")"!
    ;

lexer CalcLexer;
options { k = 2; caseSensitiveLiterals = false; }
members {
    calc::Reporter* reporter = nullptr;

    using orvel::WindowScanner::reportError;
    void reportError(const orvel::RecognitionException& ex) override { reporter->report(ex); }
}

WS options { testLiterals = false; }
    : (' ' | '\t' | '\r' | '\n' { newline(); })+ ;
COMMENT options { testLiterals = false; } : '#' (~'\n')* ;
// "/*" starts a comment; any other "/" is the division operator.
SLASH : '/' ('*' (options { greedy = false; } : '\n' { newline(); } | ~'\n')* "*/" { ttype_ = COMMENT; })? ;
NUMBER options { testLiterals = false; }
    : ('0'..'9')+ ('.' ('0'..'9')+)? ;
ID : ('a'..'z' | 'A'..'Z' | '_') ('a'..'z' | 'A'..'Z' | '_' | '0'..'9')* ;
OPERATOR : '=' | ';' | '(' | ')' | '+' | '-' | '*' | '%' | '^' ;

treeparser CalcEvaluator;
// A run-time error ends the statement it happens in (see below).
options { defaultErrorHandler = false; }
members {
    // Where printed values go, the numbers and variables, and where errors
    // go; all must be set before statement() is called.
    std::ostream* out = nullptr;
    calc::Arithmetic* math = nullptr;
    calc::Reporter* reporter = nullptr;

    using orvel::TreeParser::reportError;
    void reportError(const orvel::RecognitionException& ex) override { reporter->report(ex); }
}

// A statement that fails is reported and changes no variable.
start statement
    : #(LET n=ID v=expr) { math->assign(n, v); }
    | #(PRINT v=expr) { calc::Arithmetic::print(*out, v); }
    ;
    exception catch [const orvel::RecognitionException& ex] { reportError(ex); }

expr returns [double v]
    : #(p=PLUS a=expr b=expr) { v = math->checked(a + b, p); }
    | #(m=MINUS a=expr b=expr) { v = math->checked(a - b, m); }
    | #(t=TIMES a=expr b=expr) { v = math->checked(a * b, t); }
    | #(d=DIVIDE a=expr b=expr) { v = math->checked(math->divide(a, b, d), d); }
    | #(r=MODULO a=expr b=expr) { v = math->remainder(a, b, r); }
    | #(e=POWER a=expr b=expr) { v = math->checked(std::pow(a, b), e); }
    | #(NEGATE a=expr) { v = -a; }
    | n=NUMBER { v = math->literal(n); }
    | i=ID { v = math->lookup(i); }
    ;
