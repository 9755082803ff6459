#include "reader/Grammar.hpp"

namespace orvelc {

const Option* findOption(const std::vector<Option>& options, const std::string& name)
{
    for (const Option& o : options)
        if (o.name == name)
            return &o;
    return nullptr;
}

}
