#include "engine/formread/variable_reply.h"

#include <string>

#include "engine/expr/data_expression.h"
#include "engine/formread/quoted_text.h"
#include "engine/link/comm_link.h"
#include "engine/link/exchange_guard.h"
#include "engine/link/serial_link.h"

namespace zk {

std::array<TVariable, VariableCount> ReceivedVariables;
std::array<TVariable, CounterCount> ReceivedCounters;
std::array<TVariable, VariableCount> VarCntDialogVariables;
std::array<TVariable, CounterCount> VarCntDialogCounters;

namespace {

// Characters of one VI reply line, plus one.
constexpr std::size_t VariableLineSize = 127;
// A reply has a line per variable and counter; what follows that many
// lines is read to its end, within bounds, and dropped.
constexpr std::size_t MaxVariableReplyLines = VariableCount + CounterCount;

// Column positions of a V or C line.
constexpr std::size_t IndexColumn = 1;
constexpr std::size_t LengthColumn = 4;
constexpr std::size_t JustificationColumn = 7;
constexpr std::size_t PadColumn = 8;
constexpr std::size_t PromptOrStepColumn = 10;

char At(std::string_view text, std::size_t pos) { return pos < text.size() ? text[pos] : '\0'; }

// Up to two digits at pos; none = 0.
unsigned TwoDigits(std::string_view text, std::size_t pos)
{
    unsigned value = 0;
    for (std::size_t i = pos; i < pos + 2 && At(text, i) >= '0' && At(text, i) <= '9'; ++i) {
        value = value * 10 + static_cast<unsigned>(At(text, i) - '0');
    }
    return value;
}

// "N", "L", "C" or "R"; anything else reads as no justification.
std::uint8_t JustificationOf(char letter)
{
    switch (letter) {
    case 'L': return 1;
    case 'C': return 2;
    case 'R': return 3;
    default: return 0;
    }
}

// Spaces, control characters and bytes 128..255 end no prompt.
void CutTrailingBlanks(std::string& text)
{
    while (!text.empty() && static_cast<signed char>(text.back()) <= 32) {
        text.pop_back();
    }
}

}  // namespace

std::optional<TVariableLine> ReadVariableLine(std::string_view line, bool withValue)
{
    const char letter = At(line, 0);
    if (letter != 'V' && letter != 'C') {
        return std::nullopt;
    }
    TVariableLine read;
    read.Counter = letter == 'C';
    read.Index = TwoDigits(line, IndexColumn);
    if (read.Index >= (read.Counter ? CounterCount : VariableCount)) {
        return std::nullopt;
    }
    TVariable& record = read.Record;
    record.Defined = 1;
    record.Length = static_cast<std::uint8_t>(TwoDigits(line, LengthColumn));
    record.Justification = JustificationOf(At(line, JustificationColumn));
    record.PadChar = static_cast<std::uint8_t>(At(line, PadColumn));
    std::size_t promptColumn = PromptOrStepColumn;
    if (read.Counter) {
        std::int16_t step = 0;
        const std::size_t stepLength = ParseSignedNumber(line.substr(std::min(PromptOrStepColumn, line.size())), step);
        record.Step = static_cast<std::int8_t>(step & 0xFF);
        promptColumn += stepLength + 1;
    }
    const std::string_view fromPrompt = line.substr(std::min(promptColumn, line.size()));
    std::string prompt;
    const std::size_t promptLength = ReadQuotedValue(fromPrompt, prompt);
    CutTrailingBlanks(prompt);
    record.Prompt = prompt;
    if (withValue && promptLength > 0 && At(fromPrompt, promptLength) == ',') {
        std::string value;
        ReadQuotedValue(fromPrompt.substr(promptLength + 1), value);
        record.Value = value;
    }
    return read;
}

int ReceiveVariables(int target)
{
    TExchangeGuard exchange;
    for (auto& record : ReceivedVariables) record = TVariable{};
    for (auto& record : ReceivedCounters) record = TVariable{};
    if (!OpenPort()) {
        return 0;
    }
    PrinterPrintf("\r\n\nVI\r\n");
    if (CommLink.WriteAborted != 0) {
        ClosePort();
        return 0;
    }
    int lines = 0;
    bool ended = false;
    std::string line;
    for (std::size_t taken = 0; taken < MaxVariableReplyLines && !ended; ++taken) {
        ReceiveLineDroppingRest(line, VariableLineSize);
        if (CommLink.LinkError != 0) {
            ClosePort();
            return 0;
        }
        // A line longer than a V or C line can be is no line of ours.
        if (CommLink.LineTooLong != 0 && CommLink.EndOfReply == 0) {
            continue;
        }
        ended = CommLink.EndOfReply != 0 || (!line.starts_with('V') && !line.starts_with('C'));
        if (ended) {
            break;
        }
        ++lines;
        if (const auto read = ReadVariableLine(line, target != 0)) {
            (read->Counter ? ReceivedCounters[read->Index] : ReceivedVariables[read->Index]) = read->Record;
        }
    }
    if (!ended) {
        DrainReply();
    }
    ClosePort();
    if (target == VariablesTargetDialog) {
        VarCntDialogVariables = ReceivedVariables;
        VarCntDialogCounters = ReceivedCounters;
    } else if (target != VariablesTargetReceived) {
        Variables = ReceivedVariables;
        Counters = ReceivedCounters;
    }
    return lines;
}

void ResetReceivedVariables()
{
    ReceivedVariables = {};
    ReceivedCounters = {};
    VarCntDialogVariables = {};
    VarCntDialogCounters = {};
}

}  // namespace zk
