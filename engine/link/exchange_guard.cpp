#include "engine/link/exchange_guard.h"

#include <deque>
#include <utility>

namespace zk {

namespace {

int activeGuards = 0;
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

TExchangeGuard::TExchangeGuard() { ++activeGuards; }

TExchangeGuard::~TExchangeGuard()
{
    // A reset of the engine state may already have cleared the count.
    if (activeGuards > 0 && --activeGuards == 0) {
        RunDeferredActions();
    }
}

bool ExchangeInProgress() { return activeGuards > 0; }

void RunWhenExchangeOver(std::function<void()> action)
{
    deferredActions.push_back(std::move(action));
    RunDeferredActions();
}

void ResetExchangeGuard()
{
    activeGuards = 0;
    deferredActions.clear();
}

}  // namespace zk
