// jsongen: writes a JSON document of about SIZE bytes to standard output, the
// same bytes for the same SIZE: an array of records, each an object with
// strings holding every escape and multi-byte UTF-8 characters, numbers of
// every form (signs, zero, fractions, exponents of both cases and signs, long
// integers), the three literals, and arrays and objects nested a few levels.
//
// Usage: jsongen SIZE
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

class Generator {
public:
    std::string out;

    void record(int id)
    {
        out += "{\"id\": ";
        out += std::to_string(id);
        out += ", \"name\": ";
        string();
        out += ", \"tags\": [";
        for (int i = 0, n = pick(5); i < n; ++i) {
            if (i)
                out += ", ";
            string();
        }
        out += "], \"values\": [";
        for (int i = 0, n = 1 + pick(8); i < n; ++i) {
            if (i)
                out += ",";
            number();
        }
        out += "],\n  \"flags\": {\"on\": true, \"off\": false, \"none\": null},\n  \"nested\": ";
        nested(4);
        out += "}";
    }

private:
    std::uint64_t state_ = 0x9e3779b97f4a7c15u;

    int pick(int n)
    {
        state_ = state_ * 6364136223846793005u + 1442695040888963407u;
        return static_cast<int>((state_ >> 33) % static_cast<std::uint64_t>(n));
    }

    void digits(int n)
    {
        for (int i = 0; i < n; ++i)
            out += static_cast<char>('0' + pick(10));
    }

    void number()
    {
        static const char* const exponents[] = {"e", "E", "e+", "E-", "e-", "E+"};
        if (pick(2))
            out += '-';
        if (pick(6) == 0)
            out += '0';
        else {
            out += static_cast<char>('1' + pick(9));
            digits(pick(pick(8) == 0 ? 20 : 6));
        }
        if (pick(2)) {
            out += '.';
            digits(1 + pick(8));
        }
        if (pick(3) == 0) {
            out += exponents[pick(6)];
            digits(1 + pick(3));
        }
    }

    void string()
    {
        static const char* const pieces[] = {
            "alpha", "beta gamma", "\\n", "\\t", "\\\"", "\\\\", "\\/", "\\b", "\\f", "\\r",
            "\\u00e9", "\\u20AC", "\\ud834\\udd1e", "caf\xc3\xa9", "\xe2\x82\xac", "\xf0\x9d\x84\x9e",
            " ", "0123456789", "delta_epsilon", "{[:,]}"};
        out += '"';
        for (int i = 0, n = 1 + pick(6); i < n; ++i)
            out += pieces[pick(20)];
        out += '"';
    }

    void nested(int depth)
    {
        const int kind = depth == 0 ? 2 + pick(3) : pick(5);
        switch (kind) {
        case 0:
            out += '[';
            for (int i = 0, n = pick(4); i < n; ++i) {
                if (i)
                    out += ", ";
                nested(depth - 1);
            }
            out += ']';
            break;
        case 1:
            out += '{';
            for (int i = 0, n = pick(4); i < n; ++i) {
                if (i)
                    out += ", ";
                string();
                out += ": ";
                nested(depth - 1);
            }
            out += '}';
            break;
        case 2:
            number();
            break;
        case 3:
            string();
            break;
        default:
            out += pick(3) == 0 ? "null" : pick(2) ? "true" : "false";
        }
    }
};

}

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: jsongen SIZE\n");
        return 2;
    }
    const std::size_t size = std::strtoull(argv[1], nullptr, 10);
    Generator g;
    std::size_t written = 0;
    g.out += "[\n";
    for (int id = 0; written + g.out.size() < size; ++id) {
        if (id)
            g.out += ",\n";
        g.record(id);
        if (g.out.size() > 1 << 16) {
            written += std::fwrite(g.out.data(), 1, g.out.size(), stdout);
            g.out.clear();
        }
    }
    g.out += "\n]\n";
    std::fwrite(g.out.data(), 1, g.out.size(), stdout);
    return 0;
}
