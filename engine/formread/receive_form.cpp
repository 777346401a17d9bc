#include "engine/formread/receive_form.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <memory>

#include "engine/formread/form_line.h"
#include "engine/formread/variable_reply.h"
#include "engine/labelfile/label_file_format.h"
#include "engine/link/comm_link.h"
#include "engine/link/exchange_guard.h"
#include "engine/labelfile/label_file.h"
#include "engine/link/serial_link.h"
#include "engine/memory/exchange_steps.h"
#include "engine/model/figure_list.h"
#include "engine/model/payload_codec.h"
#include "engine/model/variables.h"
#include "engine/picture/pcx_image_buffer.h"
#include "engine/report/reporting.h"
#include "engine/report/ui_services.h"

namespace zk {

std::vector<std::string> GraphicsNameList;
std::vector<std::string> FontNameList;

namespace {

constexpr std::size_t PrinterNameLineSize = 31;
// A soft font's block starts with its character count, 0 and its height.
constexpr std::size_t FontBlockPrefix = 3;
// Soft fonts are numbered from 6 on.
constexpr int FirstSoftFontNumber = 6;
const std::string TooManyFiguresText =
    "Form has more than " + std::to_string(MaxLabelFigures) + " figures. Form not loaded";
// Twice the lines of the largest label's form: a line per figure, per
// variable and counter, and its few setup lines.
constexpr std::size_t MaxFormLines = 2 * MaxLabelFigures;

std::string Upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); });
    return text;
}

bool ReceiveNamesInto(const char* command, std::vector<std::string>& list)
{
    PrinterPrintf("%s", command);
    if (CommLink.WriteAborted != 0) {
        return false;
    }
    return ReceiveNameList(PrinterNameLineSize, [&list](std::string name) { list.push_back(Upper(std::move(name))); });
}

// GI: the PCX file of name, turned into a picture block. Nothing (and true)
// when the reply is too short to be a PCX file; false on a link failure.
bool ReceivePictureData(const std::string& name, TPictureFigure& first)
{
    if (!OpenPort()) {
        return false;
    }
    PrinterPrintf("\r\nGI\"%s\"\r\n", name.c_str());
    if (CommLink.WriteAborted != 0) {
        ClosePort();
        return false;
    }
    ShowCommunicating("Receiving graphics \"" + name + "\"");
    std::array<std::uint8_t, 2> lengthBytes{};
    if (ReceiveBlock(lengthBytes) != lengthBytes.size()) {
        ClosePort();
        return false;
    }
    const std::size_t fileLength = GetBe16(lengthBytes.data());
    if (fileLength < PcxHeaderSize) {
        DiscardBlock(fileLength);
        ClosePort();
        return CommLink.LinkError == 0;
    }
    std::array<std::uint8_t, PcxHeaderSize> header{};
    auto data = std::make_shared<TPictureData>();
    data->Rows.resize(fileLength - PcxHeaderSize);
    if (ReceiveBlock(header) != header.size() || ReceiveBlock(data->Rows) != data->Rows.size()) {
        ClosePort();
        return false;
    }
    ClosePort();
    const int width = PcxWidth(header);
    const int height = PcxHeight(header);
    first.Width = static_cast<std::int16_t>(std::clamp(width, 0, 32767));
    first.Height = static_cast<std::int16_t>(std::clamp(height, 0, 32767));
    data->RefCount = 1;
    data->BytesPerLine = header[PcxField::BytesPerLine];
    first.DataLength = static_cast<std::uint16_t>(data->BlockLength());
    first.Data = std::move(data);
    return true;
}

// Step 5: every picture the printer lists is fetched once and shared by
// all figures of its name.
bool ReceivePictures(const TFigureList& figures)
{
    for (const std::string& name : GraphicsNameList) {
        TPictureFigure* first = nullptr;
        for (TFigure* figure : Figures(figures)) {
            if (!figure->Is(TFigureKind::Picture) || figure->Picture().Name.view() != name) {
                continue;
            }
            TPictureFigure& picture = figure->Picture();
            if (first == nullptr) {
                if (!ReceivePictureData(name, picture)) {
                    return false;
                }
                first = &picture;
            } else if (first->Data) {
                picture.Width = first->Width;
                picture.Height = first->Height;
                picture.DataLength = first->DataLength;
                picture.Data = first->Data;
                ++picture.Data->RefCount;
            }
        }
    }
    return true;
}

enum class FontFetch { Appended, Refused, LinkFailed };

// EI: the font block of letter, appended to figures as a soft-font figure.
// A reply that cannot be a font is read to its end and refused.
FontFetch ReceiveFontData(const std::string& name, char letter, TFigureList& figures)
{
    if (!OpenPort()) {
        return FontFetch::LinkFailed;
    }
    PrinterPrintf("\r\nEI\"%s\"\r\n", name.c_str());
    if (CommLink.WriteAborted != 0) {
        ClosePort();
        return FontFetch::LinkFailed;
    }
    ShowCommunicating("Receiving font \"" + name + "\"");
    std::array<std::uint8_t, 2 + FontBlockPrefix> head{};
    if (ReceiveBlock(head) != head.size()) {
        ClosePort();
        return FontFetch::LinkFailed;
    }
    const std::size_t length = GetBe16(head.data());
    if (length < FontBlockPrefix || length > MaxFontDataLength) {
        DiscardBlock(length > FontBlockPrefix ? length - FontBlockPrefix : 0);
        ClosePort();
        return CommLink.LinkError == 0 ? FontFetch::Refused : FontFetch::LinkFailed;
    }
    auto font = std::make_shared<TFontData>();
    font->Bytes.resize(length);
    std::copy(head.begin() + 2, head.end(), font->Bytes.begin());
    const std::span<std::uint8_t> glyphs = std::span(font->Bytes).subspan(FontBlockPrefix);
    if (ReceiveBlock(glyphs) != glyphs.size()) {
        ClosePort();
        return FontFetch::LinkFailed;
    }
    ClosePort();
    TSoftFontFigure figure;
    figure.CharCount = head[2];
    figure.Height = head[4];
    figure.DataLength = static_cast<std::int16_t>(length);
    figure.Letter = std::string(1, letter);
    figure.Data = std::move(font);
    return AppendFigure(figures, figure) == 0 ? FontFetch::Appended : FontFetch::Refused;
}

bool UsesFont(const TFigure& figure, int font) { return figure.Is(TFigureKind::Text) && figure.Text().Font == font; }

// Step 6: texts name soft fonts by their letter's code until here; each
// letter that a text uses is fetched and, once its soft-font figure is
// appended, its texts take that figure's number. The texts of a refused
// font keep the letter's code, which names no soft font, as the texts of a
// font the printer lacks do.
bool ReceiveFonts(TFigureList& figures, TFormLoadNotes& notes)
{
    int next = FirstSoftFontNumber;
    for (const std::string& name : FontNameList) {
        // Only letters name soft fonts; anything else would capture the
        // resident fonts' numbers.
        const char letter = name.empty() ? '\0' : name[0];
        if (std::isalpha(static_cast<unsigned char>(letter)) == 0) {
            continue;
        }
        const auto all = Figures(figures);
        if (std::none_of(all.begin(), all.end(), [letter](const TFigure* f) { return UsesFont(*f, letter); })) {
            continue;
        }
        switch (ReceiveFontData(name, letter, figures)) {
        case FontFetch::LinkFailed:
            return false;
        case FontFetch::Refused:
            if (notes.RefusedFonts.find(letter) == std::string::npos) {
                notes.RefusedFonts.push_back(letter);
            }
            continue;
        case FontFetch::Appended:
            break;
        }
        for (TFigure* figure : Figures(figures)) {
            if (UsesFont(*figure, letter)) {
                figure->Text().Font = static_cast<std::int16_t>(next);
            }
        }
        ++next;
    }
    return true;
}

// Step 4: the FI reply's lines into label, up to the NUL that ends it. A
// line too long is skipped; one that does not end, more figures than a
// label may hold or more lines than its form has refuse the form (the rest
// of the reply is read within bounds). False on a link failure or a
// refusal.
bool ReceiveFormLines(TLabelModel& label, TFormLoadNotes& notes)
{
    std::size_t figures = 0;
    std::string line;
    for (std::size_t lines = 0;; ++lines) {
        if (lines == MaxFormLines) {
            DrainReply();
            notes.Refusal = "Form has more than " + std::to_string(MaxFormLines) + " lines. Form not loaded";
            return false;
        }
        ReceiveLine(line, FormLineSize);
        if (CommLink.LineTooLong != 0) {
            ++notes.LinesTooLong;
            if (DropRestOfLine() == DrainEnd::TimeLimit) {
                notes.Refusal = "Form line longer than " + std::to_string(LongestCommandLine) +
                                " characters does not end. Form not loaded";
                return false;
            }
        }
        if (CommLink.LinkError != 0) {
            return false;
        }
        if (CommLink.EndOfReply != 0) {
            return true;
        }
        if (CommLink.LineTooLong != 0) {
            continue;
        }
        const TFormLineChange change = ReadFormLine(line, GraphicsNameList);
        if (std::holds_alternative<TFigurePayload>(change) && ++figures > MaxLabelFigures) {
            DrainReply();
            notes.Refusal = TooManyFiguresText;
            return false;
        }
        ApplyFormLineChange(change, label);
    }
}

}  // namespace

bool ReceivePrinterNameLists()
{
    TExchangeGuard exchange;
    GraphicsNameList.clear();
    FontNameList.clear();
    if (!OpenPort()) {
        return false;
    }
    if (!ReceiveNamesInto("\r\nUG\r\n", GraphicsNameList)) {
        ClosePort();
        return false;
    }
    Ui().Pause(100);
    if (!DiscardWaitingBytes()) {
        ClosePort();
        return false;
    }
    const bool received = ReceiveNamesInto("\r\nUE\r\n", FontNameList);
    ClosePort();
    return received;
}

void ParseFormLine(std::string_view line, TLabelModel& label)
{
    ApplyFormLineChange(ReadFormLine(line, GraphicsNameList), label);
}

bool ReceiveForm(const std::string& name)
{
    TFormLoadNotes ignored;
    return ReceiveForm(name, ignored);
}

std::string DescribeFormLoadNotes(const TFormLoadNotes& notes)
{
    std::string text;
    if (notes.LinesTooLong > 0) {
        text = std::to_string(notes.LinesTooLong) + (notes.LinesTooLong == 1 ? " form line" : " form lines") +
               " longer than " + std::to_string(LongestCommandLine) + " characters skipped";
    }
    if (!notes.RefusedFonts.empty()) {
        text += text.empty() ? "" : "\n";
        text += notes.RefusedFonts.size() == 1 ? "Font " : "Fonts ";
        for (std::size_t i = 0; i < notes.RefusedFonts.size(); ++i) {
            text += (i > 0 ? ", " : "") + std::string(1, notes.RefusedFonts[i]);
        }
        text += " not loaded (more than " + std::to_string(MaxFontDataLength) + " bytes or not a font)";
    }
    return text;
}

bool ReceiveForm(const std::string& name, TFormLoadNotes& notes)
{
    TExchangeGuard exchange;
    if (!ReceivePrinterNameLists() || !OpenPort()) {
        return false;
    }
    // Setup values the form does not set keep the label's.
    TLabelModel label;
    label.Setup = LabelSetup;
    PrinterPrintf("\r\nFI\"%s\"\r\n", name.c_str());
    if (CommLink.WriteAborted != 0) {
        ClosePort();
        return false;
    }
    if (!ReceiveFormLines(label, notes)) {
        ClosePort();
        return false;
    }
    ClosePort();
    if (!ReceivePictures(label.Figures) || !ReceiveFonts(label.Figures, notes)) {
        return false;
    }
    if (CountFigures(label.Figures) > MaxLabelFigures) {
        notes.Refusal = TooManyFiguresText;
        return false;
    }
    if (!OpenPort()) {
        return false;
    }
    PrinterPrintf("\r\nFR\"%s\"\r\n", name.c_str());
    if (CommLink.WriteAborted != 0) {
        ClosePort();
        return false;
    }
    ShowCommunicating("Receiving variables");
    ReceiveVariables(VariablesTargetReceived);
    if (CommLink.LinkError != 0) {
        return false;
    }
    label.Variables = ReceivedVariables;
    label.Counters = ReceivedCounters;
    PutLabelInPlace(label);
    if (LabelLoadedHook) {
        LabelLoadedHook(LabelLoadTarget::Editor);
    }
    return true;
}

}  // namespace zk
