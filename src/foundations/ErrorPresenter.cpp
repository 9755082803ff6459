#include <orvel/ErrorPresenter.hpp>

#include <orvel/ORVELException.hpp>

#include <algorithm>
#include <string_view>
#include <utility>

namespace orvel {

namespace {

constexpr std::string_view cutMark = "...";

}

ErrorPresenter::ErrorPresenter(std::string source_, int tabSize_, std::size_t width_)
    : source(std::move(source_)), tabSize(tabSize_), width(width_)
{
    if (tabSize < 1)
        throw ORVELException("tab size must be at least 1");
    if (width < 8)
        throw ORVELException("width must be at least 8");
    lineStarts.push_back(0);
    for (std::size_t i = 0; i < source.size(); ++i) {
        if (source[i] == '\n')
            lineStarts.push_back(i + 1);
    }
}

void ErrorPresenter::present(std::ostream& out, const RecognitionException& ex) const
{
    out << ex.toString() << std::endl;
    const int line = ex.getLine();
    if (line < 1 || static_cast<std::size_t>(line) > lineStarts.size())
        return;
    const std::string text = expandedLine(line);
    const int column = ex.getColumn();
    if (column < 1)
        out << text << std::endl;
    else
        showWithCaret(out, text, static_cast<std::size_t>(column) - 1);
}

void ErrorPresenter::showWithCaret(std::ostream& out, const std::string& text,
                                   std::size_t caret) const
{
    // A window of `width` columns around the caret, which may stand past the end.
    const std::size_t end = std::max(text.size(), caret + 1);
    std::size_t first = 0;
    if (end > width)
        first = std::min(caret >= width / 2 ? caret - width / 2 : 0, end - width);
    std::string shown = first < text.size() ? text.substr(first, width) : std::string();
    if (first > 0)
        shown.replace(0, cutMark.size(), cutMark);
    if (first + width < text.size())
        shown.replace(width - cutMark.size(), cutMark.size(), cutMark);
    out << shown << std::endl;
    out << std::string(caret - first, ' ') << '^' << std::endl;
}

void ErrorPresenter::present(std::ostream& out, const std::string& fileName, int line,
                             int column, const std::string& message) const
{
    present(out, RecognitionException(message, fileName, line, column));
}

std::string ErrorPresenter::expandedLine(int line) const
{
    const std::size_t begin = lineStarts[static_cast<std::size_t>(line) - 1];
    std::size_t end = static_cast<std::size_t>(line) < lineStarts.size()
                          ? lineStarts[static_cast<std::size_t>(line)] - 1
                          : source.size();
    if (end > begin && source[end - 1] == '\r')
        --end;
    std::string text;
    for (std::size_t i = begin; i < end; ++i) {
        if (source[i] == '\t') {
            const std::size_t stop = (text.size() / static_cast<std::size_t>(tabSize) + 1)
                                     * static_cast<std::size_t>(tabSize);
            text.append(stop - text.size(), ' ');
        } else {
            text += source[i];
        }
    }
    return text;
}

}
