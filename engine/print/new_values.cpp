#include "engine/print/new_values.h"

#include <string_view>

#include "engine/link/exchange_guard.h"
#include "engine/link/serial_link.h"
#include "engine/model/label_setup.h"
#include "engine/model/variables.h"
#include "engine/print/append_printf.h"
#include "engine/print/command_sender.h"
#include "engine/print/printing.h"

namespace zk {

namespace {

void AppendValue(std::string& out, std::string_view value)
{
    for (const char c : value) {
        if (c != '\r' && c != '\n') {
            out.push_back(c);
        }
    }
}

}  // namespace

std::string NewValueLines()
{
    std::string out = "?\r\n";
    for (const TVariable& variable : Variables) {
        if (variable.Defined == 0) {
            continue;
        }
        if (variable.Value.empty()) {
            out += " \r\n";
        } else {
            AppendValue(out, variable.Value.view());
            out += "\r\n";
        }
    }
    for (const TVariable& counter : Counters) {
        if (counter.Defined == 0) {
            continue;
        }
        if (counter.Value.empty()) {
            out += "0\r\n";
        } else {
            AppendValue(out, counter.Value.view());
            out += "\n";
        }
    }
    return out;
}

bool SendNewValues()
{
    TExchangeGuard exchange;
    if (!OpenPort()) {
        return false;
    }
    const bool sent = SendCommandText("\r\n") && SendCommandText(NewValueLines());
    ClosePort();
    return sent;
}

bool PrintFormWithNewValues(const std::string& formName)
{
    TExchangeGuard exchange;
    if (!OpenPort()) {
        return false;
    }
    std::string select;
    AppendPrintf(select, "\r\nFR\"%s\"\r\n", formName.c_str());
    std::string print;
    AppendPrintf(print, "P%d,%d\r\n", Settings.PrintSets, Settings.PrintCopies);
    const bool sent = SendCommandText(select) && SendCommandText(NewValueLines()) && SendCommandText(print);
    if (sent) {
        IncrementCounters(Settings.PrintSets);
    }
    ClosePort();
    return sent;
}

}  // namespace zk
