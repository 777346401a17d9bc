// The short print commands and the raw senders the print stream uses.

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "engine/link/comm_link.h"
#include "engine/link/exchange_guard.h"
#include "engine/link/serial_link.h"
#include "engine/model/label_setup.h"
#include "engine/model/variables.h"
#include "engine/print/append_printf.h"
#include "engine/print/command_lines.h"
#include "engine/print/command_sender.h"
#include "engine/print/graphics_commands.h"
#include "engine/print/printing.h"
#include "engine/report/reporting.h"
#include "engine/text/printer_font.h"

namespace zk {

namespace {

// The counter's value as a 64-bit decimal number (leading digits after an
// optional sign; none = 0), saturating instead of overflowing.
std::int64_t ReadCounterValue(std::string_view text)
{
    const std::string value(text);
    return std::strtoll(value.c_str(), nullptr, 10);
}

std::int64_t SaturatingAdvance(std::int64_t value, std::int64_t labels, std::int64_t step)
{
    std::int64_t delta = 0;
    std::int64_t result = 0;
    const bool downwards = (labels < 0) != (step < 0);
    if (__builtin_mul_overflow(labels, step, &delta) || __builtin_add_overflow(value, delta, &result)) {
        return downwards ? std::numeric_limits<std::int64_t>::min() : std::numeric_limits<std::int64_t>::max();
    }
    return result;
}

}  // namespace

void SendVarCntDefinitions() { SendCommandText(VarCntDefinitionLines()); }

bool SendRawBytes(std::span<const std::uint8_t> bytes)
{
    for (const std::uint8_t byte : bytes) {
        if (!SendByte(byte)) {
            return false;
        }
    }
    return true;
}

bool SendRawBytes(std::string_view bytes)
{
    return SendRawBytes(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

bool PrintStoredForm(const std::string& formName)
{
    TExchangeGuard exchange;
    if (!OpenPort()) {
        return false;
    }
    std::string command;
    AppendPrintf(command, "\r\nUN\r\nFR\"%s\"\r\n", formName.c_str());
    bool sent = SendCommandText(command);
    if (sent) {
        command.clear();
        AppendPrintf(command, "\n\rP%d,%d\r\n", Settings.PrintSets, Settings.PrintCopies);
        sent = SendCommandText(command);
    }
    ClosePort();
    return sent;
}

void ContinuePrint()
{
    TExchangeGuard exchange;
    if (!OpenPort()) {
        return;
    }
    ShowCommunicating("Continue interrupted print ...");
    SendCommandText("\n\rUN\r\nPC\r\n");
    ClosePort();
    StatusBoxEnabled = 1;
    ReportNoResponse();
}

void IncrementCounters(std::int64_t labels)
{
    for (TVariable& counter : Counters) {
        if (counter.Defined == 0) {
            continue;
        }
        const std::int64_t value = SaturatingAdvance(ReadCounterValue(counter.Value.view()), labels, counter.Step);
        std::string text;
        AppendPrintf(text, "%lld", static_cast<long long>(value));
        counter.Value = text;
    }
}

bool SendPictureByte(std::uint8_t byte, int width, int byteIndex)
{
    return SendByte(PictureByte(byte, width, byteIndex));
}

void SendGlyphGraphics(int x, int y, int bytesPerRow, int rows, int vMult)
{
    if (CommLink.WriteAborted == 0) {
        SendRawBytes(GlyphGraphics(x, y, bytesPerRow, rows, vMult, PrinterFont.GlyphRenderBuffer, LabelSetup));
    }
}

bool TestPrintBitmap(const TMonoBitmapView& bitmap)
{
    const std::size_t rowBytes = bitmap.Width > 0 ? static_cast<std::size_t>(bitmap.Width / 8) : 0;
    const std::size_t rows = bitmap.Height > 0 ? static_cast<std::size_t>(bitmap.Height) : 0;
    // Every row must lie inside the bitmap's bytes.
    if (rowBytes > bitmap.BytesPerScanLine ||
        (rows > 0 && (rows - 1) * bitmap.BytesPerScanLine + rowBytes > bitmap.Bits.size())) {
        return false;
    }
    TExchangeGuard exchange;
    if (!OpenPort()) {
        return false;
    }
    std::string command;
    AppendPrintf(command, "\r\nN\r\nQ%d,80\r\nq%d\r\n", bitmap.Height, bitmap.Width);
    AppendPrintf(command, "D%d\r\nGW0,0,%d,%d,", LabelSetup.Darkness, bitmap.Width / 8, bitmap.Height);
    bool sent = SendCommandText(command);
    for (std::size_t r = 0; sent && r < rows; ++r) {
        sent = SendRawBytes(bitmap.Bits.subspan(r * bitmap.BytesPerScanLine, rowBytes));
    }
    sent = sent && SendCommandText("\r\n") && SendCommandText("P1\r\n");
    ClosePort();
    return sent;
}

}  // namespace zk
