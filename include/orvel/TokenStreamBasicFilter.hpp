#ifndef ORVEL_TOKENSTREAMBASICFILTER_HPP
#define ORVEL_TOKENSTREAMBASICFILTER_HPP

#include <orvel/BitSet.hpp>
#include <orvel/Export.hpp>
#include <orvel/Token.hpp>
#include <orvel/TokenRefCount.hpp>
#include <orvel/TokenStream.hpp>

namespace orvel {

// A token stream that drops, from the stream it reads, every token whose type
// is in its discard set. A token of type Token::EOF_TYPE is never dropped, so
// the filter always ends at the end of its input.
//
// The filter reads its input without owning it: the input must outlive it.
class ORVEL_API TokenStreamBasicFilter : public TokenStream {
public:
    // A filter reading `input` (not owned) with an empty discard set.
    explicit TokenStreamBasicFilter(TokenStream& input);
    // A filter reading the filter `input` (not owned): stacking wraps, it
    // never copies. Filters cannot be copied.
    explicit TokenStreamBasicFilter(TokenStreamBasicFilter& input);
    TokenStreamBasicFilter(const TokenStreamBasicFilter&) = delete;
    TokenStreamBasicFilter& operator=(const TokenStreamBasicFilter&) = delete;

    // Adds `ttype` to the discard set. Throws TokenStreamException, changing
    // nothing, when `ttype` is negative.
    void discard(int ttype);
    // Replaces the discard set by a copy of `mask`; later calls of
    // discard(int) extend the copy, not `mask`.
    void discard(const BitSet& mask);

    // Returns the next token of the input whose type is not discarded; an
    // empty handle from the input is returned as it is. Exceptions of the
    // input pass through.
    TokenRefCount<Token> nextToken() override;
    ~TokenStreamBasicFilter() override;

protected:
    // Returns whether a token of type `ttype` is dropped: it is in the discard
    // set and is not the end-of-file type.
    bool isDiscarded(int ttype) const;

    BitSet discardMask;
    TokenStream& input;
};

}

#endif
