#include <orvel/CommonHiddenStreamToken.hpp>

#include <vector>

namespace orvel {

namespace {

// Set while the links of a run that is being freed are cleared: every token
// of that run is held by the freeing itself then, so the shares dropped need
// no check. The tokens are freed after the flag is cleared, so what their
// deletion drops (links into other runs) is checked as usual.
thread_local bool clearingRun = false;

// Sets clearingRun for the life of the guard, and clears it however that ends.
class ClearingRun {
public:
    ClearingRun() { clearingRun = true; }
    ~ClearingRun() { clearingRun = false; }
    ClearingRun(const ClearingRun&) = delete;
    ClearingRun& operator=(const ClearingRun&) = delete;
};

CommonHiddenStreamToken* asHidden(const TokenRefCount<Token>& t)
{
    return dynamic_cast<CommonHiddenStreamToken*>(t.get());
}

}

CommonHiddenStreamToken::CommonHiddenStreamToken(int t, const std::string& txt)
    : CommonToken(t, txt)
{
}

CommonHiddenStreamToken::CommonHiddenStreamToken(const std::string& s) : CommonToken(s) {}

void CommonHiddenStreamToken::setHiddenBefore(TokenRefCount<Token> t)
{
    hiddenBefore = t;
    watchRun();
}

void CommonHiddenStreamToken::setHiddenAfter(TokenRefCount<Token> t)
{
    hiddenAfter = t;
    watchRun();
}

TokenRefCount<Token> CommonHiddenStreamToken::factory() { return new CommonHiddenStreamToken; }

CommonHiddenStreamToken* CommonHiddenStreamToken::runBefore() const
{
    CommonHiddenStreamToken* before = asHidden(hiddenBefore);
    return before && before->hiddenAfter.get() == this ? before : nullptr;
}

CommonHiddenStreamToken* CommonHiddenStreamToken::runAfter() const
{
    CommonHiddenStreamToken* after = asHidden(hiddenAfter);
    return after && after->hiddenBefore.get() == this ? after : nullptr;
}

void CommonHiddenStreamToken::watchRun()
{
    for (CommonHiddenStreamToken* neighbour : {runBefore(), runAfter()}) {
        if (neighbour && ref && neighbour->ref) {
            ref->inHiddenRun = true;
            neighbour->ref->inHiddenRun = true;
        }
    }
}

// A token without a record, or whose record is on its way out, counts as
// held: its shares are in flux, and the drop that settles them checks again.
bool CommonHiddenStreamToken::heldFromOutsideRun() const
{
    const unsigned int runLinks = (runBefore() ? 1u : 0u) + (runAfter() ? 1u : 0u);
    return !ref || ref->count == 0 || ref->count > runLinks;
}

// The run's links form a chain (or a ring) in which each token has at most
// one neighbour either way. The walk goes both ways at once, since a share
// from outside is most often right next to the token whose share was dropped,
// and stops at the first such share. When there is none, every token gets a
// share of its own while the run's links are cleared, then the shares go: no
// token is freed while its links are being changed.
void CommonHiddenStreamToken::releaseRunIfUnreachable(CommonHiddenStreamToken& start)
{
    if (clearingRun || start.heldFromOutsideRun())
        return;
    std::vector<CommonHiddenStreamToken*> run{&start};
    CommonHiddenStreamToken* back = start.runBefore();
    CommonHiddenStreamToken* ahead = start.runAfter();
    while (back || ahead) {
        for (CommonHiddenStreamToken** side : {&back, &ahead}) {
            CommonHiddenStreamToken* token = *side;
            if (!token)
                continue;
            if (token == &start) {
                *side = nullptr;
                continue;
            }
            if (token->heldFromOutsideRun())
                return;
            run.push_back(token);
            *side = side == &back ? token->runBefore() : token->runAfter();
        }
    }

    const std::vector<TokenRefCount<Token>> held(run.begin(), run.end());
    const ClearingRun clearing;
    for (CommonHiddenStreamToken* token : run) {
        if (CommonHiddenStreamToken* before = token->runBefore()) {
            token->hiddenBefore = nullToken;
            before->hiddenAfter = nullToken;
        }
    }
}

}
