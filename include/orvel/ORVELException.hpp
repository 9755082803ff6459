#ifndef ORVEL_ORVELEXCEPTION_HPP
#define ORVEL_ORVELEXCEPTION_HPP

#include <orvel/Export.hpp>

#include <exception>
#include <string>

namespace orvel {

// Root of every exception the library throws (the one exception is the token
// stream selector's name lookup, which throws a plain std::string). It is a
// std::exception, so `catch (const std::exception&)` sees recognizer failures
// too, and what() shows the same text as toString().
class ORVEL_API ORVELException : public std::exception {
public:
    // An exception with an empty message.
    ORVELException() = default;
    // An exception carrying `message`.
    explicit ORVELException(const std::string& message) : text(message) {}
    ~ORVELException() override = default;

    // Returns the message. Subclasses may add a position in front of it.
    virtual std::string toString() const;
    // Returns the message given at construction.
    virtual std::string getMessage() const;

    // Returns toString() (dispatched virtually) as a C string that this
    // exception keeps until it is destroyed or what() is called again; like
    // every other operation, not to be called from two threads at once. Should
    // the text not fit in memory, returns the message given at construction.
    const char* what() const noexcept override;

protected:
    std::string text;

private:
    mutable std::string rendered;
};

}

#endif
