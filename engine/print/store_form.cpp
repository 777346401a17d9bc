// Storing the current label in the printer as a form, followed by the
// pictures and soft fonts it uses.

#include "engine/link/comm_link.h"
#include "engine/link/exchange_guard.h"
#include "engine/link/serial_link.h"
#include "engine/model/figure_list.h"
#include "engine/model/label_setup.h"
#include "engine/print/append_printf.h"
#include "engine/print/command_lines.h"
#include "engine/print/command_sender.h"
#include "engine/print/graphics_commands.h"
#include "engine/print/printing.h"
#include "engine/report/reporting.h"
#include "engine/report/ui_services.h"

namespace zk {

namespace {

// The store stream ends a font with a run of CRs so that the printer's font
// reader stops whatever count the block claims.
constexpr std::size_t FONT_END_CR_COUNT = 256;

void ClearDataWrittenFlags()
{
    for (TFigure* figure : Figures()) {
        figure->Flags &= static_cast<std::uint8_t>(~FigureFlag::DataWritten);
    }
}

// Clears the marks on every way out, so they are clear outside a store.
struct DataWrittenMarks {
    DataWrittenMarks() { ClearDataWrittenFlags(); }
    ~DataWrittenMarks() { ClearDataWrittenFlags(); }
};

bool SendFormText(const std::string& name)
{
    std::string opening = "\r\nN\r\n";
    AppendPrintf(opening, "FK\"%s\"\r\n", name.c_str());
    if (!SendCommandText(opening)) {
        return false;
    }
    Ui().Pause(150);
    std::string start;
    AppendPrintf(start, "FS\"%s\"\r\n", name.c_str());
    if (!SendCommandText(start)) {
        return false;
    }
    SendVarCntDefinitions();
    return CommLink.WriteAborted == 0 && SendCommandText(LabelSetupLines(LabelSetup, CommandWriter::StoreStream)) &&
           SendCommandText(FigureLines(CommandWriter::StoreStream)) && SendCommandText("FE\r\n");
}

bool SendPicture(const TPictureFigure& picture)
{
    const std::string name = picture.Name.str();
    ShowCommunicating("Store picture \"" + name + "\"");
    std::string remove;
    AppendPrintf(remove, "\r\n\nGK\"%s\"\r\n", name.c_str());
    if (!SendCommandText(remove)) {
        return false;
    }
    Ui().Pause(100);
    // The PCX file is the header and the block's rows; its length follows
    // from the rows held, not from the figure's DataLength.
    std::string start;
    AppendPrintf(start, "GM\"%s\"%u\n", name.c_str(),
                 static_cast<unsigned>(PcxHeaderSize + picture.Data->Rows.size()));
    return SendCommandText(start) && SendRawBytes(PcxStoreHeader(picture)) && SendRawBytes(picture.Data->Rows) &&
           SendCommandText("\r\n\n\n");
}

bool SendPictures()
{
    for (TFigure* figure : Figures()) {
        if (!figure->Is(TFigureKind::Picture) || (figure->Flags & FigureFlag::DataWritten) != 0) {
            continue;
        }
        const TPictureFigure& picture = figure->Picture();
        if (picture.DataLength == 0 || !picture.Data) {
            continue;
        }
        if (!SendPicture(picture)) {
            return false;
        }
        for (TFigure* other : Figures()) {
            if (other->Is(TFigureKind::Picture) && other->Picture().Name == picture.Name) {
                other->Flags |= FigureFlag::DataWritten;
            }
        }
    }
    return true;
}

bool SendFont(const TSoftFontFigure& font)
{
    const std::string letter = font.Letter.str();
    ShowCommunicating("Store font \"" + letter + "\"");
    std::string remove;
    AppendPrintf(remove, "\r\n\nEK\"%s\"\r\n", letter.c_str());
    if (!SendCommandText(remove)) {
        return false;
    }
    Ui().Pause(100);
    std::string start;
    AppendPrintf(start, "ES\"%s\"", letter.c_str());
    if (!SendCommandText(start)) {
        return false;
    }
    if (font.Data) {
        const std::size_t length = std::min<std::size_t>(font.DataLength, font.Data->Bytes.size());
        if (!SendRawBytes(std::span(font.Data->Bytes).first(length))) {
            return false;
        }
    }
    if (!SendCommandText(std::string(FONT_END_CR_COUNT, '\r'))) {
        return false;
    }
    Ui().Pause(50);
    return true;
}

bool SendFonts()
{
    ClearDataWrittenFlags();
    Ui().Pause(100);
    for (const TFigure* figure : Figures()) {
        if (figure->Is(TFigureKind::Font) && !SendFont(figure->SoftFont())) {
            return false;
        }
    }
    return true;
}

}  // namespace

void StoreCurrentForm(const std::string& name)
{
    TExchangeGuard exchange;
    if (!OpenPort()) {
        return;
    }
    ShowCommunicating("Store current form as " + name);
    StatusBoxEnabled = 0;
    {
        DataWrittenMarks marks;
        if (SendFormText(name) && SendPictures() && SendFonts()) {
            std::string select;
            AppendPrintf(select, "\r\nFR\"%s\"\r\n", name.c_str());
            SendCommandText(select);
        }
    }
    ClosePort();
}

}  // namespace zk
