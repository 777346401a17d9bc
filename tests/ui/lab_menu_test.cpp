// The main menu against the editor's command table: menus in order, every
// item with its name, caption and shortcut, separators where they stand.

#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <gtest/gtest.h>

#include "tests/ui/main_window_fixture.h"
#include "tests/ui/modal_driver.h"

namespace zk::test {
namespace {

struct ItemRow {
    const char* name;  // "-" for a separator
    const char* caption;
    const char* shortcut;
};

struct MenuRow {
    const char* name;
    const char* caption;
    std::vector<ItemRow> items;
};

const ItemRow Sep{"-", "", ""};

const std::vector<MenuRow> EXPECTED_MENUS = {
    {"ZK_File",
     "File",
     {{"NewLabelM", "New Label", ""},
      {"LoadLabelM", "Open Label", ""},
      Sep,
      {"SaveAsLabelM", "Save as Label", ""},
      {"SaveAsFormM", "Save as Form", ""},
      Sep,
      {"LabelSetupM", "Label Setup", ""},
      Sep,
      {"FormM", "Forms in Printer", ""},
      {"GraphicsM", "Graphics in Printer", ""},
      {"FontsM", "Fonts in Printer", ""},
      Sep,
      {"StoreCurrentM", "Store Current Label", ""},
      {"StoreFormM", "Store Form to Printer", ""},
      {"StoreGraphicsM", "Store Graphics to Printer", ""},
      {"StoreFontM", "Store Font to Printer", ""},
      Sep,
      {"ExitM", "Exit", ""}}},
    {"EditM",
     "Edit",
     {{"SelectAllM", "Select All", "Ctrl+A"},
      {"UnselectM", "Unselect All", "Ctrl+U"},
      Sep,
      {"CopyM", "Copy", "Ctrl+C"},
      {"PasteM", "Paste", "Ctrl+V"},
      {"DeleteM", "Delete", "Del"},
      Sep,
      {"AlignM", "Align to Grid", "Ctrl+J"},
      Sep,
      {"MovetoTopM", "Move to Top", "Ctrl+T"},
      {"MovetoBottomM", "Move to Bottom", "Ctrl+B"},
      Sep,
      {"RotateCWM", "Rotate Clockwise", "Ctrl+R"}}},
    {"ViewM",
     "View",
     {{"ToolbarM", "Toolbar", ""},
      {"GridM", "Grid", ""},
      {"MarginsM", "Margins", ""},
      Sep,
      {"ScrollTrackingM", "Scroll Tracking", ""},
      Sep,
      {"LeftToolbarM", "Toolbar from Left Side", ""},
      Sep,
      {"EditfromListM", "Object List", "Ctrl+M"}}},
    {"ZK_Print",
     "Print",
     {{"TestPrintM", "Test Print", "F2"},
      {"PrintM", "Print", "F3"},
      Sep,
      {"ContinueM", "Continue Print", "Ctrl+P"},
      Sep,
      {"VariablesM", "Define Variables", ""},
      {"NewValuesM", "Update Variables", "F4"},
      {"PrWinSep", "", ""},
      {"PrintUsingDriver1", "Print Using Windows Driver", "F5"}}},
    {"DrawM",
     "Draw",
     {{"TextM", "Text", ""},
      {"BarcodeM", "Barcode", ""},
      {"RectangleM", "Rectangle", ""},
      {"LineM", "Diagonal Line", ""},
      {"BoxM", "Box", ""},
      {"PictureM", "Picture", ""},
      {"Pdf417M", "Barcode PDF417", ""}}},
    {"ZK_Tools",
     "Tools",
     {{"SettingsM", "Settings", ""},
      Sep,
      {"TerminalM", "Terminal", ""},
      Sep,
      {"ColorBWM", "Color to Black && White Converter", ""},
      Sep,
      {"TtfToZftM", "TrueType to Label Font Converter", ""},
      Sep,
      {"NewFontM", "Add New Font", ""},
      {"RemoveFontM", "Remove Font", ""}}},
    {"ZK_Help",
     "Help",
     {{"AboutM", "About", ""}, {"ZKeditHelpM", "Label Editor Help", ""}, Sep, {"CharsM", "Character Sets", ""}}},
};

class LabMenuTest : public MainWindowTest {};

TEST_F(LabMenuTest, MenusAndItemsFollowTheCommandTable)
{
    TZKedit& w = MakeWindow();
    const QList<QAction*> menus = w.menuBar()->actions();
    ASSERT_EQ(menus.size(), static_cast<qsizetype>(EXPECTED_MENUS.size()));
    for (std::size_t m = 0; m < EXPECTED_MENUS.size(); ++m) {
        const MenuRow& expected = EXPECTED_MENUS[m];
        SCOPED_TRACE(expected.name);
        QMenu* menu = menus[static_cast<qsizetype>(m)]->menu();
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->objectName().toStdString(), expected.name);
        EXPECT_EQ(menu->title().toStdString(), expected.caption);
        const QList<QAction*> items = menu->actions();
        ASSERT_EQ(items.size(), static_cast<qsizetype>(expected.items.size()));
        for (std::size_t i = 0; i < expected.items.size(); ++i) {
            const ItemRow& row = expected.items[i];
            const QAction* item = items[static_cast<qsizetype>(i)];
            SCOPED_TRACE(std::to_string(i) + " " + row.name);
            const bool separator = std::string(row.name) == "-" || std::string(row.name) == "PrWinSep";
            EXPECT_EQ(item->isSeparator(), separator);
            if (std::string(row.name) != "-") {
                EXPECT_EQ(item->objectName().toStdString(), row.name);
            }
            if (!separator) {
                EXPECT_EQ(item->text().toStdString(), row.caption);
                EXPECT_EQ(item->shortcut(), QKeySequence(row.shortcut, QKeySequence::PortableText));
            }
        }
    }
}

TEST_F(LabMenuTest, ViewOptionsStartChecked)
{
    TZKedit& w = MakeWindow();
    const struct {
        const char* name;
        bool checked;
    } rows[] = {{"ToolbarM", true}, {"GridM", false}, {"MarginsM", true}, {"ScrollTrackingM", true},
                {"LeftToolbarM", false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(w.MenuItem(row.name)->isCheckable());
        EXPECT_EQ(w.MenuItem(row.name)->isChecked(), row.checked);
    }
}

TEST_F(LabMenuTest, F5OpensTheDriverPrintDialogWhileItsItemIsHidden)
{
    TZKedit& w = StartWindow();
    // The driver print dialog, created with the window, hides its entry.
    EXPECT_FALSE(w.MenuItem("PrintUsingDriver1")->isVisible());
    EXPECT_FALSE(w.MenuItem("PrWinSep")->isVisible());
    std::string shown;
    WhenModalShows([&shown](QWidget* modal) {
        shown = modal->objectName().toStdString();
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&w, Qt::Key_F5);
    EXPECT_EQ(shown, "ViaDrvDlg");
}

}  // namespace
}  // namespace zk::test
