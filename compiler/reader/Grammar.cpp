#include "reader/Grammar.hpp"

namespace orvelc {

const Option* findOption(const std::vector<Option>& options, const std::string& name)
{
    for (const Option& o : options)
        if (o.name == name)
            return &o;
    return nullptr;
}

std::string elementName(const Node& element)
{
    if (!element.label.empty())
        return element.label;
    const bool named = element.kind == NodeKind::TokenRef || element.kind == NodeKind::RuleRef;
    return named ? element.text : std::string();
}

}
