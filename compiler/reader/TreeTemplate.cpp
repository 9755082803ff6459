#include "reader/TreeTemplate.hpp"

namespace orvelc {

namespace {

void collect(const std::vector<TemplateItem>& items, TemplateSlot slot,
             std::map<std::string, TemplateSlot>& out)
{
    for (const TemplateItem& item : items) {
        switch (item.kind) {
        case TemplateItem::Kind::Element:
            out.emplace(item.name, slot);
            break;
        case TemplateItem::Kind::NewNode:
            break;
        case TemplateItem::Kind::Tree:
            collect(item.items, slot, out);
            break;
        case TemplateItem::Kind::Optional:
            collect(item.items, slot == TemplateSlot::Once ? TemplateSlot::Optional : slot, out);
            break;
        case TemplateItem::Kind::Repeat:
            collect(item.items, TemplateSlot::Repeated, out);
            break;
        }
    }
}

}

std::map<std::string, TemplateSlot> templateSlots(const TreeTemplate& tree)
{
    std::map<std::string, TemplateSlot> slots;
    collect(tree.items, TemplateSlot::Once, slots);
    return slots;
}

}
