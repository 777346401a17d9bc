// The TrueType converter's form: its controls, the font, style and script
// lists, editing the character map with undo, the cell preview and the way
// into the font preview.

#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <memory>

#include "engine/ttf/converter_state.h"
#include "tests/support/engine_fixture.h"
#include "tests/ui/dialogs/dialog_fixture.h"
#include "tests/ui/main_window_fixture.h"
#include "ui/dialogs/fpreview_dlg.h"
#include "ui/dialogs/ttf_dlg.h"

namespace zk
{
namespace
{

class TtfDlgTest : public test::EngineTest
{
protected:
    TTtfDlg& Open()
    {
        dialog = std::make_unique<TTtfDlg>();
        dialog->show();
        return *dialog;
    }
    void ChooseFont(const char* family)
    {
        const int index = dialog->Fonts->findText(family);
        ASSERT_GE(index, 0) << family;
        dialog->Fonts->setCurrentIndex(index);
        dialog->FontsChange();
    }
    std::string MapText(int column, int row) const { return dialog->FontTo->item(row, column)->text().toStdString(); }
    void SelectSource(int left, int top, int right, int bottom)
    {
        dialog->FontSel->clearSelection();
        dialog->FontSel->setRangeSelected(QTableWidgetSelectionRange(top, left, bottom, right), true);
    }

    std::unique_ptr<TTtfDlg> dialog;
};

TEST_F(TtfDlgTest, FormCarriesItsNamedControlsAndCaptions)
{
    TTtfDlg& d = Open();
    EXPECT_EQ(d.objectName().toStdString(), "TtfDlg");
    EXPECT_EQ(d.windowTitle().toStdString(), "TrueType to Label Printer Font Converter");
    const struct {
        const char* name;
        const char* caption;
    } buttons[] = {{"ClearBt", "Clear"}, {"ClrOneBt", "Clear Marked"}, {"CopyBt", "Copy"},
                   {"UndoBt", "Undo"},   {"PreviewBt", "Preview"},     {"CanBt", "C"}};
    for (const auto& b : buttons) {
        auto* button = d.findChild<QPushButton*>(b.name);
        ASSERT_NE(button, nullptr) << b.name;
        EXPECT_EQ(button->text().toStdString(), b.caption);
    }
    EXPECT_FALSE(d.rect().intersects(d.CanBt->geometry()));
    for (const char* name : {"Fonts", "Styles", "Scripts"}) EXPECT_NE(d.findChild<QComboBox*>(name), nullptr) << name;
    for (const char* name : {"FontSel", "FontTo", "HCap1", "HCap2", "VCap1", "VCap2"}) {
        EXPECT_NE(d.findChild<QTableWidget*>(name), nullptr) << name;
    }
    EXPECT_EQ(d.findChild<QLabel*>("PreviewFld"), d.PreviewFld);
    ASSERT_EQ(d.Styles->count(), 4);
    EXPECT_EQ(d.Styles->itemText(3).toStdString(), "Bold Italic");
    EXPECT_EQ(d.FontSel->columnCount(), 32);
    EXPECT_EQ(d.FontTo->rowCount(), 7);
    EXPECT_EQ(d.FontSel->selectionMode(), QAbstractItemView::ContiguousSelection);
    EXPECT_EQ(d.FontTo->selectionMode(), QAbstractItemView::SingleSelection);
}

TEST_F(TtfDlgTest, CaptionGridsNumberTheCodes)
{
    TTtfDlg& d = Open();
    for (QTableWidget* across : {d.HCap1, d.HCap2}) {
        EXPECT_EQ(across->item(0, 0)->text().toStdString(), ".0");
        EXPECT_EQ(across->item(0, 15)->text().toStdString(), ".F");
        EXPECT_EQ(across->item(0, 16)->text().toStdString(), ".0");
        EXPECT_EQ(across->item(0, 31)->text().toStdString(), ".F");
    }
    for (QTableWidget* down : {d.VCap1, d.VCap2}) {
        EXPECT_EQ(down->item(1, 0)->text().toStdString(), "20");
        EXPECT_EQ(down->item(4, 0)->text().toStdString(), "80");
        EXPECT_EQ(down->item(7, 0)->text().toStdString(), "E0");
    }
}

TEST_F(TtfDlgTest, ShowingListsTheInstalledFontsAndStartsAfresh)
{
    Converter.Map.Cells[5] = 'x';
    TTtfDlg& d = Open();
    EXPECT_GE(d.Fonts->findText("DejaVu Sans"), 0);
    EXPECT_EQ(d.Fonts->currentIndex(), 0);
    for (int i = 1; i < d.Fonts->count(); ++i) {
        EXPECT_LE(d.Fonts->itemText(i - 1).compare(d.Fonts->itemText(i), Qt::CaseInsensitive), 0);
    }
    EXPECT_EQ(Converter.ConverterFont.Name, d.Fonts->itemText(0).toStdString());
    EXPECT_EQ(Converter.Map.MappedCount(), 0);
    EXPECT_EQ(Converter.Map.UndoLevel, 1);
    EXPECT_EQ(d.Styles->currentIndex(), 0);
}

TEST_F(TtfDlgTest, ChoosingAFontListsItsScriptsAndKeepsTheLastOne)
{
    Open();
    ChooseFont("DejaVu Sans");
    ASSERT_GE(dialog->Scripts->count(), 2);
    EXPECT_EQ(dialog->Scripts->itemText(0).toStdString(), "Western");
    dialog->Scripts->setCurrentIndex(dialog->Scripts->findText("Cyrillic"));
    dialog->ScriptsClick();
    EXPECT_EQ(Converter.ConverterFont.Charset, 204);
    EXPECT_EQ(dialog->FontSel->item(5, 0)->text(), QString(QChar(0x0410)));  // 0xC0 in Cyrillic
    ChooseFont("DejaVu Sans Mono");
    EXPECT_EQ(dialog->Scripts->currentText().toStdString(), "Cyrillic");
    dialog->Styles->setCurrentIndex(3);
    dialog->StylesChange();
    EXPECT_TRUE(Converter.ConverterFontStyle.Bold && Converter.ConverterFontStyle.Italic);
}

TEST_F(TtfDlgTest, MapEditsShowInTheGridAndUndo)
{
    TTtfDlg& d = Open();
    ChooseFont("DejaVu Sans");
    d.FontSelDblClick(1, 1);
    EXPECT_EQ(MapText(1, 1), "A");
    EXPECT_EQ(d.FontTo->currentRow(), 1);
    SelectSource(2, 1, 4, 1);  // "BCD"
    d.FontTo->setCurrentCell(6, 30);
    d.CopyBtClick();
    EXPECT_EQ(MapText(30, 6), "B");
    EXPECT_EQ(MapText(31, 6), "C");
    EXPECT_EQ(d.FontTo->currentRow(), 6);
    EXPECT_EQ(d.FontTo->currentColumn(), 31);
    d.ClrOneBtClick();
    EXPECT_EQ(MapText(31, 6), "");
    d.UndoBtClick();
    EXPECT_EQ(MapText(31, 6), "C");
    d.ClearBtClick();
    EXPECT_EQ(Converter.Map.MappedCount(), 0);
    // The clear replaced the undone step: two undos lead back to the double click.
    d.UndoBtClick();
    d.UndoBtClick();
    EXPECT_EQ(MapText(30, 6), "");
    EXPECT_EQ(MapText(1, 1), "A");
    d.UndoBtClick();
    EXPECT_EQ(MapText(1, 1), "");
}

TEST_F(TtfDlgTest, CellPreviewShowsTheCharacterLargeAndAnAmpersandAsItself)
{
    TTtfDlg& d = Open();
    ChooseFont("DejaVu Sans");
    d.FontSel->setCurrentCell(0, 6);  // '&'
    EXPECT_EQ(d.PreviewFld->text().toStdString(), "&");
    EXPECT_EQ(d.PreviewFld->font().pointSize(), 56);
    d.FontSelDblClick(1, 1);
    d.FontTo->setCurrentCell(2, 2);
    EXPECT_EQ(d.PreviewFld->text().toStdString(), "");
    d.FontTo->setCurrentCell(1, 1);
    EXPECT_EQ(d.PreviewFld->text().toStdString(), "A");
}

TEST_F(TtfDlgTest, PreviewOfAnEmptyMapIsRefused)
{
    TTtfDlg& d = Open();
    d.PreviewBtClick();
    EXPECT_EQ(ui.OnlyMessage(), "Nothing to preview");
    EXPECT_EQ(ui.messageBoxes[0].caption, "Error");
    EXPECT_FALSE(d.FPreviewDlg->isVisible());
}

TEST_F(TtfDlgTest, PreviewOpensTheFontPreviewOverTheMap)
{
    TTtfDlg& d = Open();
    ChooseFont("DejaVu Sans");
    d.FontSelDblClick(1, 1);
    d.FontSelDblClick(1, 2);
    std::string chars;
    test::WhenModalNamed("FPreviewDlg", [&chars](QWidget* modal) {
        chars = modal->findChild<QLabel*>("CharsMsg")->text().toStdString();
        modal->findChild<QPushButton*>("CanBt")->click();
    });
    d.PreviewBtClick();
    EXPECT_EQ(chars, "Characters: 2");
}

class TtfMenuTest : public test::MainWindowTest
{
};

TEST_F(TtfMenuTest, TheToolsMenuShowsTheConverterModally)
{
    TZKedit& w = MakeWindow();
    bool shown = false;
    test::WhenModalNamed("TtfDlg", [&shown](QWidget* modal) {
        shown = true;
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    w.MenuItem("TtfToZftM")->trigger();
    EXPECT_TRUE(shown);
}

}  // namespace
}  // namespace zk
