// The character-set viewer against the label renderer: every cell holds the
// glyph the renderer draws for its code, in the chosen table and font.

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

#include "engine/config/program_paths.h"
#include "engine/model/figure_list.h"
#include "engine/model/label_setup.h"
#include "engine/render/label_image.h"
#include "engine/text/printer_font.h"
#include "engine/text/printer_font_layout.h"
#include "engine/text/text_render.h"
#include "engine/text/text_render_state.h"
#include "tests/engine/text/font_file_reader.h"
#include "tests/support/engine_fixture.h"
#include "ui/dialogs/chars_dlg.h"
#include "ui/editing/editor_state.h"

namespace zk {
namespace {

using DotSet = std::set<std::pair<int, int>>;

constexpr QRgb Ink = 0xFF000000;
constexpr int LabelSize = 300;
// Where the renderer draws the reference text.
constexpr int TextX = 100;
constexpr int TextY = 100;

QPoint CellOf(int code)
{
    const int index = code - FirstTableCode;
    return {CharGridLeft + CharCellWidth * (index % CharGridColumns), CharGridTop + CharCellHeight * (index / CharGridColumns)};
}

// The black pixels inside a cell (its grid lines left out), relative to the cell.
DotSet CellInk(const QImage& picture, int code)
{
    const QPoint cell = CellOf(code);
    DotSet dots;
    for (int y = 1; y < CharCellHeight; ++y) {
        for (int x = 1; x < CharCellWidth; ++x) {
            if (picture.pixel(cell.x() + x, cell.y() + y) == Ink) dots.insert({x, y});
        }
    }
    return dots;
}

DotSet LabelInk()
{
    DotSet dots;
    for (int y = 0; y < LabelImage.Height(); ++y) {
        for (int x = 0; x < LabelImage.Width(); ++x) {
            if (LabelImage.Pixel(x, y) == Black) dots.insert({x, y});
        }
    }
    return dots;
}

// Dots moved so that their bounding box starts at (0, 0).
DotSet Normalised(const DotSet& dots)
{
    int left = INT_MAX, top = INT_MAX;
    for (const auto& [x, y] : dots) {
        left = std::min(left, x);
        top = std::min(top, y);
    }
    DotSet moved;
    for (const auto& [x, y] : dots) moved.insert({x - left, y - top});
    return moved;
}

class CharsDlgTest : public test::EngineTest {
protected:
    CharsDlgTest()
    {
        ProgramPaths.PrinterFontFileName = test::GeneratedFontFile().string();
        EXPECT_EQ(LoadPrinterFont(), PrinterFontLoaded);
        LabelSetup.LabelWidth = LabelSize;
        LabelSetup.LabelLength = LabelSize;
        dlg = std::make_unique<TCharsDlg>();
    }
    ~CharsDlgTest() override { EditingHooks = {}; }

    void Show(int table, int font)
    {
        dlg->TableBox->setCurrentIndex(table);
        dlg->FontBox->setCurrentIndex(font);
        dlg->DrawCharacterTable();
    }

    // What the renderer draws for one character in a cleared label image, at
    // multiplier 1 and in the given code table.
    static DotSet Rendered(int language, int font, int code, bool raw)
    {
        LabelImage.Resize(LabelSize, LabelSize);
        const std::int32_t saved = LabelSetup.Language;
        LabelSetup.Language = language;
        RawTextMode = raw ? 1 : 0;
        UseEnglishTable = 0;
        const std::string text = raw ? std::string(1, static_cast<char>(code)) : "\"" + std::string(1, static_cast<char>(code)) + "\"";
        RenderPrinterText(TextX, TextY, 0, font, 1, 1, 0, text);
        RawTextMode = 0;
        LabelSetup.Language = saved;
        return LabelInk();
    }

    void AddSoftFont(char letter, std::vector<std::uint8_t> block)
    {
        TSoftFontFigure font;
        font.CharCount = block[0];
        font.Height = block[2];
        font.DataLength = static_cast<std::int16_t>(block.size());
        font.Letter = std::string(1, letter);
        font.Data = std::make_shared<TFontData>(TFontData{std::move(block)});
        ASSERT_EQ(AppendFigure(font), 0);
    }

    std::unique_ptr<TCharsDlg> dlg;
};

struct CellCase {
    int language;
    int font;
    int code;
};

TEST_F(CharsDlgTest, EachCellHoldsTheGlyphTheRendererDraws)
{
    const CellCase cases[] = {
        {0, 0, 'A'}, {0, 1, '~'}, {2, 2, 0xE0}, {7, 3, 0xE9}, {9, 4, 0xE1}, {0, 5, 'W'}, {11, 4, 0xE0}, {13, 0, 0x87},
    };
    for (const CellCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "language " << c.language << " font " << c.font << " code " << c.code);
        Show(c.language, c.font);
        const TResidentFontLayout& layout = ResidentFontLayouts[static_cast<std::size_t>(c.font)];
        // The glyph is centred in its cell; the renderer puts it at the pen,
        // its baseline shift above the text's y.
        const int glyphLeft = CharCellWidth / 2 - layout.Width / 2;
        const int glyphTop = CharCellHeight / 2 + 1 - layout.Rows / 2;
        DotSet expected;
        for (const auto& [x, y] : Rendered(c.language, c.font, c.code, true)) {
            expected.insert({x - TextX + glyphLeft, y - (TextY - layout.BaselineShift) + glyphTop});
        }
        EXPECT_FALSE(expected.empty());
        EXPECT_EQ(CellInk(dlg->Picture(), c.code), expected);
    }
}

TEST_F(CharsDlgTest, ArabicTableDrawsTheArabicSetWithEachGlyphsWidth)
{
    const std::vector<std::uint8_t> fontFile = test::ReadBytes(test::GeneratedFontFile());
    for (int font : {0, 3, 5}) {
        SCOPED_TRACE(testing::Message() << "font " << font);
        Show(ArabicLanguage, font);
        for (int code : {0xC7, 0xA9}) {
            const DotSet cell = CellInk(dlg->Picture(), code);
            ASSERT_FALSE(cell.empty());
            // The same shape; the renderer's Arabic sub-rectangle places it one dot up and left.
            EXPECT_EQ(Normalised(cell), Normalised(Rendered(ArabicLanguage, font, code, false)));
            // Centred on its own width, not on the set's widest glyph.
            const test::DotGlyph glyph = test::ArabicGlyph(fontFile, font, code);
            const int glyphLeft = CharCellWidth / 2 - glyph.Width / 2;
            for (const auto& dot : cell) {
                EXPECT_GE(dot.first, glyphLeft);
                EXPECT_LT(dot.first, glyphLeft + glyph.Width);
            }
        }
    }
    EXPECT_EQ(ArabicGlyphSet, 1);
}

TEST_F(CharsDlgTest, DrawingLeavesTheLabelsLanguage)
{
    LabelSetup.Language = 7;
    Show(2, 4);
    EXPECT_EQ(LabelSetup.Language, 7);
}

TEST_F(CharsDlgTest, TableAndFontChangesRedraw)
{
    Show(0, 4);
    const QImage english = dlg->Picture().copy();
    dlg->TableBox->setCurrentIndex(2);  // Russian: other glyphs from 0x80 on
    const QImage russian = dlg->Picture().copy();
    EXPECT_NE(english, russian);
    EXPECT_EQ(CellInk(english, 'A'), CellInk(russian, 'A'));
    EXPECT_NE(CellInk(english, 0xE0), CellInk(russian, 0xE0));

    dlg->FontBox->setCurrentIndex(1);
    EXPECT_NE(dlg->Picture(), russian);
    EXPECT_NE(CellInk(dlg->Picture(), 'A'), CellInk(russian, 'A'));
}

TEST_F(CharsDlgTest, HeadingsInBlueAndGridLinesInRed)
{
    Show(0, 4);
    const QImage& picture = dlg->Picture();
    EXPECT_EQ(picture.size(), QSize(CharTableWidth, CharTableHeight));
    EXPECT_EQ(picture.pixel(8, 8), 0xFFFF0000u);
    EXPECT_EQ(picture.pixel(720, 500), 0xFFFF0000u);
    EXPECT_EQ(picture.pixel(300, 882 - 60), 0xFFFF0000u);
    EXPECT_EQ(picture.pixel(4, 4), 0xFFFFFFFFu);
    auto blueIn = [&picture](QRect area) {
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (picture.pixel(x, y) == 0xFF0000FFu) return true;
        return false;
    };
    EXPECT_TRUE(blueIn({50, 12, 38, 28}));   // "_0" over the first column
    EXPECT_TRUE(blueIn({10, 44, 36, 58}));   // "2_" beside the first row
    EXPECT_FALSE(blueIn({50, 44, 38, 56}));  // none inside a cell
}

TEST_F(CharsDlgTest, SoftFontsAreListedAndMissingCodesLeaveTheCellEmpty)
{
    // 'A' in an 8-dot box of three rows; no other codes.
    AddSoftFont('K', {1, 0, 3, 'A', 8, 1, 0xFF, 0x81, 0xFF});
    dlg->FillViewerLists();
    ASSERT_EQ(dlg->FontBox->count(), 7);
    EXPECT_EQ(dlg->FontBox->itemText(0), "0  (12x24)");
    EXPECT_EQ(dlg->FontBox->itemText(5), "5  (32x48)");
    EXPECT_EQ(dlg->FontBox->itemText(6), "K  h=3");
    EXPECT_EQ(dlg->TableBox->count(), 14);
    EXPECT_EQ(dlg->TableBox->itemText(13), "Portugal (860)");

    Show(0, 6);
    DotSet expected;
    for (const auto& [x, y] : Rendered(0, 6, 'A', true)) {
        expected.insert({x - TextX + CharCellWidth / 2 - 4, y - TextY + CharCellHeight / 2 + 1 - 1});
    }
    EXPECT_EQ(expected.size(), 8u + 2u + 8u);
    EXPECT_EQ(CellInk(dlg->Picture(), 'A'), expected);
    EXPECT_TRUE(CellInk(dlg->Picture(), 'B').empty());
}

TEST_F(CharsDlgTest, ShowingRefillsTheListsAndFallsBackWhenTheFontWent)
{
    int fills = 0;
    EditingHooks.FillFontList = [&fills] { ++fills; };
    AddSoftFont('K', {1, 0, 3, 'A', 8, 1, 0xFF, 0x81, 0xFF});
    AddSoftFont('M', {1, 0, 3, 'A', 8, 1, 0xFF, 0x81, 0xFF});
    dlg->show();
    EXPECT_EQ(fills, 1);
    ASSERT_EQ(dlg->FontBox->count(), 8);
    dlg->TableBox->setCurrentIndex(9);
    dlg->FontBox->setCurrentIndex(7);
    dlg->AsciiLb->setText("65 (41h)");
    dlg->hide();

    dlg->show();
    EXPECT_EQ(dlg->FontBox->currentIndex(), 7);
    EXPECT_EQ(dlg->TableBox->currentIndex(), 9);
    EXPECT_TRUE(dlg->AsciiLb->text().isEmpty());
    dlg->hide();

    ClearFigureList();
    dlg->show();
    EXPECT_EQ(dlg->FontBox->count(), 6);
    EXPECT_EQ(dlg->FontBox->currentIndex(), 3);
    const QImage shown = dlg->Picture().copy();
    Show(9, 3);
    EXPECT_EQ(shown, dlg->Picture());
    dlg->hide();
}

TEST_F(CharsDlgTest, CreatedOnTheLabelsLanguageAndFontFour)
{
    LabelSetup.Language = 5;
    TCharsDlg fresh;
    EXPECT_EQ(fresh.TableBox->currentIndex(), 5);
    EXPECT_EQ(fresh.FontBox->currentIndex(), 4);
    EXPECT_EQ(fresh.windowTitle(), "Character Set Viewer");
    EXPECT_EQ(fresh.HB->text(), "B0h");
    EXPECT_EQ(fresh.HB->maxLength(), 3);
    EXPECT_EQ(fresh.FontImg->size(), QSize(CharTableWidth, CharTableHeight));
    for (const char* name : {"CtlPanel", "FltPanel", "Label1", "TableBox", "Label2", "FontBox", "AsciiLb", "Label3",
                             "HB", "OkBt", "CanBt", "ViewBox", "FontImg", "CharsMenu", "CopyM", "CloseM"}) {
        EXPECT_NE(fresh.findChild<QObject*>(name), nullptr) << name;
    }
    EXPECT_EQ(fresh.CopyM->shortcut(), QKeySequence("Ctrl+C"));
    EXPECT_EQ(fresh.CloseM->shortcut(), QKeySequence("Ctrl+Z"));

    LabelSetup.Language = 15;
    TCharsDlg pastTheList;
    EXPECT_EQ(pastTheList.TableBox->currentIndex(), 0);
}

struct MouseCase {
    int x;
    int y;
    const char* shown;
};

TEST_F(CharsDlgTest, MouseOverACellShowsItsCode)
{
    const MouseCase cases[] = {
        {49, 43, "32 (20h)"},  {48, 43, ""},           {49, 42, ""},           {89, 43, "32 (20h)"},
        {90, 43, "33 (21h)"},  {100, 102, "49 (31h)"}, {719, 881, "255 (FFh)"}, {720, 881, ""},
        {719, 882, ""},        {300, 5, ""},
    };
    for (const MouseCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        dlg->AsciiLb->setText("stale");
        QMouseEvent move(QEvent::MouseMove, QPointF(c.x, c.y), dlg->FontImg->mapToGlobal(QPointF(c.x, c.y)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(dlg->FontImg, &move);
        EXPECT_EQ(dlg->AsciiLb->text().toStdString(), c.shown);
    }
}

TEST_F(CharsDlgTest, CopyPutsTheGridPictureOnTheClipboard)
{
    Show(0, 2);
    QApplication::clipboard()->clear();
    dlg->CopyM->trigger();
    const QImage copied = QApplication::clipboard()->image();
    ASSERT_FALSE(copied.isNull());
    EXPECT_EQ(copied.convertToFormat(QImage::Format_RGB32), dlg->Picture());
}

TEST_F(CharsDlgTest, CloseOkAndEscapeCloseTheViewer)
{
    for (auto close : {+[](TCharsDlg& d) { d.CloseM->trigger(); }, +[](TCharsDlg& d) { d.OkBt->click(); },
                       +[](TCharsDlg& d) { d.CanBt->click(); }, +[](TCharsDlg& d) { QTest::keyClick(&d, Qt::Key_Escape); }}) {
        dlg->show();
        ASSERT_TRUE(dlg->isVisible());
        close(*dlg);
        EXPECT_FALSE(dlg->isVisible());
    }
}

TEST_F(CharsDlgTest, ControlsStayCentredAndTheFormKeepsItsMinimum)
{
    dlg->show();
    dlg->resize(1000, 700);
    QApplication::processEvents();
    EXPECT_EQ(dlg->CtlPanel->width(), 1000);
    EXPECT_EQ(dlg->FltPanel->x(), (1000 - dlg->FltPanel->width()) / 2);
    EXPECT_EQ(dlg->minimumSize(), QSize(dlg->FltPanel->width(), 3 * dlg->FltPanel->height()));
    EXPECT_EQ(dlg->ViewBox->geometry().bottom(), 699);
    dlg->hide();
}

}  // namespace
}  // namespace zk
