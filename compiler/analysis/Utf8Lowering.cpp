#include "analysis/Utf8Lowering.hpp"

#include "reader/Utf8.hpp"

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

namespace orvelc {

namespace {

using Interval = std::pair<int, int>;
using ByteRanges = std::vector<Interval>;  // one byte range per byte of a sequence

// The first code point that needs `bytes` bytes, for 1 to 4 (and 5: past the last).
int firstOfLength(int bytes)
{
    const int first[] = {0, 0, 0x80, 0x800, 0x10000, maxCodePoint + 1};
    return first[bytes];
}

// The byte sequences of the code points `low`..`high`, which need the same
// number of bytes: each sequence stands for every combination of its ranges.
void splitSameLength(int low, int high, std::vector<ByteRanges>& out)
{
    const std::string a = encodeUtf8(low);
    const std::string b = encodeUtf8(high);
    const std::size_t n = a.size();
    if (n == 1) {
        out.push_back({{low, high}});
        return;
    }
    // Where the two encodings first differ; the bytes after it must span
    // every continuation byte for one sequence to cover the range.
    for (std::size_t i = 1; i < n; ++i) {
        const int shift = 6 * static_cast<int>(i);
        const int mask = (1 << shift) - 1;
        if ((low & ~mask) != (high & ~mask)) {
            if ((low & mask) != 0) {
                splitSameLength(low, low | mask, out);
                splitSameLength((low | mask) + 1, high, out);
                return;
            }
            if ((high & mask) != mask) {
                splitSameLength(low, (high & ~mask) - 1, out);
                splitSameLength(high & ~mask, high, out);
                return;
            }
        }
    }
    ByteRanges seq;
    for (std::size_t i = 0; i < n; ++i)
        seq.emplace_back(static_cast<unsigned char>(a[i]), static_cast<unsigned char>(b[i]));
    out.push_back(seq);
}

// The byte sequences of the code points `low`..`high`, surrogates left out.
void split(int low, int high, std::vector<ByteRanges>& out)
{
    if (low <= lastSurrogate && high >= firstSurrogate) {
        if (low < firstSurrogate)
            split(low, firstSurrogate - 1, out);
        if (high > lastSurrogate)
            split(lastSurrogate + 1, high, out);
        return;
    }
    for (int bytes = 1; bytes <= 4; ++bytes) {
        const int from = std::max(low, firstOfLength(bytes));
        const int to = std::min(high, firstOfLength(bytes + 1) - 1);
        if (from <= to)
            splitSameLength(from, to, out);
    }
}

std::unique_ptr<Node> byteNode(Interval bytes, Position pos)
{
    auto node = std::make_unique<Node>();
    node->pos = pos;
    node->low = bytes.first;
    node->high = bytes.second;
    node->kind = bytes.first == bytes.second ? NodeKind::Char : NodeKind::Range;
    if (node->kind == NodeKind::Char)
        node->text = std::string(1, static_cast<char>(bytes.first));
    return node;
}

// The runs of consecutive values in `bytes` (ascending).
std::vector<Interval> runs(const std::vector<int>& bytes)
{
    std::vector<Interval> out;
    for (const int b : bytes) {
        if (!out.empty() && out.back().second + 1 == b)
            out.back().second = b;
        else
            out.emplace_back(b, b);
    }
    return out;
}

// One element that matches any byte of `bytes`: a character, a range, or
// `~` of the bytes that are not in it, which the code tests as one set.
std::unique_ptr<Node> byteSet(const std::vector<int>& bytes, Position pos)
{
    const std::vector<Interval> in = runs(bytes);
    if (in.size() == 1)
        return byteNode(in[0], pos);
    std::vector<int> others;
    for (int b = 0, i = 0; b < 256; ++b) {
        if (i < static_cast<int>(bytes.size()) && bytes[static_cast<std::size_t>(i)] == b)
            ++i;
        else
            others.push_back(b);
    }
    auto operand = std::make_unique<Node>();
    operand->kind = NodeKind::Block;
    operand->pos = pos;
    for (const Interval& run : runs(others)) {
        operand->alts.emplace_back();
        operand->alts.back().push_back(byteNode(run, pos));
        operand->manualAlts.push_back(false);
    }
    auto node = std::make_unique<Node>();
    node->kind = NodeKind::Not;
    node->pos = pos;
    node->alts.emplace_back();
    node->alts.back().push_back(std::move(operand));
    return node;
}

// A subrule that matches the sequences, deciding on one byte at a time:
// the first bytes after which the same sequences go on make one
// alternative, which goes on in a nested subrule when they differ.
std::unique_ptr<Node> subrule(const std::vector<ByteRanges>& seqs, Position pos)
{
    std::vector<std::vector<ByteRanges>> rests(256);
    for (const ByteRanges& s : seqs)
        for (int b = s[0].first; b <= s[0].second; ++b)
            rests[static_cast<std::size_t>(b)].push_back(ByteRanges(s.begin() + 1, s.end()));
    // Each different rest with its first bytes, in the order of the bytes.
    std::vector<std::pair<std::vector<ByteRanges>, std::vector<int>>> groups;
    for (int b = 0; b < 256; ++b) {
        const auto& rest = rests[static_cast<std::size_t>(b)];
        if (rest.empty())
            continue;
        auto group = std::find_if(groups.begin(), groups.end(),
                                  [&](const auto& g) { return g.first == rest; });
        if (group == groups.end())
            groups.emplace_back(rest, std::vector<int>{b});
        else
            group->second.push_back(b);
    }
    auto block = std::make_unique<Node>();
    block->kind = NodeKind::Block;
    block->pos = pos;
    for (const auto& [rest, bytes] : groups) {
        Sequence alt;
        alt.push_back(byteSet(bytes, pos));
        if (rest.size() > 1)
            alt.push_back(subrule(rest, pos));
        else
            for (const Interval& i : rest.front())
                alt.push_back(byteNode(i, pos));
        block->alts.push_back(std::move(alt));
        block->manualAlts.push_back(false);
    }
    return block;
}

class Lowering {
public:
    explicit Lowering(Diagnostics& d) : diagnostics_(d) {}

    // Lowers what `node` holds. A subrule whose alternatives are each one
    // character or range becomes one decision on bytes, so that characters
    // that begin with the same byte do not make alternatives that one byte
    // cannot tell apart.
    void visit(Node& node)
    {
        std::vector<Interval> points;
        if (node.kind == NodeKind::Block && collect(node, points)) {
            const bool wide = std::any_of(points.begin(), points.end(),
                                          [](const Interval& i) { return i.second >= 0x80; });
            if (wide) {
                std::vector<ByteRanges> seqs;
                for (const Interval& i : points)
                    split(i.first, i.second, seqs);
                std::unique_ptr<Node> merged = subrule(seqs, node.pos);
                node.alts = std::move(merged->alts);
                node.manualAlts = std::move(merged->manualAlts);
            }
            return;
        }
        for (Sequence& alt : node.alts)
            for (std::unique_ptr<Node>& e : alt)
                lower(e);
    }

private:
    // Replaces `node` by the subrule of its byte sequences where it needs one.
    void lower(std::unique_ptr<Node>& node)
    {
        std::vector<Interval> points;
        switch (node->kind) {
        case NodeKind::Char:
            if (node->low < 0x80)
                return;
            points.emplace_back(node->low, node->low);
            break;
        case NodeKind::Range:
            if (node->high < 0x80)
                return;
            points.emplace_back(node->low, node->high);
            break;
        case NodeKind::Wildcard:
            points.emplace_back(0, maxCodePoint);
            break;
        case NodeKind::Not:
            if (!complement(*node, points))
                return;
            break;
        default:
            visit(*node);
            return;
        }
        if (!node->label.empty()) {
            diagnostics_.error(node->pos, "label " + node->label +
                                              ": in a unicode lexer, a character beyond ASCII, . or ~ "
                                              "has no single value");
            return;
        }
        std::vector<ByteRanges> seqs;
        for (const Interval& i : points)
            split(i.first, i.second, seqs);
        if (seqs.empty()) {
            diagnostics_.error(node->pos, "~ leaves no character to match");
            return;
        }
        node = subrule(seqs, node->pos);
    }

    // The code points a `~` node matches; false when its operand is no set
    // of characters (the analysis reports it).
    bool complement(const Node& node, std::vector<Interval>& out) const
    {
        std::vector<Interval> excluded;
        const Node& operand = *node.alts[0][0];
        if (operand.suffix != 0 || !collect(operand, excluded))
            return false;
        std::sort(excluded.begin(), excluded.end());
        int next = 0;
        for (const Interval& i : excluded) {
            if (i.first > next)
                out.emplace_back(next, i.first - 1);
            next = std::max(next, i.second + 1);
        }
        if (next <= maxCodePoint)
            out.emplace_back(next, maxCodePoint);
        return true;
    }

    // Adds the code points `node` matches, when it is a character, a range or
    // a subrule of alternatives that are each one of those, unlabelled;
    // false otherwise.
    static bool collect(const Node& node, std::vector<Interval>& out)
    {
        if (!node.label.empty())
            return false;
        switch (node.kind) {
        case NodeKind::Char: out.emplace_back(node.low, node.low); return true;
        case NodeKind::Range: out.emplace_back(node.low, node.high); return true;
        case NodeKind::Block:
            for (const Sequence& alt : node.alts)
                if (alt.size() != 1 || alt[0]->suffix != 0 || !collect(*alt[0], out))
                    return false;
            return true;
        default: return false;
        }
    }

    Diagnostics& diagnostics_;
};

// Reports the characters of several bytes, which a byte lexer cannot match.
void reportWide(const Node& node, Diagnostics& diagnostics)
{
    if (node.wide)
        diagnostics.error(node.pos, "a character of several bytes needs the lexer option unicode = true");
    for (const Sequence& alt : node.alts)
        for (const std::unique_ptr<Node>& e : alt)
            reportWide(*e, diagnostics);
}

}

void lowerUtf8(Grammar& grammar, Diagnostics& diagnostics)
{
    const Option* unicode = findOption(grammar.options, "unicode");
    for (auto& r : grammar.rules) {
        if (unicode && unicode->value == "true")
            Lowering(diagnostics).visit(*r->body);
        else
            reportWide(*r->body, diagnostics);
    }
}

}
