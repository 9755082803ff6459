#include <orvel/CharScannerLiteralsLess.hpp>

#include <orvel/CharScanner.hpp>

#include <strings.h>

namespace orvel {

bool CharScannerLiteralsLess::operator()(const std::string& x, const std::string& y) const
{
    return (*this)(Lookup{x, scanner->getLiteralsCaseSensitive()}, y);
}

bool CharScannerLiteralsLess::caselessBefore(const std::string& x, const std::string& y)
{
    return strcasecmp(x.c_str(), y.c_str()) < 0;
}

}
