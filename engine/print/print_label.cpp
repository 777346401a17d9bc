// The test print: the whole label as one print stream.

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
#include "engine/render/redraw.h"
#include "engine/report/reporting.h"
#include "engine/text/glyph_lookup.h"
#include "engine/text/text_render.h"
#include "engine/text/text_render_state.h"

namespace zk {

namespace {

bool HasPrintableFigure()
{
    for (const TFigure* figure : Figures()) {
        if (!figure->Is(TFigureKind::Font)) {
            return true;
        }
    }
    return false;
}

// Renders a soft-font text with every glyph handed to the printer as raw
// graphics instead of drawn.
bool SendTextAsGraphics(const TTextFigure& text)
{
    const std::uint8_t useEnglish = UseEnglishTable;
    const TGlyphGraphicsSender sender = GlyphGraphicsSender;
    GlyphGraphicsSender = [](const TGlyphGraphics& g) {
        SendGlyphGraphics(g.X, g.Y, g.BytesPerRow, g.RowCount, g.RowRepeat);
    };
    SendGlyphsAsGraphics = 1;
    UseEnglishTable = 0;
    RenderPrinterText(text.X, text.Y, text.Rotation, text.Font, text.HMult, text.VMult, text.Attributes,
                      text.Data.view());
    SendGlyphsAsGraphics = 0;
    UseEnglishTable = useEnglish;
    GlyphGraphicsSender = sender;
    return CommLink.WriteAborted == 0;
}

// A text in a soft font whose glyphs the label holds.
bool HasSoftFontGlyphs(const TFigure& figure)
{
    return figure.Is(TFigureKind::Text) && figure.Text().Font > 5 &&
           SoftFontDataForLetter(SoftFontLetter(figure.Text().Font)) != nullptr;
}

// One figure of the print stream; with direct graphics pictures and
// soft-font texts go as raw graphics, so the printer needs no stored copy
// of the picture or font. A text in a font the label has no glyphs of goes
// as its line, for the printer's own font of that letter.
bool SendPrintFigure(const TFigure& figure, const std::string& softFontLetters)
{
    if (Settings.DirectGraphics != 0 && figure.Is(TFigureKind::Picture)) {
        return SendRawBytes(PictureGraphics(figure.Picture()));
    }
    if (Settings.DirectGraphics != 0 && HasSoftFontGlyphs(figure)) {
        return SendTextAsGraphics(figure.Text());
    }
    return SendCommandText(FigureLine(figure.Payload, CommandWriter::PrintStream, softFontLetters));
}

bool SendPrintStream()
{
    if (!SendCommandText("\r\nUN\r\nN\r\nVC\r\n")) {
        return false;
    }
    SendVarCntDefinitions();
    if (CommLink.WriteAborted != 0 || !SendCommandText(CurrentValueLines()) ||
        !SendCommandText(LabelSetupLines(LabelSetup, CommandWriter::PrintStream))) {
        return false;
    }
    const std::string letters = SoftFontLetters();
    for (const TFigure* figure : Figures()) {
        if (!SendPrintFigure(*figure, letters)) {
            return false;
        }
    }
    std::string print;
    AppendPrintf(print, "P%u\r\n", static_cast<unsigned>(Settings.PrintCopies));
    return SendCommandText(print);
}

}  // namespace

bool PrintLabel()
{
    TExchangeGuard exchange;
    if (!HasPrintableFigure()) {
        ShowMessageBox("Error", "Nothing to print");
        return false;
    }
    if (!OpenPort()) {
        return false;
    }
    ShowCommunicating("Printing label. Please wait !");
    if (!SendPrintStream()) {
        // The user refused a retry; the caller closes the port and decides
        // whether to report.
        return false;
    }
    ClosePort();
    ReportNoResponse();
    IncrementCounters(1);
    RedrawLabel(RedrawEditor);
    return true;
}

}  // namespace zk
