#ifndef ORVELC_CODEGEN_CODEWRITER_HPP
#define ORVELC_CODEGEN_CODEWRITER_HPP

#include <string>
#include <vector>

namespace orvelc {

// Collects indented lines of C++, with `#line` directives around code copied
// from the grammar so that compilers and debuggers point into the grammar.
// Writers nest: a block written on its own is put into another with `insert`,
// and the directives that lead back to the generated file get their line
// numbers only when `text` assembles the whole.
class CodeWriter {
public:
    // Writes `text` at the current indentation (an empty line stays empty);
    // a line longer than 100 columns is wrapped after a comma or before an
    // operator && or || inside parentheses.
    void line(const std::string& text);
    // Writes `head {` (a lone `{` for an empty head) and indents what follows.
    void open(const std::string& head);
    // Writes `head` and a `{` on the next line, as function bodies have it,
    // and indents what follows.
    void openFunction(const std::string& head);
    // Ends the block that `open` began, with `tail` after the brace.
    void close(const std::string& tail = "");
    // Ends the block that `open` began and opens the next of a chain on the
    // same line: `} head {` (an `else`, a `catch`).
    void chain(const std::string& head);
    // Writes an access specifier or case label one level out.
    void label(const std::string& text);
    // Writes the lines of `other` at the current indentation.
    void insert(const CodeWriter& other);
    // Writes code from the grammar file `grammar` that follows a brace at
    // `line` and `column` (from 1) there: its common indentation, trailing
    // blanks and blank first and last lines go, and it is marked with `#line`
    // directives when `grammar` is not empty. Its lines are never wrapped.
    void code(const std::string& text, const std::string& grammar, int line, int column);
    bool empty() const { return lines_.empty(); }
    // The lines written, as the file `name` (which the directives that
    // return from grammar code name).
    std::string text(const std::string& name) const;

private:
    // Copied: code from the grammar. Back: a `#line` to the generated file.
    enum class Kind { Code, Copied, Directive, Back };
    void add(const std::string& text, Kind kind);
    struct Line {
        std::string text;
        Kind kind = Kind::Code;
    };
    std::vector<Line> lines_;
    int indent_ = 0;
};

}

#endif
