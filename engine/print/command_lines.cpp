#include "engine/print/command_lines.h"

#include <array>

#include "engine/barcode/barcode_types.h"
#include "engine/model/figure_list.h"
#include "engine/model/variables.h"
#include "engine/print/append_printf.h"

namespace zk {

namespace {

constexpr std::array<char, 4> JUSTIFICATION_LETTERS = {'N', 'L', 'C', 'R'};
constexpr std::array<char, 4> STYLE_LETTERS = {'N', 'R', 'B', 'W'};
constexpr std::array<const char*, 4> HUMAN_READABLE_CODES = {"N", "B", "BC", "BR"};
constexpr std::array<const char*, 3> BAR_CODES = {"LO", "LE", "LW"};

// Out-of-range codes in a figure or record fall back to the first entry
// instead of reading past the table.
template <typename T, std::size_t N>
T Pick(const std::array<T, N>& table, int index)
{
    return index >= 0 && static_cast<std::size_t>(index) < N ? table[static_cast<std::size_t>(index)] : table[0];
}

void AppendText(std::string& out, std::string_view text)
{
    out.append(text.data(), text.size());
}

// A prompt is a quoted string that the printer reads with backslash
// escapes, so '"' and '\' are escaped in every writer: a form file goes to
// the printer as it is.
std::string EscapedPrompt(std::string_view prompt)
{
    std::string text;
    for (const char c : prompt) {
        if (c == '"' || c == '\\') {
            text.push_back('\\');
        }
        text.push_back(c);
    }
    return text;
}

void AppendJustification(std::string& out, const TVariable& record)
{
    out.push_back(Pick(JUSTIFICATION_LETTERS, record.Justification));
    // A NUL pad character would end the command early; it counts as none.
    if (record.Justification != 0 && record.PadChar != ' ' && record.PadChar != '\0') {
        out.push_back(static_cast<char>(record.PadChar));
    }
}

void AppendQuoted(std::string& out, std::string_view text)
{
    out += ",\"";
    AppendText(out, text);
    out += "\"\r\n";
}

void AppendDarknessSpeedLanguage(std::string& out, const TLabelSetup& s)
{
    AppendPrintf(out, "D%u\r\nS%u\r\nI%u\r\n", static_cast<unsigned>(s.Darkness), static_cast<unsigned>(s.Speed),
                 static_cast<unsigned>(s.Language));
    out += s.Orientation == 1 ? "ZB\r\n" : "ZT\r\n";
}

// The Q line is ended by the q line that follows it in every writer.
void AppendLengthAndWidth(std::string& out, const TLabelSetup& s)
{
    if (s.PaperType == 2) {
        AppendPrintf(out, "Q%u,B%u", static_cast<unsigned>(s.LabelLength), static_cast<unsigned>(s.LabelGap));
    } else {
        AppendPrintf(out, "Q%u,%u", static_cast<unsigned>(s.LabelLength), static_cast<unsigned>(s.LabelGap));
    }
    if (s.LabelOffset > 0) {
        out += "+";
    }
    if (s.LabelOffset != 0) {
        AppendPrintf(out, "%d", s.LabelOffset);
    }
    AppendPrintf(out, "\r\nq%u\r\n", static_cast<unsigned>(s.LabelWidth));
}

void AppendSpacing(std::string& out, const TLabelSetup& s) { AppendPrintf(out, "j%d\r\n", 1 - s.NormalSpacing); }

void AppendReferencePoint(std::string& out, const TLabelSetup& s)
{
    AppendPrintf(out, "R%d,%d\r\n", s.LeftMargin, s.TopMargin);
}

void AppendDateTimeFormats(std::string& out, const TLabelSetup& s)
{
    out += "TD";
    AppendText(out, s.DateFormat.view());
    out += "\r\nTT";
    AppendText(out, s.TimeFormat.view());
    out += "\r\n";
}

char SoftFontLetterOf(int font, std::string_view letters)
{
    const std::size_t k = static_cast<std::size_t>(font - 6);
    if (k < letters.size() && letters[k] != '\0') {
        return letters[k];
    }
    // A text read back in a font the printer did not list keeps the
    // letter's code as its font number: the letter names the font again.
    if (font >= 'A' && font <= 'Z') {
        return static_cast<char>(font);
    }
    // A text naming a soft font the label lacks still gets a letter field.
    return '?';
}

void AppendTextLine(std::string& out, const TTextFigure& f, CommandWriter writer, std::string_view letters)
{
    const bool soft = f.Font > 5;
    const bool english = (f.Attributes & TextAttr::UseEnglish) != 0;
    const bool reverse = (f.Attributes & TextAttr::ReverseDirection) != 0;
    const int style = f.Attributes & TextAttr::StyleMask;
    // The form file and store stream give a soft font only normal or bold.
    const char storedStyle = soft ? STYLE_LETTERS[f.Attributes & 2] : Pick(STYLE_LETTERS, style);

    AppendPrintf(out, "A%d,%d,%d,", f.X, f.Y, f.Rotation);
    switch (writer) {
    case CommandWriter::PrintStream:
        if (soft) {
            AppendPrintf(out, "%c,", SoftFontLetterOf(f.Font, letters));
        } else {
            AppendPrintf(out, english ? "%d*," : "%d,", f.Font);
        }
        AppendPrintf(out, "%d,%d,", f.HMult, f.VMult);
        if (soft) {
            out += "N,";
        } else {
            AppendPrintf(out, "%c,", Pick(STYLE_LETTERS, style));
        }
        break;
    case CommandWriter::FormFile:
    case CommandWriter::StoreStream:
        if (soft) {
            out.push_back(SoftFontLetterOf(f.Font, letters));
        } else {
            AppendPrintf(out, "%d", f.Font);
        }
        if (english) {
            out += "*";
        }
        AppendPrintf(out, ",%d,%d,%c,", f.HMult, f.VMult, storedStyle);
        break;
    }
    if (reverse) {
        out += "*";
    }
    AppendText(out, f.Data.view());
    out += "\r\n";
}

void AppendBarcodeLine(std::string& out, const TBarcodeFigure& f)
{
    AppendPrintf(out, "B%d,%d,%d,", f.X, f.Y, f.Rotation);
    const auto type = BarcodeTypeFromIndex(f.Type);
    if (type) {
        AppendText(out, BarcodeTypes[static_cast<std::size_t>(*type)].TypeCode);
    }
    AppendPrintf(out, ",%d,%d,%d,%s,", f.Narrow, f.Wide, f.Height, Pick(HUMAN_READABLE_CODES, f.HumanReadable));
    AppendText(out, f.Data.view());
    out += "\r\n";
}

void AppendPdf417Line(std::string& out, const TPdf417Figure& f)
{
    AppendPrintf(out, "b%d,%d,P,%d,%d,", f.X, f.Y, f.MaxWidth, f.MaxHeight);
    if (f.SecurityLevel != 0) {
        AppendPrintf(out, "s%d,", f.SecurityLevel - 1);
    }
    if (f.Compaction == 1) {
        out += "c1,";
    }
    if (f.Position == 0) {
        out += "f0,";
    }
    if (f.ModuleWidth != 6) {
        AppendPrintf(out, "x%d,", f.ModuleWidth);
    }
    if (f.ModuleHeight != 4 * f.ModuleWidth) {
        AppendPrintf(out, "y%d,", f.ModuleHeight);
    }
    AppendPrintf(out, "r%d,l%d,", f.MaxRows, f.MaxCols);
    if (f.Rotation != 0) {
        AppendPrintf(out, "o%d,", f.Rotation);
    }
    out += f.Data;
    out += "\r\n";
}

}  // namespace

std::string VarCntDefinitionLines()
{
    std::string out;
    for (std::size_t i = 0; i < Variables.size(); ++i) {
        const TVariable& v = Variables[i];
        if (v.Defined == 0) {
            continue;
        }
        AppendPrintf(out, "V%02d,%02d,", static_cast<int>(i), v.Length);
        AppendJustification(out, v);
        AppendQuoted(out, EscapedPrompt(v.Prompt.view()));
    }
    for (std::size_t i = 0; i < Counters.size(); ++i) {
        const TVariable& c = Counters[i];
        if (c.Defined == 0) {
            continue;
        }
        AppendPrintf(out, "C%02d,%02d,", static_cast<int>(i), c.Length);
        AppendJustification(out, c);
        AppendPrintf(out, ",%+d", c.Step);
        AppendQuoted(out, EscapedPrompt(c.Prompt.view()));
    }
    return out;
}

std::string CurrentValueLines()
{
    std::string out = "?\r\n";
    auto appendValues = [&out](const auto& records) {
        for (const TVariable& record : records) {
            if (record.Defined != 0) {
                AppendText(out, record.Value.view());
                out += "\r\n";
            }
        }
    };
    appendValues(Variables);
    appendValues(Counters);
    return out;
}

std::string LabelSetupLines(const TLabelSetup& setup, CommandWriter writer)
{
    std::string out;
    AppendDarknessSpeedLanguage(out, setup);
    switch (writer) {
    case CommandWriter::PrintStream:
        AppendLengthAndWidth(out, setup);
        AppendSpacing(out, setup);
        AppendReferencePoint(out, setup);
        AppendDateTimeFormats(out, setup);
        break;
    case CommandWriter::StoreStream:
        AppendLengthAndWidth(out, setup);
        AppendSpacing(out, setup);
        AppendDateTimeFormats(out, setup);
        AppendReferencePoint(out, setup);
        break;
    case CommandWriter::FormFile:
        AppendDateTimeFormats(out, setup);
        AppendLengthAndWidth(out, setup);
        AppendSpacing(out, setup);
        AppendReferencePoint(out, setup);
        break;
    }
    return out;
}

std::string SoftFontLetters()
{
    std::string letters;
    for (const TFigure* figure : Figures()) {
        if (figure->Is(TFigureKind::Font)) {
            const std::string_view letter = figure->SoftFont().Letter.view();
            letters.push_back(letter.empty() ? '\0' : letter[0]);
        }
    }
    return letters;
}

std::string FigureLine(const TFigurePayload& payload, CommandWriter writer, std::string_view softFontLetters)
{
    std::string out;
    switch (KindOf(payload)) {
    case TFigureKind::Text:
        AppendTextLine(out, std::get<TTextFigure>(payload), writer, softFontLetters);
        break;
    case TFigureKind::Barcode:
        AppendBarcodeLine(out, std::get<TBarcodeFigure>(payload));
        break;
    case TFigureKind::Bar: {
        const auto& f = std::get<TBarFigure>(payload);
        AppendPrintf(out, "%s%d,%d,%d,%d\r\n", Pick(BAR_CODES, f.Mode), f.X, f.Y, f.Width, f.Height);
        break;
    }
    case TFigureKind::Line: {
        const auto& f = std::get<TLineFigure>(payload);
        AppendPrintf(out, "LS%d,%d,%u%s,%d,%d\r\n", f.X1, f.Y1, static_cast<unsigned>(f.Thickness),
                     f.Mode == 1 ? "E" : f.Mode == 2 ? "W" : "", f.X2, f.Y2);
        break;
    }
    case TFigureKind::Box: {
        const auto& f = std::get<TBoxFigure>(payload);
        AppendPrintf(out, "X%d,%d,%u,%d,%d\r\n", f.X1, f.Y1, static_cast<unsigned>(f.Thickness), f.X2, f.Y2);
        break;
    }
    case TFigureKind::Picture: {
        const auto& f = std::get<TPictureFigure>(payload);
        AppendPrintf(out, "GG%d,%d,\"", f.X, f.Y);
        AppendText(out, f.Name.view());
        out += writer == CommandWriter::StoreStream ? "\"\n" : "\"\r\n";
        break;
    }
    case TFigureKind::Font:
        break;
    case TFigureKind::Pdf417:
        AppendPdf417Line(out, std::get<TPdf417Figure>(payload));
        break;
    }
    return out;
}

std::string FigureLines(CommandWriter writer)
{
    const std::string letters = SoftFontLetters();
    std::string out;
    for (const TFigure* figure : Figures()) {
        out += FigureLine(figure->Payload, writer, letters);
    }
    return out;
}

std::string FormFileText()
{
    std::string out = "; Saved by VORTAN Label Editor\r\n";
    out += VarCntDefinitionLines();
    out += LabelSetupLines(LabelSetup, CommandWriter::FormFile);
    out += FigureLines(CommandWriter::FormFile);
    out += "\r\n";
    return out;
}

}  // namespace zk
