#ifndef ORVEL_TESTS_SUPPORT_TOKENPROBES_HPP
#define ORVEL_TESTS_SUPPORT_TOKENPROBES_HPP

#include <orvel/CommonHiddenStreamToken.hpp>
#include <orvel/TokenRef.hpp>

#include <string>
#include <vector>

namespace orvel::test {

// A token that writes its type into `deaths` when its destructor starts, and
// shows its count record. Being a CommonHiddenStreamToken, it can be chained.
class ProbeToken : public CommonHiddenStreamToken {
public:
    ProbeToken(int type, std::vector<int>& deaths) : CommonHiddenStreamToken(type, "probe"), deaths(deaths) {}
    ~ProbeToken() override { deaths.push_back(getType()); }

    // The token's count record (null before its first handle).
    const TokenRef* record() const { return ref; }
    // The number of handles that share the record (0 before the first).
    unsigned int shares() const { return ref ? ref->count : 0; }
    // The handle inside this token that keeps the hidden-after token alive.
    const TokenRefCount<Token>& afterLink() const { return hiddenAfter; }

private:
    std::vector<int>& deaths;
};

}

#endif
