#include <orvel/RecognitionException.hpp>

#include <orvel/TextUtils.hpp>

namespace orvel {

RecognitionException::RecognitionException() : ORVELException("parsing error") {}

RecognitionException::RecognitionException(const std::string& message)
    : ORVELException(message)
{
}

RecognitionException::RecognitionException(const std::string& message,
                                           const std::string& fileName_, int line_,
                                           int column_)
    : ORVELException(message), fileName(fileName_), line(line_), column(column_)
{
}

std::string RecognitionException::toString() const
{
    return getFileLineColumnString() + getMessage();
}

std::string RecognitionException::getFilename() const noexcept { return fileName; }

int RecognitionException::getLine() const { return line; }

int RecognitionException::getColumn() const { return column; }

std::string RecognitionException::getFileLineColumnString() const
{
    std::string prefix;
    if (!fileName.empty())
        prefix += fileName + ":";
    if (line != -1) {
        if (fileName.empty())
            prefix += "line ";
        prefix = prefix + line;
        if (column != -1)
            prefix = prefix + ":" + column;
        prefix += ":";
    }
    prefix += " ";
    return prefix;
}

}
