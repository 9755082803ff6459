#ifndef ORVELC_CODEGEN_CODEWRITER_HPP
#define ORVELC_CODEGEN_CODEWRITER_HPP

#include <string>

namespace orvelc {

// Collects indented lines of C++.
class CodeWriter {
public:
    void line(const std::string& text)
    {
        if (!text.empty())
            out_.append(static_cast<std::string::size_type>(indent_) * 4, ' ');
        out_ += text;
        out_ += '\n';
    }
    // Writes `head {` and indents what follows.
    void open(const std::string& head)
    {
        line(head.empty() ? "{" : head + " {");
        ++indent_;
    }
    // Ends the block that `open` began, with `tail` after the brace.
    void close(const std::string& tail = "")
    {
        --indent_;
        line("}" + tail);
    }
    // Writes an access specifier or case label one level out.
    void label(const std::string& text)
    {
        --indent_;
        line(text);
        ++indent_;
    }
    // Writes generated lines at the current indentation.
    void insert(const std::string& lines)
    {
        std::string::size_type start = 0;
        while (start < lines.size()) {
            auto end = lines.find('\n', start);
            if (end == std::string::npos)
                end = lines.size();
            line(lines.substr(start, end - start));
            start = end + 1;
        }
    }
    // Copies user code as it was written, starting on a fresh line.
    void verbatim(const std::string& code)
    {
        out_ += code;
        out_ += '\n';
    }
    const std::string& text() const { return out_; }

private:
    std::string out_;
    int indent_ = 0;
};

}

#endif
