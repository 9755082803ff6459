#ifndef ORVEL_ERRORPRESENTER_HPP
#define ORVEL_ERRORPRESENTER_HPP

#include <orvel/Export.hpp>
#include <orvel/RecognitionException.hpp>

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

namespace orvel {

// Shows an error in the text it was found in: the one-line report, then the
// source line and a caret under the column.
//
//     calc:2:7: expecting INT, found ';'
//     y = 4 ;
//           ^
//
// Opt-in: recognizers report one line; a program that keeps its source text
// can call present() from its own reportError() instead. Tabs in the shown
// line are expanded to spaces at the tab stops the scanner counts columns by,
// so the caret stands under the column whatever the terminal does with tabs.
// A line wider than the presenter's width is cut to a window around the
// column, "..." marking each cut end. Columns count bytes, as the scanner does.
class ORVEL_API ErrorPresenter {
public:
    // Shows errors found in `source`, of which it keeps its own copy. Lines end
    // at "\n"; a "\r" before it is not shown. Columns move to the next stop of
    // every `tabSize` columns at a tab, as in CharScanner (8 by default).
    // Throws ORVELException "tab size must be at least 1" or "width must be
    // at least 8", and builds nothing, for smaller values.
    explicit ErrorPresenter(std::string source, int tabSize = 8, std::size_t width = 100);

    // Writes ex.toString() and an end of line to `out`; then, when the
    // exception's line is a line of the source (counted from 1), that line;
    // then, when its column is 1 or more, spaces and a "^" under the column
    // (after the end of the line for an error at its end or at end of input).
    // Every line ends with an end of line that flushes.
    void present(std::ostream& out, const RecognitionException& ex) const;
    // As present(out, ex) for an error with `message` found in `fileName`
    // (may be empty) at `line` and `column` (-1: none).
    void present(std::ostream& out, const std::string& fileName, int line, int column,
                 const std::string& message) const;

private:
    // Returns line `line` (from 1) with its tabs expanded; it must exist.
    std::string expandedLine(int line) const;
    // Writes `text`, cut to a window when it is too wide, and a line with a
    // caret at index `caret` of `text` (may be past its end).
    void showWithCaret(std::ostream& out, const std::string& text, std::size_t caret) const;

    std::string source;
    std::vector<std::size_t> lineStarts;
    int tabSize;
    std::size_t width;
};

}

#endif
