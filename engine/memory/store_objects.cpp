// Storing form and font files in printer memory, and the store-as dialog's
// Store action.

#include <optional>
#include <vector>

#include "engine/config/program_paths.h"
#include "engine/io/file_head.h"
#include "engine/link/comm_link.h"
#include "engine/link/exchange_guard.h"
#include "engine/link/serial_link.h"
#include "engine/memory/exchange_steps.h"
#include "engine/memory/printer_dialogs.h"
#include "engine/memory/printer_memory.h"
#include "engine/model/figure_list.h"
#include "engine/picture/pcx_image_buffer.h"
#include "engine/print/printing.h"
#include "engine/picture/picture_file.h"
#include "engine/report/reporting.h"
#include "engine/report/ui_services.h"
#include "engine/softfont/font_file.h"

namespace zk {

namespace {

// Far beyond any printer's memory: a larger file is no form or font and is
// not read whole.
constexpr std::size_t MaxInputFileSize = 16 * 1024 * 1024;

// The whole form or font file; a file that can't be read whole is reported
// as one that can't be opened.
std::optional<std::vector<std::uint8_t>> ReadInputFile(const std::string& path)
{
    auto bytes = ReadWholeFile(path, MaxInputFileSize);
    if (!bytes) {
        ShowMessageBox("Error", "Can't open input file", false);
    }
    return bytes;
}

// Sends bytes one by one; false once one is refused.
bool SendBytes(std::span<const std::uint8_t> bytes)
{
    for (const std::uint8_t byte : bytes) {
        if (!SendByte(byte)) {
            return false;
        }
    }
    return true;
}

bool SendRepeated(std::uint8_t byte, int count)
{
    for (int i = 0; i < count; ++i) {
        if (!SendByte(byte)) {
            return false;
        }
    }
    return true;
}

bool Aborted() { return CommLink.WriteAborted != 0; }

// Opens the file dialog of a store-as source and the store-as dialog over
// the printer's list of that kind. A picture is loaded into the staging
// buffer first.
void RunStoreDialog(std::int16_t kind, FileDialogOptions request)
{
    request.initialDir = ProgramPaths.WorkDir;
    const std::string file = Ui().OpenFileDialog(request);
    if (file.empty() || (kind == ObjectKindGraphics && LoadPictureFile(file) == PictureLoadFailed)) {
        return;
    }
    LoadFilesDlgFileName = file;
    StoreAsDlg.Caption = "Store " + file;
    if (!ReceiveObjectList(kind)) {
        return;
    }
    PrinterObjectKind = kind;
    if (kind == ObjectKindFont) {
        StoreAsDlg.ObjNameMaxLength = FontNameMaxLength;
    }
    ProgramPaths.WorkDir = FolderOf(file);
    if (!Ui().IsStoreAsDialogVisible()) {
        Ui().ShowStoreAsDialog();
    }
}

// The label as a form, then the refreshed form list; one busy window
// spans both.
void StoreCurrentLabel(const std::string& name)
{
    TExchangeGuard exchange;
    StoreCurrentForm(name);
    ClosePort();
    const bool aborted = Aborted();
    Ui().Pause(100);
    StatusBoxEnabled = 1;
    ReportNoResponse();
    // A refused write ends the sequence: the list is not asked for.
    if (!aborted) {
        PrinterObjectKind = ObjectKindCurrentLabel;
        ReceiveObjectList(ObjectKindCurrentLabel);
    }
}

}  // namespace

void StoreCurrentLabelDialog()
{
    if (CountFigures() == 0) {
        ShowMessageBox("Error", "Nothing to store", false);
        return;
    }
    if (!ReceiveObjectList(ObjectKindCurrentLabel)) {
        return;
    }
    PrinterObjectKind = ObjectKindCurrentLabel;
    StoreAsDlg.Caption = "Store current label";
    if (!Ui().IsStoreAsDialogVisible()) {
        Ui().ShowStoreAsDialog();
    }
}

void StoreFormFileDialog()
{
    RunStoreDialog(ObjectKindForm, {"Load form", "", "EJF", "Label printer forms (*.ejf)|*.EJF", ""});
}

void StorePictureFileDialog()
{
    RunStoreDialog(ObjectKindGraphics,
                   {"Load graphics", "", "PCX", "Label printer graphics (*.pcx,*.bmp)|*.PCX;*.BMP", ""});
}

void StoreFontFileDialog()
{
    RunStoreDialog(ObjectKindFont, {"Load font", "", "ZFT", "Label printer fonts (*.zft)|*.ZFT", ""});
}

void StoreFormFile(const std::string& path, const std::string& name)
{
    TExchangeGuard exchange;
    const auto bytes = ReadInputFile(path);
    if (!bytes || !OpenPort()) {
        return;
    }
    PrinterPrintf("\r\n\nN\r\n");
    ShowCommunicating("Store form " + name);
    if (Aborted()) {
        AbandonExchange(true);
        return;
    }
    PrinterPrintf("FK\"%s\"\r\n", name.c_str());
    if (!Aborted()) {
        Ui().Pause(150);
        PrinterPrintf("FS\"%s\"\r\n", name.c_str());
    }
    if (!Aborted() && SendBytes(*bytes)) {
        PrinterPrintf("\r\nFE\r\n");
        if (!Aborted()) {
            PrinterPrintf("FR\"%s\"\r\n", name.c_str());
        }
    }
    ClosePort();
    ReportNoResponse();
    if (!Aborted()) {
        ReceiveObjectList(ObjectKindForm);
    }
}

void StorePicture(const std::string& name)
{
    TExchangeGuard exchange;
    if (!OpenPort()) {
        return;
    }
    const std::span<const std::uint8_t> image = PcxImageBuffer.Image();
    PrinterPrintf("\r\n\nGK\"%s\"\n", name.c_str());
    if (Aborted()) {
        AbandonExchange(false);
        return;
    }
    Ui().Pause(100);
    ShowCommunicating("Store picture " + name);
    PrinterPrintf("GM\"%s\"%zu\n", name.c_str(), image.size());
    if (!Aborted() && SendBytes(image)) {
        SendRepeated('\n', 256);
    }
    ClosePort();
    ReportNoResponse();
    if (!Aborted()) {
        ReceiveObjectList(ObjectKindGraphics);
    }
}

void StoreFontFile(const std::string& path, const std::string& name)
{
    TExchangeGuard exchange;
    const auto bytes = ReadInputFile(path);
    if (!bytes || !OpenPort()) {
        return;
    }
    const std::size_t header = std::min(FontHeaderLength(*bytes), bytes->size());
    PrinterPrintf("\r\n\nEK\"%s\"\r\n", name.c_str());
    if (Aborted()) {
        AbandonExchange(false);
        return;
    }
    Ui().Pause(150);
    ShowCommunicating("Store font " + name);
    PrinterPrintf("ES\"%s\"", name.c_str());
    if (!Aborted() && SendBytes(std::span(*bytes).subspan(header)) && SendRepeated('\r', 256)) {
        SendByte('\n');
    }
    ClosePort();
    ReportNoResponse();
    if (!Aborted()) {
        ReceiveObjectList(ObjectKindFont);
    }
}

void StoreAsConfirm()
{
    const std::string name = StoreAsDlg.ObjName;
    if (name.empty()) {
        return;
    }
    if (!IsValidObjectName(name, PrinterObjectKind)) {
        ShowMessageBox("Error", "Invalid name: " + name, false);
        return;
    }
    if (StoreAsDlg.FList.Contains(name) &&
        ShowMessageBox("Warning", std::string(ObjectKindWord(PrinterObjectKind)) + " exists. Overwrite ?", true) != 1) {
        return;
    }
    switch (PrinterObjectKind) {
    case ObjectKindForm:
        StoreFormFile(LoadFilesDlgFileName, name);
        break;
    case ObjectKindGraphics:
        StorePicture(name);
        break;
    case ObjectKindFont:
        StoreFontFile(LoadFilesDlgFileName, name);
        break;
    case ObjectKindCurrentLabel:
        StoreCurrentLabel(name);
        break;
    default:
        break;
    }
}

}  // namespace zk
