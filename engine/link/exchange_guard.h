#pragma once
// Marks a printer exchange as running, from before its OpenPort to after its
// final ClosePort. While one runs, the waits of the link let window messages
// run, so the user can still reach the menus: commands that would start
// another exchange or replace the label test ExchangeInProgress() and beep
// instead, closing the main window waits, and a label handed over by a second
// instance is opened through RunWhenExchangeOver.
//
// Usage: every engine operation that talks to the printer declares one guard
// at its top, before OpenPort; chained exchanges and nested guards simply
// stack, and the exchange is over when the outermost guard goes.
//
//     TExchangeGuard exchange;
//     if (!OpenPort()) return;
//     ...
//     ClosePort();
//     ReportNoResponse();

#include <functional>

namespace zk {

class TExchangeGuard {
public:
    TExchangeGuard();
    ~TExchangeGuard();
    TExchangeGuard(const TExchangeGuard&) = delete;
    TExchangeGuard& operator=(const TExchangeGuard&) = delete;
};

bool ExchangeInProgress();

// Runs action at once when no exchange runs, else when the outermost guard
// goes, in the order the actions were queued.
void RunWhenExchangeOver(std::function<void()> action);

// Program start: no exchange, nothing queued.
void ResetExchangeGuard();

}  // namespace zk
