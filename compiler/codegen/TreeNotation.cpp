#include "codegen/TreeNotation.hpp"

#include <vector>

namespace orvelc {

namespace {

bool isNameChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// The length of the string, character or comment starting at `i`, or 0.
std::size_t skipLength(const std::string& code, std::size_t i)
{
    const char c = code[i];
    if (c == '"' || c == '\'') {
        std::size_t j = i + 1;
        while (j < code.size() && code[j] != c && code[j] != '\n')
            j += code[j] == '\\' ? 2 : 1;
        return std::min(j + 1, code.size()) - i;
    }
    if (c == '/' && i + 1 < code.size() && (code[i + 1] == '/' || code[i + 1] == '*')) {
        const bool line = code[i + 1] == '/';
        const std::size_t end = code.find(line ? "\n" : "*/", i + 2);
        return end == std::string::npos ? code.size() - i : end + (line ? 0 : 2) - i;
    }
    return 0;
}

}

TreeCode translateTreeNotation(const std::string& code, const std::string& rule)
{
    TreeCode result;
    std::string& out = result.code;
    // For each open ( or [: whether the notation opened it, so its closing
    // bracket ends a call rather than standing for itself.
    std::vector<bool> parens;
    std::vector<bool> brackets;
    std::size_t i = 0;
    while (i < code.size()) {
        if (const std::size_t n = skipLength(code, i)) {
            out.append(code, i, n);
            i += n;
            continue;
        }
        const char c = code[i];
        const char next = i + 1 < code.size() ? code[i + 1] : '\0';
        if (c == '#' && next == '#') {
            out += "currentAST_.root";
            result.usesRuleTree = true;
            i += 2;
        } else if (c == '#' && next == '(') {
            out += "make_({";
            parens.push_back(true);
            i += 2;
        } else if (c == '#' && next == '[') {
            out += "astFactory->create(";
            brackets.push_back(true);
            i += 2;
        } else if (c == '#' && isNameChar(next)) {
            std::size_t end = i + 1;
            while (end < code.size() && isNameChar(code[end]))
                ++end;
            const std::string name = code.substr(i + 1, end - i - 1);
            result.usesRuleTree = result.usesRuleTree || name == rule;
            out += name == rule ? std::string("currentAST_.root") : name + "_AST";
            i = end;
        } else {
            if (c == '(' || c == '[')
                (c == '(' ? parens : brackets).push_back(false);
            std::vector<bool>& open = c == ')' ? parens : brackets;
            if ((c == ')' || c == ']') && !open.empty()) {
                out += open.back() ? (c == ')' ? "})" : ")") : std::string(1, c);
                open.pop_back();
            } else {
                out += c;
            }
            ++i;
        }
    }
    return result;
}

}
