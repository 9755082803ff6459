#include <orvel/CharBuffer.hpp>

#include <ostream>
#include <streambuf>
#include <typeinfo>

namespace orvel {

CharBuffer::CharBuffer(std::istream& input_) : input(input_) {}

// What istream::get() does, without building its sentry for every byte: the
// byte comes straight from the stream buffer, the state bits end as get()
// leaves them, and a tied stream is flushed only before a read that may wait
// for input (when nothing is left in the buffer).
int CharBuffer::getChar()
{
    using Traits = std::istream::traits_type;
    if (!typeKnown) {
        ownLookahead = typeid(*this) == typeid(CharBuffer);
        typeKnown = true;
    }
    if (!input.good()) {
        input.setstate(std::ios_base::failbit);
        return -1;
    }
    std::streambuf* const source = input.rdbuf();
    if (input.tie() && source->in_avail() <= 0)
        input.tie()->flush();
    Traits::int_type c;
    try {
        c = source->sbumpc();
    } catch (...) {
        readFailed();
        return -1;
    }
    if (Traits::eq_int_type(c, Traits::eof())) {
        input.setstate(std::ios_base::eofbit | std::ios_base::failbit);
        return -1;
    }
    return Traits::to_int_type(Traits::to_char_type(c));
}

// As get() after its stream buffer threw: badbit set, the exception passed on
// when badbit is among the stream's exceptions, otherwise failbit set as well
// (which throws std::ios_base::failure when failbit is among them).
void CharBuffer::readFailed()
{
    const std::ios_base::iostate mask = input.exceptions();
    input.exceptions(std::ios_base::goodbit);
    input.setstate(std::ios_base::badbit);
    if (mask & std::ios_base::badbit) {
        try {
            input.exceptions(mask);
        } catch (const std::ios_base::failure&) {
            // Restoring the mask reports the badbit just set; the buffer's own
            // exception is the one to pass on.
        }
        throw;
    }
    input.exceptions(mask);
    input.setstate(std::ios_base::failbit);
}

}
