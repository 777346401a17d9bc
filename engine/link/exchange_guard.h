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

// Marks the window messages that the engine's waits let run (a link wait,
// a pause). Code reached from them while an exchange waits was not called by
// that exchange: it is a user's action that came in between.
class TWindowMessagesScope {
public:
    TWindowMessagesScope();
    ~TWindowMessagesScope();
    TWindowMessagesScope(const TWindowMessagesScope&) = delete;
    TWindowMessagesScope& operator=(const TWindowMessagesScope&) = delete;
};

// True for code reached from window messages let run inside the running
// exchange's waits: the link refuses it any traffic of its own, so that no
// exchange runs inside another, whichever handler started it.
bool EnteredDuringExchange();

// The window that runs the exchange closed while it waits: nobody is there
// to answer its questions, so a byte the printer refuses ends it at once.
// A new exchange starts with someone to ask again.
void AbandonRunningExchange();
bool RunningExchangeAbandoned();

// Runs action at once when no exchange runs, else when the outermost guard
// goes, in the order the actions were queued.
void RunWhenExchangeOver(std::function<void()> action);

// Program start: no exchange, nothing queued.
void ResetExchangeGuard();

}  // namespace zk
