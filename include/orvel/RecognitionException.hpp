#ifndef ORVEL_RECOGNITIONEXCEPTION_HPP
#define ORVEL_RECOGNITIONEXCEPTION_HPP

#include <orvel/ORVELException.hpp>

#include <string>

namespace orvel {

// Base of every grammar error. It carries where the error was found and
// renders that position in front of the message:
//
//     t.g:3:7: expecting ID, found 'x'
//
// Line and column are as the recognizer supplied them; -1 means "none", so a
// line of -1 hides both line and column. Subclasses override getMessage() only.
class ORVEL_API RecognitionException : public ORVELException {
public:
    // The message "parsing error", no file, no line, no column.
    RecognitionException();
    // `message`, no file, no line, no column.
    explicit RecognitionException(const std::string& message);
    // `message` found in `fileName` at `line` and `column` (-1: none).
    RecognitionException(const std::string& message, const std::string& fileName,
                         int line, int column);

    // Returns getFileLineColumnString() directly followed by getMessage(), both
    // dispatched virtually.
    std::string toString() const override;

    // Returns the name of the input, empty when unknown.
    virtual std::string getFilename() const noexcept;
    // Returns the line, or -1.
    virtual int getLine() const;
    // Returns the column, or -1.
    virtual int getColumn() const;
    // Returns the position prefix: "file:line:column: " with the absent parts
    // left out ("line 3:7: " without a file); always ends with one blank.
    virtual std::string getFileLineColumnString() const;

protected:
    std::string fileName;
    int line = -1;
    int column = -1;
};

}

#endif
