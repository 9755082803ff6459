#ifndef ORVEL_RULETRACER_HPP
#define ORVEL_RULETRACER_HPP

#include <tuple>

namespace orvel {

// Traces one rule of a generated recognizer while tracing is on there
// (`isTracing()`): `traceIn(rule, where...)` on construction and
// `traceOut(rule, where...)` on destruction, whichever way the rule ends.
// `where` is what the recognizer's trace shows besides the rule's name (a
// tree parser's node the rule began at); nothing for a parser. `rule` must
// outlive the tracer, and so must the recognizer; `where` is kept (copied)
// only while tracing.
template <class Recognizer, class... Where>
class RuleTracer {
public:
    RuleTracer(Recognizer& r, const char* rule, const Where&... where)
        : r_(r.isTracing() ? &r : nullptr), rule_(rule), where_((r_ ? where : Where())...)
    {
        if (r_)
            std::apply([this](const Where&... w) { r_->traceIn(rule_, w...); }, where_);
    }
    ~RuleTracer()
    {
        if (r_)
            std::apply([this](const Where&... w) { r_->traceOut(rule_, w...); }, where_);
    }
    RuleTracer(const RuleTracer&) = delete;
    RuleTracer& operator=(const RuleTracer&) = delete;

private:
    Recognizer* r_;  // null while tracing is off
    const char* rule_;
    std::tuple<Where...> where_;
};

}

#endif
