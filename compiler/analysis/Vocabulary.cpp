#include "analysis/Vocabulary.hpp"

#include <sstream>

namespace orvelc {

namespace {

bool isIdentifier(const std::string& s)
{
    if (s.empty() || !(isalpha(static_cast<unsigned char>(s[0])) || s[0] == '_'))
        return false;
    for (char c : s)
        if (!(isalnum(static_cast<unsigned char>(c)) || c == '_'))
            return false;
    return true;
}

// Decodes the escapes that cppEscape writes; false on anything else.
bool cppUnescape(const std::string& in, std::string& out)
{
    for (std::string::size_type i = 0; i < in.size(); ++i) {
        if (in[i] != '\\') {
            out += in[i];
            continue;
        }
        if (++i == in.size())
            return false;
        if (in[i] == 'x') {
            const std::string hex = in.substr(i + 1, 2);
            if (hex.size() != 2 || !isxdigit(static_cast<unsigned char>(hex[0])) ||
                !isxdigit(static_cast<unsigned char>(hex[1])))
                return false;
            out += static_cast<char>(std::stoi(hex, nullptr, 16));
            i += 2;
        } else if (in[i] == '\\' || in[i] == '"') {
            out += in[i];
        } else {
            return false;
        }
    }
    return true;
}

}

std::string escape(const std::string& text, bool forCpp)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    char previous = 0;
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (forCpp && c == '?' && previous == '?') {
            out += "\\?";  // no trigraph can form
        } else if (c == '\\' || c == '"') {
            out += '\\';
            out += ch;
        } else if (c < 32 || c >= 127) {
            out += "\\x";
            out += hex[c >> 4];
            out += hex[c & 15];
            if (forCpp)
                out += "\"\"";  // ends the escape so that a following hex digit stays apart
        } else {
            out += ch;
        }
        previous = ch;
    }
    return out;
}

int Vocabulary::byName(const std::string& name) const
{
    const auto it = names_.find(name);
    return it == names_.end() ? -1 : it->second;
}

int Vocabulary::byLiteral(const std::string& literal) const
{
    const auto it = literals_.find(literal);
    return it == literals_.end() ? -1 : it->second;
}

TokenEntry& Vocabulary::add(int type)
{
    TokenEntry& e = byType_[type];
    e.type = type;
    if (type >= next_)
        next_ = type + 1;
    return e;
}

int Vocabulary::addName(const std::string& name)
{
    const int known = byName(name);
    if (known >= 0)
        return known;
    TokenEntry& e = add(next_);
    e.name = name;
    names_[name] = e.type;
    return e.type;
}

int Vocabulary::addLiteral(const std::string& literal, const std::string& alias)
{
    const int known = byLiteral(literal);
    const int named = alias.empty() ? -1 : byName(alias);
    if (known >= 0)
        return alias.empty() || alias == byType_.at(known).name ? known : -1;
    if (named >= 0) {
        TokenEntry& e = byType_[named];
        if (e.isLiteral)
            return -1;
        e.isLiteral = true;
        e.literal = literal;
        literals_[literal] = named;
        return named;
    }
    TokenEntry& e = add(next_);
    e.isLiteral = true;
    e.literal = literal;
    e.name = !alias.empty()         ? alias
             : isIdentifier(literal) ? "LITERAL_" + literal
                                     : "LITERAL_" + std::to_string(e.type);
    names_[e.name] = e.type;
    literals_[literal] = e.type;
    return e.type;
}

std::vector<const TokenEntry*> Vocabulary::entries() const
{
    std::vector<const TokenEntry*> out;
    for (const auto& [type, entry] : byType_)
        out.push_back(&entry);
    return out;
}

std::string Vocabulary::displayName(int type) const
{
    if (type == 1)
        return "EOF";
    const auto it = byType_.find(type);
    if (it == byType_.end())
        return "<" + std::to_string(type) + ">";
    const TokenEntry& e = it->second;
    if (!e.isLiteral)
        return e.name;
    return e.literal.size() == 1 ? "'" + e.literal + "'" : "\"" + e.literal + "\"";
}

void Vocabulary::write(std::ostream& out) const
{
    for (const TokenEntry* e : entries()) {
        out << e->type << ' ' << e->name;
        if (e->isLiteral)
            out << " \"" << escape(e->literal, false) << '"';
        if (e->soft)
            out << " soft";
        out << '\n';
    }
}

bool Vocabulary::read(std::istream& in, int& badLine)
{
    std::string line;
    for (badLine = 1; std::getline(in, line); ++badLine) {
        std::istringstream fields(line);
        int type = 0;
        std::string name;
        if (!(fields >> type >> name) || type < firstType || byType_.count(type) != 0 ||
            names_.count(name) != 0)
            return false;
        std::string rest;
        std::getline(fields, rest);
        TokenEntry& e = add(type);
        e.name = name;
        e.imported = true;
        e.line = badLine;
        names_[name] = type;
        const auto open = rest.find('"');
        if (open == std::string::npos)
            continue;
        const auto close = rest.rfind('"');
        if (close == open || !cppUnescape(rest.substr(open + 1, close - open - 1), e.literal))
            return false;
        const std::string after = rest.substr(close + 1);
        if (!after.empty() && after != " soft")
            return false;
        e.soft = !after.empty();
        e.isLiteral = true;
        literals_[e.literal] = type;
    }
    return true;
}

}
