// The attribute reader over arbitrary text (it must end, with a value or an
// IOException) and over pairs it must read back as written; the bit set
// against std::set.
#include <orvel/AttributeReader.hpp>
#include <orvel/BitSet.hpp>
#include <orvel/IOException.hpp>

#include "Check.hpp"

#include <fuzzer/FuzzedDataProvider.h>

#include <cctype>
#include <cstdint>
#include <set>
#include <sstream>
#include <string>
#include <vector>

using namespace orvel;

namespace {

// Returns `value` quoted, with the escapes the reader resolves.
std::string quoted(const std::string& value)
{
    std::string out = "\"";
    for (char c : value) {
        if (c == '\0')
            out += "\\0";
        else if (c == '\\' || c == '"')
            out += std::string("\\") + c;
        else
            out += c;
    }
    return out + "\"";
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    std::istringstream raw(provider.ConsumeRandomLengthString(64));
    for (int i = 0; i < 64 && raw; ++i) {
        std::string name, value;
        try {
            read_AttributeNValue(raw, name, value);
        } catch (const IOException&) {
        }
    }

    std::string name;
    for (char c : provider.ConsumeRandomLengthString(8))
        if (std::isalnum(static_cast<unsigned char>(c)) || c == '_')
            name += c;
    const std::string value = provider.ConsumeRandomLengthString(16);
    std::istringstream written(" " + name + "= " + quoted(value) + " rest");
    std::string readName, readValue;
    read_AttributeNValue(written, readName, readValue);
    check(readName == name && readValue == value);

    BitSet bits(provider.ConsumeIntegralInRange(0u, 200u));
    std::set<unsigned int> model;
    while (provider.remaining_bytes() > 0) {
        const unsigned int element = provider.ConsumeIntegralInRange(0u, 1000u);
        if (provider.ConsumeBool()) {
            bits.add(element);
            model.insert(element);
        }
        check(bits.member(element) == (model.count(element) == 1));
    }
    const std::vector<unsigned int> members = bits.toArray();
    check(std::vector<unsigned int>(model.begin(), model.end()) == members);
    const BitSet copy = bits;
    check(copy.toArray() == members);
    return 0;
}
