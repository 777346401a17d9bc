#include "engine/softfont/soft_fonts.h"

#include <cctype>
#include <filesystem>
#include <vector>

#include "engine/config/program_paths.h"
#include "engine/labelfile/figure_room.h"
#include "engine/link/comm_link.h"
#include "engine/link/exchange_guard.h"
#include "engine/link/serial_link.h"
#include "engine/memory/printer_memory.h"
#include "engine/model/figure_list.h"
#include "engine/print/append_printf.h"
#include "engine/print/command_sender.h"
#include "engine/render/redraw.h"
#include "engine/report/reporting.h"
#include "engine/report/ui_services.h"
#include "engine/softfont/font_file.h"
#include "engine/softfont/font_lists.h"

namespace zk {

std::function<std::string()> PickPrinterFont = PickPrinterFontName;

namespace {

constexpr int FIRST_SOFT_FONT = 6;

char UpperLetter(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

bool IsFontLetter(char c) { return c >= 'A' && c <= 'Z'; }

char LetterOf(const TSoftFontFigure& font) { return font.Letter.empty() ? '\0' : font.Letter.view()[0]; }

// The soft-font figure whose letter is letter (ignoring case) and its font
// number, or null.
TFigure* FindSoftFont(char letter, int* fontNumber = nullptr)
{
    int number = FIRST_SOFT_FONT;
    for (TFigure* figure : Figures()) {
        if (!figure->Is(TFigureKind::Font)) {
            continue;
        }
        if (UpperLetter(LetterOf(figure->SoftFont())) == UpperLetter(letter)) {
            if (fontNumber != nullptr) {
                *fontNumber = number;
            }
            return figure;
        }
        ++number;
    }
    return nullptr;
}

void TakeBlock(TSoftFontFigure& font, TFontData block)
{
    font.CharCount = block.Bytes[0];
    font.Height = block.Bytes[2];
    font.DataLength = static_cast<std::uint16_t>(block.Bytes.size());
    font.Data = std::make_shared<TFontData>(std::move(block));
}

void SelectFontItem(char letter)
{
    const auto& items = TextDlgFontType.Items;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (!items[i].empty() && UpperLetter(items[i][0]) == letter) {
            TextDlgFontType.Selected = static_cast<int>(i);
            return;
        }
    }
}

// A font file chosen by the user and the letter it is to be known by.
std::optional<TExtractedFont> FontFromFile()
{
    const std::string path = Ui().OpenFileDialog(
        {"Load new font", "", "ZFT", "Label editor fonts (*.zft)|*.ZFT", ProgramPaths.WorkDir});
    if (path.empty()) {
        return std::nullopt;
    }
    ProgramPaths.WorkDir = std::filesystem::path(path).parent_path().string() + "/";
    FillSoftFontList("Name for " + path);
    const char letter = Ui().ShowFontsDialog(true);
    if (letter == '\0') {
        return std::nullopt;
    }
    auto block = ReadFontFile(path);
    if (!block) {
        return std::nullopt;
    }
    return TExtractedFont{std::string(1, letter), std::move(*block)};
}

}  // namespace

std::optional<TFontData> ReceivePrinterFont(const std::string& name)
{
    TExchangeGuard exchange;
    if (!OpenPort()) {
        return std::nullopt;
    }
    std::string command;
    AppendPrintf(command, "\r\nEI\"%s\"\r\n", name.c_str());
    if (!SendCommandText(command)) {
        ClosePort();
        return std::nullopt;
    }
    ShowCommunicating("Extracting font \"" + name + "\"");
    std::vector<std::uint8_t> lengthBytes(2);
    std::size_t length = 0;
    if (ReceiveBlock(lengthBytes) == lengthBytes.size()) {
        length = static_cast<std::size_t>(lengthBytes[0] << 8 | lengthBytes[1]);
        // The printer's length is not trusted: a font block has its three
        // header bytes and fits the block limit. A refused block is still
        // read to its end, so that it does not spill into the next exchange.
        if (length < 3 || length > MaxFontDataLength) {
            DiscardBlock(length);
            ClosePort();
            SetMessageBoxError("Error", "Invalid font file");
            return std::nullopt;
        }
    }
    TFontData font;
    if (CommLink.LinkError == 0) {
        font.Bytes.resize(length);
        ReceiveBlock(font.Bytes);
    }
    ClosePort();
    ReportNoResponse();
    if (CommLink.LinkError != 0) {
        return std::nullopt;
    }
    if (font.Bytes[1] != 0) {
        SetMessageBoxError("Error", "Invalid font file");
        return std::nullopt;
    }
    return font;
}

std::optional<TExtractedFont> ExtractFontToMemory()
{
    const std::string name = PickPrinterFont ? PickPrinterFont() : std::string();
    if (name.empty()) {
        return std::nullopt;
    }
    // A font the label has no room for is refused before it is sent for;
    // one under a letter the label holds replaces that one.
    if (FindSoftFont(UpperLetter(name[0])) == nullptr && !CheckRoomForFigures(1)) {
        return std::nullopt;
    }
    auto font = ReceivePrinterFont(name);
    if (!font) {
        return std::nullopt;
    }
    return TExtractedFont{name, std::move(*font)};
}

bool LoadNewFont(bool fromFile)
{
    auto font = fromFile ? FontFromFile() : ExtractFontToMemory();
    if (!font) {
        return false;
    }
    // Printer commands name a soft font by one upper-case letter.
    const char letter = UpperLetter(font->Name[0]);
    if (!IsFontLetter(letter)) {
        return false;
    }
    if (TFigure* existing = FindSoftFont(letter)) {
        TakeBlock(existing->SoftFont(), std::move(font->Data));
    } else {
        TSoftFontFigure added;
        added.Letter = std::string(1, letter);
        TakeBlock(added, std::move(font->Data));
        if (!CheckRoomForFigures(1) || AppendFigure(added) != 0) {
            return false;
        }
    }
    FillFontList();
    SelectFontItem(letter);
    RedrawLabel(RedrawEditor);
    return true;
}

void RemoveFont()
{
    FillSoftFontList("Select font to remove");
    if (FontsDlgList.Items.empty()) {
        ShowMessageBox("Error", "Nothing to remove");
        return;
    }
    const char letter = Ui().ShowFontsDialog(false);
    if (letter == '\0') {
        return;
    }
    int number = 0;
    TFigure* font = FindSoftFont(letter, &number);
    if (font == nullptr) {
        return;
    }
    int users = 0;
    for (const TFigure* figure : Figures()) {
        if (figure->Is(TFigureKind::Text) && figure->Text().Font == number) {
            ++users;
        }
    }
    if (users > 0) {
        std::string text;
        AppendPrintf(text, "Font (%c) used in %d string%s. Can't remove", LetterOf(font->SoftFont()), users,
                     users > 1 ? "s" : "");
        ShowMessageBox("Error", text);
        return;
    }
    DeleteFigure(font);
    for (TFigure* figure : Figures()) {
        if (figure->Is(TFigureKind::Text) && figure->Text().Font > number) {
            --figure->Text().Font;
        }
    }
    FillFontList();
    RedrawLabel(RedrawEditor);
}

}  // namespace zk
