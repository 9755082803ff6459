#ifndef ORVEL_EXAMPLES_CALC_SUPPORT_HPP
#define ORVEL_EXAMPLES_CALC_SUPPORT_HPP

// What the calculator's generated recognizers call from their actions: error
// reports and the arithmetic with its variables.

#include <orvel/AST.hpp>
#include <orvel/ASTRefCount.hpp>
#include <orvel/ErrorPresenter.hpp>
#include <orvel/RecognitionException.hpp>

#include <cmath>
#include <map>
#include <ostream>
#include <string>
#include <utility>

namespace calc {

using Node = orvel::ASTRefCount<orvel::AST>;

// Writes every error of one run to a stream, with the source line and a caret
// under the column, and counts them.
class Reporter {
public:
    // Reports errors found in `source` to `err`, which must outlive it.
    Reporter(const std::string& source, std::ostream& err) : presenter(source), err(err) {}

    void report(const orvel::RecognitionException& ex)
    {
        ++count;
        presenter.present(err, ex);
    }
    // Returns the number of errors reported so far.
    int errors() const { return count; }

private:
    orvel::ErrorPresenter presenter;
    std::ostream& err;
    int count = 0;
};

// The calculator's numbers and variables. Every failure is thrown as a
// RecognitionException at the position of the node it concerns, in the file
// given to the constructor.
class Arithmetic {
public:
    explicit Arithmetic(std::string fileName) : fileName(std::move(fileName)) {}

    // Returns the value of NUMBER node `n`; throws "number out of range".
    double literal(const Node& n) const;
    // Returns `v`; throws "result out of range" at `at` when it is infinite and
    // "result undefined" when it is not a number.
    double checked(double v, const Node& at) const;
    // Return a / b and the remainder of a / b (with the sign of a); throw
    // "division by zero" at `at` when b is 0.
    double divide(double a, double b, const Node& at) const;
    double remainder(double a, double b, const Node& at) const;
    // Sets the variable named by ID node `name` to `v`.
    void assign(const Node& name, double v);
    // Returns the value of the variable named by ID node `name`; throws
    // "unknown variable NAME".
    double lookup(const Node& name) const;

    // Writes `v` and an end of line: up to 15 significant digits, so that
    // 0.1 + 0.2 prints 0.3, in exponent form beyond that.
    static void print(std::ostream& out, double v);

    // Returns an exception with `message` at the position of node `at`.
    orvel::RecognitionException error(const Node& at, const std::string& message) const;

private:
    std::string fileName;
    std::map<std::string, double> variables;
};

}

#endif
