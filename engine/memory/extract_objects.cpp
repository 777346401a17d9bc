// Extracting a form, a graphics object or a font from printer memory to a
// file. Each reply is received into a buffer of ExtractionBufferSize bytes;
// a reply that would not fit is refused and writes nothing.

#include <array>
#include <cstdio>
#include <vector>

#include "engine/config/program_paths.h"
#include "engine/expr/clock.h"
#include "engine/formread/receive_form.h"
#include "engine/io/atomic_file.h"
#include "engine/link/comm_link.h"
#include "engine/link/exchange_guard.h"
#include "engine/link/serial_link.h"
#include "engine/memory/exchange_steps.h"
#include "engine/memory/printer_dialogs.h"
#include "engine/memory/printer_memory.h"
#include "engine/model/payload_codec.h"
#include "engine/report/reporting.h"
#include "engine/report/ui_services.h"

namespace zk {

namespace {

constexpr const char* ReplyTooLongText = "Reply too long for the extraction buffer. Nothing saved";

bool OverwriteRefused(const std::string& path)
{
    return FileExists(path) && ShowMessageBox("Warning", "File exists. Overwrite?", true) != 1;
}

// Writes the extracted bytes over path; false after "Can't open output file".
bool WriteExtraction(const std::string& path, std::span<const std::uint8_t> bytes)
{
    if (!WriteFileAtomically(path, bytes)) {
        ReportCantOpenOutputFile();
        return false;
    }
    return true;
}

std::string FormatText(const char* format, const std::string& name)
{
    std::array<char, 256> text{};
    std::snprintf(text.data(), text.size(), format, name.c_str());
    return text.data();
}

struct TBlockExtraction {
    const char* Command;
    const char* Status;
    const char* SuccessCaption;
};

void ExtractBlockToFile(const TBlockExtraction& what, const std::string& name, const std::string& path)
{
    TExchangeGuard exchange;
    std::vector<std::uint8_t> buffer(ExtractionBufferSize);
    if (OverwriteRefused(path) || !OpenPort()) {
        return;
    }
    PrinterPrintf(what.Command, name.c_str());
    if (CommLink.WriteAborted != 0) {
        AbandonExchange(false);
        return;
    }
    ShowCommunicating(FormatText(what.Status, name));
    std::array<std::uint8_t, 2> lengthBytes{};
    ReceiveBlock(lengthBytes);
    const std::size_t length = CommLink.LinkError == 0 ? GetBe16(lengthBytes.data()) : 0;
    const bool fits = length <= buffer.size();
    if (CommLink.LinkError == 0) {
        // A block too long for the buffer is still read to its end, so that
        // it does not spill into the next exchange.
        if (fits) {
            ReceiveBlock(std::span(buffer).first(length));
        } else {
            DiscardBlock(length);
        }
    }
    ClosePort();
    if (CommLink.LinkError != 0) {
        ReportNoResponse();
        return;
    }
    if (!fits) {
        SetMessageBoxError("Error", ReplyTooLongText);
        return;
    }
    if (WriteExtraction(path, std::span(buffer).first(length))) {
        SetMessageBoxError(FormatText(what.SuccessCaption, name),
                           TReportText(std::to_string(length) + " bytes saved to ").FileName(path));
    }
}

std::string ExtractionHeaderLine()
{
    const TClockTime today = ClockNow();
    std::array<char, 80> line{};
    std::snprintf(line.data(), line.size(), "; Saved by VORTAN label editor on %02u-%02u-%04u\r\n",
                  static_cast<unsigned>(today.Day), static_cast<unsigned>(today.Month),
                  static_cast<unsigned>(today.Year));
    return line.data();
}

}  // namespace

void ExtractFormToFile(const std::string& name, const std::string& path)
{
    TExchangeGuard exchange;
    std::string buffer;
    buffer.reserve(ExtractionBufferSize);
    if (!OpenPort()) {
        return;
    }
    if (OverwriteRefused(path)) {
        ClosePort();
        return;
    }
    PrinterPrintf("\r\nFI\"%s\"\r\n", name.c_str());
    if (CommLink.WriteAborted != 0) {
        AbandonExchange(false);
        return;
    }
    ShowCommunicating(FormatText("Extracting form \"%s\"", name));
    buffer = ExtractionHeaderLine();
    unsigned lines = 0;
    std::string refusal;
    std::string line;
    for (;;) {
        ReceiveLine(line, FormLineSize);
        if (CommLink.LinkError != 0) {
            break;
        }
        if (CommLink.LineTooLong != 0) {
            refusal = "Form line longer than " + std::to_string(LongestCommandLine) + " characters. Nothing saved";
        } else if (buffer.size() + line.size() + 2 > ExtractionBufferSize) {
            refusal = ReplyTooLongText;
        }
        if (!refusal.empty()) {
            // The rest is read on, within bounds, so that it does not spill
            // into the next exchange.
            if (CommLink.EndOfReply == 0) {
                DrainReply();
            }
            break;
        }
        buffer += line;
        buffer += "\r\n";
        if (CommLink.EndOfReply != 0) {
            break;
        }
        ++lines;
    }
    ClosePort();
    if (CommLink.LinkError != 0) {
        ReportNoResponse();
        return;
    }
    if (!refusal.empty()) {
        SetMessageBoxError("Error", refusal);
        return;
    }
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(buffer.data());
    if (WriteExtraction(path, std::span(bytes, buffer.size()))) {
        SetMessageBoxError(FormatText("Form \"%s\" successfully extracted", name),
                           TReportText(std::to_string(lines) + " lines saved to ").FileName(path));
    }
}

void ExtractGraphicsToFile(const std::string& name, const std::string& path)
{
    ExtractBlockToFile({"\r\nGI\"%s\"\r\n", "Extracting graphics \"%s\"", "PCX file \"%s\" successfully extracted"},
                       name, path);
}

void ExtractFontToFile(const std::string& name, const std::string& path)
{
    ExtractBlockToFile({"\r\nEI\"%s\"\r\n", "Extracting font \"%s\"", "Font \"%s\" successfully extracted"}, name,
                       path);
}

void SaveObjectAs(const std::string& name)
{
    FileDialogOptions request;
    request.initialDir = ProgramPaths.WorkDir;
    void (*extract)(const std::string&, const std::string&) = nullptr;
    switch (PrinterObjectKind) {
    case ObjectKindForm:
        request.title = "Save form as";
        request.defaultExtension = "EJF";
        request.filter = "Label printer forms (*.ejf)|*.EJF";
        extract = ExtractFormToFile;
        break;
    case ObjectKindGraphics:
        request.title = "Save graphics as";
        request.defaultExtension = "PCX";
        request.filter = "PCX format files (*.pcx)|*.PCX";
        extract = ExtractGraphicsToFile;
        break;
    case ObjectKindFont:
        request.title = "Save font as";
        request.defaultExtension = "ZFT";
        request.filter = "Label font files (*.zft)|*.ZFT";
        extract = ExtractFontToFile;
        break;
    default:
        return;
    }
    const std::string path = Ui().SaveFileDialog(request);
    if (path.empty()) {
        return;
    }
    ProgramPaths.WorkDir = FolderOf(path);
    extract(name, path);
}

}  // namespace zk
