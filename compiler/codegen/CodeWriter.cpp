#include "codegen/CodeWriter.hpp"

#include <algorithm>

namespace orvelc {

namespace {

constexpr std::size_t indentWidth = 4;
constexpr std::size_t maxColumns = 100;

bool blank(const std::string& s) { return s.find_first_not_of(" \t\r") == std::string::npos; }

std::string trimRight(const std::string& s)
{
    const auto last = s.find_last_not_of(" \t\r");
    return last == std::string::npos ? "" : s.substr(0, last + 1);
}

// `name` as the string of a `#line` directive, which must be a single
// literal: octal escapes, which no following character can extend.
std::string fileLiteral(const std::string& name)
{
    std::string out = "\"";
    char previous = 0;
    for (char ch : name) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '\\' || c == '"' || (c == '?' && previous == '?')) {
            out += '\\';
            out += ch;
        } else if (c < 32 || c >= 127) {
            out += '\\';
            out += static_cast<char>('0' + (c >> 6));
            out += static_cast<char>('0' + ((c >> 3) & 7));
            out += static_cast<char>('0' + (c & 7));
        } else {
            out += ch;
        }
        previous = ch;
    }
    return out + "\"";
}

std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> out;
    std::string::size_type start = 0;
    for (auto end = text.find('\n'); end != std::string::npos; end = text.find('\n', start)) {
        out.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    out.push_back(text.substr(start));
    return out;
}

}

// Where `text` is best broken to stay within maxColumns: after the last ", "
// or before the last " && " or " || " that is inside brackets and outside
// literals and that fits, else after the first opening parenthesis; npos for
// nowhere.
std::string::size_type breakPoint(const std::string& text)
{
    std::string::size_type best = std::string::npos;
    std::string::size_type open = std::string::npos;
    int depth = 0;
    char quote = 0;
    for (std::string::size_type i = text.find_first_not_of(' '); i < text.size() && i < maxColumns; ++i) {
        const char c = text[i];
        if (quote) {
            if (c == '\\')
                ++i;
            else if (c == quote)
                quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '(' || c == '{') {
            ++depth;
            if (c == '(' && open == std::string::npos)
                open = i + 1;
        } else if (c == ')' || c == '}') {
            --depth;
        } else if (depth > 0 && c == ',' && i + 1 < text.size() && text[i + 1] == ' ') {
            best = i + 1;
        } else if (depth > 0 && c == ' ' && (text.compare(i, 4, " && ") == 0 || text.compare(i, 4, " || ") == 0)) {
            best = i;
        }
    }
    return best != std::string::npos ? best : open;
}

void CodeWriter::add(const std::string& text, Kind kind)
{
    lines_.push_back({text, kind});
}

// `text`, an indented line, broken into lines within maxColumns where it
// can be; each continuation is indented two levels deeper.
std::string wrapped(const std::string& text)
{
    const std::string indent(text.find_first_not_of(' ') + 2 * indentWidth, ' ');
    std::string out;
    std::string rest = text;
    for (auto cut = breakPoint(rest); rest.size() > maxColumns && cut != std::string::npos &&
                                      cut > indent.size() - 2 * indentWidth;
         cut = breakPoint(rest)) {
        out += trimRight(rest.substr(0, cut)) + "\n";
        rest = indent + rest.substr(rest[cut] == ' ' ? cut + 1 : cut);
        if (rest.size() <= maxColumns)
            break;
    }
    return out + rest;
}

void CodeWriter::line(const std::string& text)
{
    add(text.empty() ? text : std::string(static_cast<std::size_t>(indent_) * indentWidth, ' ') + text,
        Kind::Code);
}

void CodeWriter::open(const std::string& head)
{
    line(head.empty() ? "{" : head + " {");
    ++indent_;
}

void CodeWriter::openFunction(const std::string& head)
{
    line(head);
    line("{");
    ++indent_;
}

void CodeWriter::close(const std::string& tail)
{
    --indent_;
    line("}" + tail);
}

void CodeWriter::chain(const std::string& head)
{
    --indent_;
    open("} " + head);
}

void CodeWriter::label(const std::string& text)
{
    --indent_;
    line(text);
    ++indent_;
}

void CodeWriter::insert(const CodeWriter& other)
{
    const std::string indent(indent_ * indentWidth, ' ');
    for (const Line& l : other.lines_) {
        const bool directive = l.kind == Kind::Directive || l.kind == Kind::Back;
        add(directive || l.text.empty() ? l.text : indent + l.text, l.kind);
    }
}

void CodeWriter::code(const std::string& text, const std::string& grammar, int line, int column)
{
    std::vector<std::string> lines = splitLines(text);
    // The first line starts right after the brace: indent it as it stands there.
    lines.front().insert(0, static_cast<std::size_t>(std::max(column, 0)), ' ');
    while (!lines.empty() && blank(lines.front())) {
        lines.erase(lines.begin());
        ++line;
    }
    while (!lines.empty() && blank(lines.back()))
        lines.pop_back();
    if (lines.empty())
        return;
    std::string::size_type common = std::string::npos;
    for (const std::string& l : lines)
        if (!blank(l))
            common = std::min(common, l.find_first_not_of(" \t"));
    if (!grammar.empty())
        add("#line " + std::to_string(line) + " " + fileLiteral(grammar), Kind::Directive);
    const std::string indent(static_cast<std::size_t>(indent_) * indentWidth, ' ');
    for (const std::string& l : lines)
        add(blank(l) ? "" : indent + trimRight(l.substr(common)), Kind::Copied);
    if (!grammar.empty())
        add("", Kind::Back);
}

std::string CodeWriter::text(const std::string& name) const
{
    std::string out;
    std::size_t written = 0;  // lines of `out`
    for (const Line& l : lines_) {
        std::string text = l.text;
        if (l.kind == Kind::Back)
            text = "#line " + std::to_string(written + 2) + " " + fileLiteral(name);
        else if (l.kind == Kind::Code && text.size() > maxColumns)
            text = wrapped(text);
        written += 1 + static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
        out += text;
        out += '\n';
    }
    return out;
}

}
