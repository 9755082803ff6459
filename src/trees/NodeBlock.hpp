#ifndef ORVEL_SRC_NODEBLOCK_HPP
#define ORVEL_SRC_NODEBLOCK_HPP

#include <orvel/ASTRef.hpp>
#include <orvel/CommonAST.hpp>

#include "foundations/Recycler.hpp"

namespace orvel::detail {

// A CommonAST made by CommonAST::factory() together with its count record,
// in one allocation recycled per thread. The record's storage comes first, so
// the record's address is the block's.
struct NodeBlock {
    alignas(ASTRef) unsigned char record[sizeof(ASTRef)];
    alignas(CommonAST) unsigned char node[sizeof(CommonAST)];
};

using NodeBlocks = Recycler<sizeof(NodeBlock)>;

}

#endif
