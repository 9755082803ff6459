#ifndef ORVEL_ERRORCOUNTER_HPP
#define ORVEL_ERRORCOUNTER_HPP

#include <orvel/Export.hpp>

namespace orvel {

// Counts the errors a recognizer reported and stops it at a limit. Lexers,
// parsers and tree parsers each hold one and count in reportSyntaxError().
class ORVEL_API ErrorCounter {
public:
    // Counts one reported error. Throws ErrorLimitException when the count
    // reaches the limit (the count then stays counted).
    void count();
    // Returns the number of errors counted so far.
    int getCount() const { return errors; }
    // Sets the number of errors after which count() throws; 0 for no limit.
    // Throws ORVELException, changing nothing, when `n` is negative.
    void setLimit(int n);
    // Returns the limit, 0 when there is none.
    int getLimit() const { return limit; }

private:
    int errors = 0;
    int limit = 0;
};

}

#endif
