// The main menu LabMenu: every command of the editor, with the item names
// the rest of the program and the tests find them by.

#include <QMenuBar>
#include <QShortcut>

#include "ui/main_window.h"

namespace zk {

namespace {

using Handler = void (TZKedit::*)();

enum ItemFlags : unsigned {
    Plain = 0,
    SeparatorAfter = 1,
    Checkable = 2,
    CheckedAtStart = 4,
};

struct MenuItemRow {
    const char* caption;
    const char* name;
    const char* shortcut;  // portable key text, "" for none
    Handler handler;
    unsigned flags;
    const char* separatorName = "";
};

struct MenuRow {
    const char* caption;
    const char* name;
    std::initializer_list<MenuItemRow> items;
};

const MenuRow LAB_MENU[] = {
    {"File",
     "ZK_File",
     {
         {"New Label", "NewLabelM", "", &TZKedit::NewLabelMClick, Plain},
         {"Open Label", "LoadLabelM", "", &TZKedit::LoadLabelMClick, SeparatorAfter},
         {"Save as Label", "SaveAsLabelM", "", &TZKedit::SaveAsLabelMClick, Plain},
         {"Save as Form", "SaveAsFormM", "", &TZKedit::SaveAsFormMClick, SeparatorAfter},
         {"Label Setup", "LabelSetupM", "", &TZKedit::LabelSetupMClick, SeparatorAfter},
         {"Forms in Printer", "FormM", "", &TZKedit::FormMClick, Plain},
         {"Graphics in Printer", "GraphicsM", "", &TZKedit::GraphicsMClick, Plain},
         {"Fonts in Printer", "FontsM", "", &TZKedit::FontsMClick, SeparatorAfter},
         {"Store Current Label", "StoreCurrentM", "", &TZKedit::StoreCurrentMClick, Plain},
         {"Store Form to Printer", "StoreFormM", "", &TZKedit::StoreFormMClick, Plain},
         {"Store Graphics to Printer", "StoreGraphicsM", "", &TZKedit::StoreGraphicsMClick, Plain},
         {"Store Font to Printer", "StoreFontM", "", &TZKedit::StoreFontMClick, SeparatorAfter},
         {"Exit", "ExitM", "", &TZKedit::ExitMClick, Plain},
     }},
    {"Edit",
     "EditM",
     {
         {"Select All", "SelectAllM", "Ctrl+A", &TZKedit::SelectAllMClick, Plain},
         {"Unselect All", "UnselectM", "Ctrl+U", &TZKedit::UnselectMClick, SeparatorAfter},
         {"Copy", "CopyM", "Ctrl+C", &TZKedit::CopyMClick, Plain},
         {"Paste", "PasteM", "Ctrl+V", &TZKedit::PasteMClick, Plain},
         {"Delete", "DeleteM", "Del", &TZKedit::DeleteMClick, SeparatorAfter},
         {"Align to Grid", "AlignM", "Ctrl+J", &TZKedit::AlignMClick, SeparatorAfter},
         {"Move to Top", "MovetoTopM", "Ctrl+T", &TZKedit::MovetoTopMClick, Plain},
         {"Move to Bottom", "MovetoBottomM", "Ctrl+B", &TZKedit::MovetoBottomMClick, SeparatorAfter},
         {"Rotate Clockwise", "RotateCWM", "Ctrl+R", &TZKedit::RotateCWMClick, Plain},
     }},
    {"View",
     "ViewM",
     {
         {"Toolbar", "ToolbarM", "", &TZKedit::ToolbarMClick, Checkable | CheckedAtStart},
         {"Grid", "GridM", "", &TZKedit::GridMClick, Checkable},
         {"Margins", "MarginsM", "", &TZKedit::MarginsMClick, Checkable | CheckedAtStart | SeparatorAfter},
         {"Scroll Tracking", "ScrollTrackingM", "", &TZKedit::ScrollTrackingMClick,
          Checkable | CheckedAtStart | SeparatorAfter},
         {"Toolbar from Left Side", "LeftToolbarM", "", &TZKedit::LeftToolbarMClick, Checkable | SeparatorAfter},
         {"Object List", "EditfromListM", "Ctrl+M", &TZKedit::EditfromListMClick, Plain},
     }},
    {"Print",
     "ZK_Print",
     {
         {"Test Print", "TestPrintM", "F2", &TZKedit::TestPrintMClick, Plain},
         {"Print", "PrintM", "F3", &TZKedit::PrintMClick, SeparatorAfter},
         {"Continue Print", "ContinueM", "Ctrl+P", &TZKedit::ContinueMClick, SeparatorAfter},
         {"Define Variables", "VariablesM", "", &TZKedit::VariablesMClick, Plain},
         {"Update Variables", "NewValuesM", "F4", &TZKedit::NewValuesMClick, SeparatorAfter, "PrWinSep"},
         {"Print Using Windows Driver", "PrintUsingDriver1", "F5", &TZKedit::PrintUsingDriver1Click, Plain},
     }},
    {"Draw",
     "DrawM",
     {
         {"Text", "TextM", "", &TZKedit::TextMClick, Plain},
         {"Barcode", "BarcodeM", "", &TZKedit::BarcodeMClick, Plain},
         {"Rectangle", "RectangleM", "", &TZKedit::RectangleMClick, Plain},
         {"Diagonal Line", "LineM", "", &TZKedit::LineMClick, Plain},
         {"Box", "BoxM", "", &TZKedit::BoxMClick, Plain},
         {"Picture", "PictureM", "", &TZKedit::PictureMClick, Plain},
         {"Barcode PDF417", "Pdf417M", "", &TZKedit::Pdf417MClick, Plain},
     }},
    {"Tools",
     "ZK_Tools",
     {
         {"Settings", "SettingsM", "", &TZKedit::SettingsMClick, SeparatorAfter},
         {"Terminal", "TerminalM", "", &TZKedit::TerminalMClick, SeparatorAfter},
         {"Color to Black && White Converter", "ColorBWM", "", &TZKedit::ColorBWMClick, SeparatorAfter},
         {"TrueType to Label Font Converter", "TtfToZftM", "", &TZKedit::TtfToZftMClick, SeparatorAfter},
         {"Add New Font", "NewFontM", "", &TZKedit::NewFontMClick, Plain},
         {"Remove Font", "RemoveFontM", "", &TZKedit::RemoveFontMClick, Plain},
     }},
    {"Help",
     "ZK_Help",
     {
         {"About", "AboutM", "", &TZKedit::AboutMClick, Plain},
         {"Label Editor Help", "ZKeditHelpM", "", &TZKedit::ZKeditHelpMClick, SeparatorAfter},
         {"Character Sets", "CharsM", "", &TZKedit::CharsMClick, Plain},
     }},
};

}  // namespace

void TZKedit::BuildLabMenu()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName("LabMenu");
    for (const MenuRow& menuRow : LAB_MENU) {
        QMenu* menu = bar->addMenu(menuRow.caption);
        menu->setObjectName(menuRow.name);
        menu->menuAction()->setObjectName(menuRow.name);
        for (const MenuItemRow& row : menuRow.items) {
            QAction* item = menu->addAction(row.caption);
            item->setObjectName(row.name);
            if (row.shortcut[0] != '\0') {
                item->setShortcut(QKeySequence(row.shortcut, QKeySequence::PortableText));
                // The shortcut works wherever the focus is inside the window.
                item->setShortcutContext(Qt::WindowShortcut);
            }
            item->setCheckable((row.flags & Checkable) != 0);
            item->setChecked((row.flags & CheckedAtStart) != 0);
            connect(item, &QAction::triggered, this, row.handler);
            if (row.flags & SeparatorAfter) {
                menu->addSeparator()->setObjectName(row.separatorName);
            }
        }
    }
}

void TZKedit::HidePrintUsingDriverItem()
{
    QAction* item = MenuItem("PrintUsingDriver1");
    item->setVisible(false);
    MenuItem("PrWinSep")->setVisible(false);
    // A hidden action's own shortcut is off; this one stands in for it.
    if (m_hiddenDriverPrintShortcut == nullptr) {
        m_hiddenDriverPrintShortcut = new QShortcut(item->shortcut(), this);
        connect(m_hiddenDriverPrintShortcut, &QShortcut::activated, item, &QAction::trigger);
    }
}

}  // namespace zk
