#include "engine/link/exchange_guard.h"

#include <deque>
#include <utility>

namespace zk {

namespace {

int activeGuards = 0;
// How many window-message runs of the engine's waits are on the stack, and
// how many were when the running exchange began.
int messageDepth = 0;
int exchangeDepth = 0;
bool abandoned = false;
std::deque<std::function<void()>> deferredActions;

void RunDeferredActions()
{
    // An action may start an exchange of its own; the rest then wait for it.
    while (activeGuards == 0 && !deferredActions.empty()) {
        auto action = std::move(deferredActions.front());
        deferredActions.pop_front();
        action();
    }
}

}  // namespace

TExchangeGuard::TExchangeGuard()
{
    if (activeGuards++ == 0) {
        exchangeDepth = messageDepth;
        abandoned = false;
    }
}

TExchangeGuard::~TExchangeGuard()
{
    // A reset of the engine state may already have cleared the count.
    if (activeGuards > 0 && --activeGuards == 0) {
        RunDeferredActions();
    }
}

bool ExchangeInProgress() { return activeGuards > 0; }

TWindowMessagesScope::TWindowMessagesScope() { ++messageDepth; }

TWindowMessagesScope::~TWindowMessagesScope() { --messageDepth; }

void AbandonRunningExchange() { abandoned = ExchangeInProgress(); }

bool RunningExchangeAbandoned() { return abandoned && ExchangeInProgress(); }

bool EnteredDuringExchange() { return activeGuards > 0 && messageDepth > exchangeDepth; }

void RunWhenExchangeOver(std::function<void()> action)
{
    deferredActions.push_back(std::move(action));
    RunDeferredActions();
}

void ResetExchangeGuard()
{
    activeGuards = 0;
    exchangeDepth = 0;
    abandoned = false;
    deferredActions.clear();
}

}  // namespace zk
