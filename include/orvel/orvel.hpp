#ifndef ORVEL_ORVEL_HPP
#define ORVEL_ORVEL_HPP

// Includes every public header of orvel.

#include <orvel/AST.hpp>
#include <orvel/ASTArray.hpp>
#include <orvel/ASTFactory.hpp>
#include <orvel/ASTNULLType.hpp>
#include <orvel/ASTPair.hpp>
#include <orvel/ASTRef.hpp>
#include <orvel/ASTRefCount.hpp>
#include <orvel/AttributeReader.hpp>
#include <orvel/BaseAST.hpp>
#include <orvel/BitSet.hpp>
#include <orvel/CharBuffer.hpp>
#include <orvel/CharScanner.hpp>
#include <orvel/CharScannerLiteralsLess.hpp>
#include <orvel/CircularQueue.hpp>
#include <orvel/CommonAST.hpp>
#include <orvel/CommonASTWithHiddenTokens.hpp>
#include <orvel/CommonHiddenStreamToken.hpp>
#include <orvel/CommonToken.hpp>
#include <orvel/Export.hpp>
#include <orvel/IOException.hpp>
#include <orvel/InputBuffer.hpp>
#include <orvel/IntrusiveRefCount.hpp>
#include <orvel/LLkParser.hpp>
#include <orvel/LexerInputState.hpp>
#include <orvel/LookaheadSync.hpp>
#include <orvel/MismatchedCharException.hpp>
#include <orvel/MismatchedTokenException.hpp>
#include <orvel/NoViableAltException.hpp>
#include <orvel/NoViableAltForCharException.hpp>
#include <orvel/ORVELException.hpp>
#include <orvel/Parser.hpp>
#include <orvel/ParserInputState.hpp>
#include <orvel/RecognitionException.hpp>
#include <orvel/RefCount.hpp>
#include <orvel/TextUtils.hpp>
#include <orvel/Token.hpp>
#include <orvel/TokenBuffer.hpp>
#include <orvel/TokenRef.hpp>
#include <orvel/TokenRefCount.hpp>
#include <orvel/TokenStream.hpp>
#include <orvel/TokenStreamBasicFilter.hpp>
#include <orvel/TokenStreamException.hpp>
#include <orvel/TokenStreamHiddenTokenFilter.hpp>
#include <orvel/TokenStreamRetryException.hpp>
#include <orvel/TokenStreamRewriteEngine.hpp>
#include <orvel/TokenStreamSelector.hpp>
#include <orvel/TokenWithIndex.hpp>
#include <orvel/TreeParser.hpp>
#include <orvel/TreeParserInputState.hpp>

#endif
