#include <orvel/ASTArray.hpp>

#include <utility>

namespace orvel {

ASTArray::ASTArray(int capacity) : size(capacity)
{
    if (capacity > 0)
        array.reserve(static_cast<std::size_t>(capacity));
}

ASTArray* ASTArray::add(ASTRefCount<AST> node)
{
    array.push_back(std::move(node));
    return this;
}

}
