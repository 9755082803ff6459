#include <orvel/TokenStreamSelector.hpp>

#include <orvel/TokenStreamException.hpp>
#include <orvel/TokenStreamRetryException.hpp>

namespace orvel {

TokenStreamSelector::TokenStreamSelector() = default;

TokenStreamSelector::~TokenStreamSelector() = default;

void TokenStreamSelector::addInputStream(TokenStream* stream, const std::string& key)
{
    streamsByName[key] = stream;
}

TokenStream* TokenStreamSelector::getStream(const std::string& name) const
{
    const auto found = streamsByName.find(name);
    if (found == streamsByName.end())
        throw std::string("TokenStream " + name + " not found");
    return found->second;
}

TokenStream* TokenStreamSelector::getCurrentStream() const { return currentStream; }

void TokenStreamSelector::select(TokenStream* stream) { currentStream = stream; }

void TokenStreamSelector::select(const std::string& name) { currentStream = getStream(name); }

void TokenStreamSelector::push(TokenStream* stream)
{
    streamStack.push(currentStream);
    select(stream);
}

void TokenStreamSelector::push(const std::string& name)
{
    streamStack.push(currentStream);
    select(name);
}

TokenStream* TokenStreamSelector::pop()
{
    if (streamStack.empty())
        throw TokenStreamException("TokenStreamSelector: pop() with no stream pushed");
    currentStream = streamStack.top();
    streamStack.pop();
    return currentStream;
}

void TokenStreamSelector::retry() { throw TokenStreamRetryException(); }

TokenRefCount<Token> TokenStreamSelector::nextToken()
{
    for (;;) {
        if (!currentStream)
            throw TokenStreamException("TokenStreamSelector: nextToken() with no stream selected");
        try {
            return currentStream->nextToken();
        } catch (const TokenStreamRetryException&) {
            // Abandoned: ask the stream that is current now.
        }
    }
}

}
