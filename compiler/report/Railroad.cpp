#include "report/Railroad.hpp"

#include "analysis/Vocabulary.hpp"

#include <algorithm>

namespace orvelc {

namespace {

constexpr int gap = 16;     // track between the items of a sequence
constexpr int margin = 20;  // room for the curves of a choice or loop
constexpr int spacing = 10; // between the alternatives of a choice
constexpr int half = 11;    // half the height of a box

std::string num(int n) { return std::to_string(n); }

void line(int x1, int y1, int x2, int y2, std::string& out)
{
    out += "<path d=\"M" + num(x1) + " " + num(y1) + " L" + num(x2) + " " + num(y2) + "\"/>";
}

}

std::string htmlEscape(const std::string& text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

Railroad::Railroad(const Node& body, const std::function<std::string(const std::string&)>& anchor)
    : anchor_(anchor), root_(element(body))
{
    measure(root_);
}

// How a matched element reads in a box.
std::string Railroad::text(const Node& node)
{
    auto quoted = [](int c, char q) { return q + escape(std::string(1, static_cast<char>(c)), false) + q; };
    switch (node.kind) {
    case NodeKind::Char: return quoted(node.low, '\'');
    case NodeKind::Range: return quoted(node.low, '\'') + ".." + quoted(node.high, '\'');
    case NodeKind::String: return "\"" + escape(node.text, false) + "\"";
    case NodeKind::Wildcard: return ".";
    case NodeKind::Not: return "~" + text(*node.alts[0][0]);
    case NodeKind::Block: {
        std::string out = "(";
        for (const Sequence& alt : node.alts)
            out += (out.size() > 1 ? " | " : "") + (alt.empty() ? std::string() : text(*alt[0]));
        return out + ")";
    }
    default: return node.text;
    }
}

Railroad::Item Railroad::element(const Node& node) const
{
    Item item;
    switch (node.kind) {
    case NodeKind::Block: return block(node);
    case NodeKind::RuleRef:
        item.kind = Item::Link;
        item.text = node.text;
        item.href = anchor_(node.text);
        return item;
    case NodeKind::Tree:
        item.kind = Item::Sequence;
        item.parts.push_back({Item::Label, "#(", "", {}, 0, 0, 0});
        item.parts.push_back(sequence(node.alts[0]));
        item.parts.push_back({Item::Label, ")", "", {}, 0, 0, 0});
        return item;
    case NodeKind::Action:
    case NodeKind::SemPred:
    case NodeKind::SynPred: return item;
    default:
        item.kind = Item::Box;
        item.text = text(node);
        return item;
    }
}

// A block: its choice, put on a loop for `+`, with a track around for `?`
// and `*`.
Railroad::Item Railroad::block(const Node& node) const
{
    Item inner;
    if (node.alts.size() == 1) {
        inner = sequence(node.alts[0]);
    } else {
        inner.kind = Item::Choice;
        for (const Sequence& alt : node.alts)
            inner.parts.push_back(sequence(alt));
    }
    if (node.suffix == '+' || node.suffix == '*')
        inner = Item{Item::Loop, "", "", {inner}, 0, 0, 0};
    if (node.suffix == '?' || node.suffix == '*')
        inner = Item{Item::Choice, "", "", {inner, Item{}}, 0, 0, 0};
    return inner;
}

Railroad::Item Railroad::sequence(const Sequence& seq) const
{
    Item item;
    item.kind = Item::Sequence;
    for (const auto& e : seq) {
        Item part = element(*e);
        if (part.kind != Item::Skip)
            item.parts.push_back(std::move(part));
    }
    return item.parts.size() == 1 ? item.parts[0] : item;
}

// Sets the size of `item` and its parts.
void Railroad::measure(Item& item)
{
    for (Item& p : item.parts)
        measure(p);
    switch (item.kind) {
    case Item::Box:
    case Item::Link:
    case Item::Label:
        item.width = static_cast<int>(item.text.size()) * 15 / 2 + (item.kind == Item::Label ? 4 : 20);
        item.up = item.down = half;
        break;
    case Item::Skip: break;
    case Item::Sequence:
        item.width = item.parts.empty() ? gap : -gap;
        for (const Item& p : item.parts) {
            item.width += p.width + gap;
            item.up = std::max(item.up, p.up);
            item.down = std::max(item.down, p.down);
        }
        break;
    case Item::Choice:
        item.up = item.parts[0].up;
        item.down = item.parts[0].down;
        for (const Item& p : item.parts) {
            item.width = std::max(item.width, p.width + 2 * margin);
            if (&p != &item.parts[0])
                item.down = std::max(item.down + spacing + p.up, 2 * margin) + p.down;
        }
        break;
    case Item::Loop:
        item.width = item.parts[0].width + 2 * margin;
        item.up = item.parts[0].up;
        item.down = std::max(item.parts[0].down + spacing, 2 * margin) + 2;
        break;
    }
}

// Draws `item` with its track entering at (x, y) and leaving at (x + width, y).
void Railroad::draw(const Item& item, int x, int y, std::string& out)
{
    switch (item.kind) {
    case Item::Box:
    case Item::Link: {
        const std::string rect = "<rect x=\"" + num(x) + "\" y=\"" + num(y - half) + "\" width=\"" +
                                 num(item.width) + "\" height=\"" + num(2 * half) + "\" rx=\"" +
                                 (item.kind == Item::Box ? "11" : "0") + "\"/><text x=\"" +
                                 num(x + item.width / 2) + "\" y=\"" + num(y + 4) + "\">" +
                                 htmlEscape(item.text) + "</text>";
        out += item.kind == Item::Box ? rect
                                      : "<a href=\"#" + htmlEscape(item.href) + "\">" + rect + "</a>";
        break;
    }
    case Item::Label:
        out += "<text class=\"label\" x=\"" + num(x + item.width / 2) + "\" y=\"" + num(y + 4) + "\">" +
               htmlEscape(item.text) + "</text>";
        break;
    case Item::Skip: break;
    case Item::Sequence:
        if (item.parts.empty())
            line(x, y, x + item.width, y, out);
        for (const Item& p : item.parts) {
            if (&p != &item.parts[0])
                line(x - gap, y, x, y, out);
            draw(p, x, y, out);
            x += p.width + gap;
        }
        break;
    case Item::Choice: drawChoice(item, x, y, out); break;
    case Item::Loop: drawLoop(item, x, y, out); break;
    }
}

// The first alternative on the track, the others below it, each joined to
// the track by a curve on either side.
void Railroad::drawChoice(const Item& item, int x, int y, std::string& out)
{
    const int right = x + item.width;
    int below = y + item.parts[0].down;
    for (const Item& p : item.parts) {
        int at = y;
        if (&p != &item.parts[0]) {
            at = std::max(below + spacing + p.up, y + 2 * margin);
            below = at + p.down;
            const std::string down = num(at - y - 2 * margin + 20);
            out += "<path d=\"M" + num(x) + " " + num(y) + " q10 0 10 10 v" + down + " q0 10 10 10\"/>";
            out += "<path d=\"M" + num(right - margin) + " " + num(at) + " q10 0 10 -10 v-" + down +
                   " q0 -10 10 -10\"/>";
        } else {
            line(x, y, x + margin, y, out);
            line(right - margin, y, right, y, out);
        }
        draw(p, x + margin, at, out);
        line(x + margin + p.width, at, right - margin, at, out);
    }
}

// The body on the track and a track back below it.
void Railroad::drawLoop(const Item& item, int x, int y, std::string& out)
{
    const Item& body = item.parts[0];
    const int right = x + item.width;
    const int back = y + item.down - 2;
    line(x, y, x + margin, y, out);
    draw(body, x + margin, y, out);
    line(right - margin, y, right, y, out);
    const std::string down = num(back - y - 20);
    out += "<path d=\"M" + num(right - margin) + " " + num(y) + " q10 0 10 10 v" + down +
           " q0 10 -10 10 H" + num(x + margin) + " q-10 0 -10 -10 v-" + down + " q0 -10 10 -10\"/>";
}

std::string Railroad::svg() const
{
    const int width = root_.width + 2 * margin;
    const int height = root_.up + root_.down + 2 * spacing;
    const int y = root_.up + spacing;
    std::string out = "<svg class=\"railroad\" xmlns=\"http://www.w3.org/2000/svg\" width=\"" + num(width) +
                      "\" height=\"" + num(height) + "\" viewBox=\"0 0 " + num(width) + " " + num(height) +
                      "\">";
    out += "<path d=\"M4 " + num(y - 6) + " v12 M10 " + num(y - 6) + " v12\"/>";
    line(4, y, margin, y, out);
    draw(root_, margin, y, out);
    line(margin + root_.width, y, width - 4, y, out);
    out += "<path d=\"M" + num(width - 10) + " " + num(y - 6) + " v12 M" + num(width - 4) + " " +
           num(y - 6) + " v12\"/></svg>";
    return out;
}

}
