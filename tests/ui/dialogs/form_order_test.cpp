// Every dialog of the program opens in its first field, and Tab goes
// through the form as it reads, top to bottom and left to right, reaching
// every control on the form and nothing off it.

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "tests/ui/dialogs/every_dialog.h"

namespace zk::test {
namespace {

// Where each dialog starts: the field the user fills first, or, in a
// dialog of buttons, the default one.
const std::map<std::string, std::string> StartControls{
    {"MsgBoxDlg", "OkBt"},
    {"OpenLb", "ShellTree"},
    {"TextDlg", "StartX"},
    {"BarcodeDlg", "StartX"},
    {"BarDlg", "RectLeft"},
    {"BoxDlg", "BoxLeft"},
    {"LineDlg", "StartX"},
    {"PictureDlg", "StartX"},
    {"Pdf417Dlg", "StartX"},
    {"TestPrintDlg", "TmpCopies"},
    {"WPrintDlg", "TmpSets"},
    {"VarCntDlg", "VarBt"},
    {"NewVarDlg", "VarGrid"},
    {"ViaDrvDlg", "PrList"},
    {"FilesDlg", "NewLabelBt"},
    {"ObjListDlg", "FList"},
    // A name to type below the list of names already used.
    {"StoreAsDlg", "ObjName"},
    {"FontsDlg", "FntName"},
    {"FontFromDlg", "DiskBt"},
    {"AboutDlg", "OkBt"},
    {"CharsDlg", "TableBox"},
    {"AlignDlg", "GridStep"},
    {"FigListDlg", "Obj"},
    {"SettingsDlg", "PortNumber"},
    {"SetupDlg", "TmpLabSize"},
    // Nothing to convert yet: loading a picture comes first.
    {"ColorToBW", "LoadBt"},
    {"TtfDlg", "Fonts"},
    {"FPreviewDlg", "FntSize"},
    {"TerminalDlg", "InputBox"},
    // Qt's own file dialogs start in the name field.
    {"PictureDialog", "fileNameEdit"},
    {"OpenPictDlg", "fileNameEdit"},
};

std::string NameOf(const QWidget* control)
{
    return control == nullptr ? "<none>" : control->objectName().toStdString();
}

QRect PlaceOn(const QWidget& dialog, const QWidget& control)
{
    return {control.mapTo(&dialog, QPoint(0, 0)), control.size()};
}

// Whether b comes after a as the form reads: a later row; the same row
// further right; or, back up, a column entirely to the right of a.
bool ReadsAfter(const QRect& a, const QRect& b)
{
    const int middle = a.center().y();
    if (b.top() >= middle) {
        return true;
    }
    if (b.bottom() >= middle) {
        return b.left() > a.left();
    }
    return b.left() > a.right();
}

// The controls Tab can reach: shown, enabled, taking Tab, not a part of
// another control.
std::set<QWidget*> TabStops(QDialog& dialog)
{
    std::set<QWidget*> stops;
    for (QWidget* control : dialog.findChildren<QWidget*>()) {
        if (control->window() == &dialog && control->isVisibleTo(&dialog) && control->isEnabled() &&
            (control->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && control->focusProxy() == nullptr) {
            stops.insert(control);
        }
    }
    return stops;
}

void ShowActive(QDialog& dialog)
{
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
}

// Presses Tab from the start until the focus is back there. The round
// reads the form in order: every step goes on as the form reads but one,
// the step from the last control back to the first.
void ExpectTabReadsTheForm(QDialog& dialog, QWidget& start)
{
    std::set<QWidget*> reached{&start};
    std::vector<std::string> backSteps;
    QWidget* at = &start;
    for (int press = 0; press < 5000; ++press) {
        QTest::keyClick(at, Qt::Key_Tab);
        QWidget* next = QApplication::focusWidget();
        ASSERT_NE(next, nullptr) << "after " << NameOf(at);
        if (next == at) {
            continue;  // between the cells of a table
        }
        EXPECT_TRUE(dialog.rect().intersects(PlaceOn(dialog, *next))) << NameOf(next) << " is off the form";
        if (!ReadsAfter(PlaceOn(dialog, *at), PlaceOn(dialog, *next))) {
            backSteps.push_back(NameOf(at) + " -> " + NameOf(next));
        }
        reached.insert(next);
        at = next;
        if (next == &start) {
            break;
        }
    }
    EXPECT_EQ(QApplication::focusWidget(), &start) << "Tab never came back";
    EXPECT_EQ(backSteps.size(), 1u) << ::testing::PrintToString(backSteps);
    std::vector<std::string> missed;
    for (QWidget* stop : TabStops(dialog)) {
        if (!reached.contains(stop)) {
            missed.push_back(NameOf(stop) + ":" + stop->metaObject()->className());
        }
    }
    EXPECT_TRUE(missed.empty()) << ::testing::PrintToString(missed);
}

class FormOrderTest : public EveryDialogTest {};

TEST_F(FormOrderTest, EveryDialogOpensInItsFirstFieldAndTabReadsTheForm)
{
    for (QDialog* dialog : MakeEveryDialog()) {
        const std::string name = NameOf(dialog);
        SCOPED_TRACE(name);
        const auto expected = StartControls.find(name);
        ASSERT_NE(expected, StartControls.end()) << "a dialog without its start control in the table";
        ShowActive(*dialog);
        QWidget* start = QApplication::focusWidget();
        EXPECT_EQ(NameOf(start), expected->second);
        // Qt's file dialogs keep Qt's order.
        if (start != nullptr && qobject_cast<QFileDialog*>(dialog) == nullptr && TabStops(*dialog).size() > 1) {
            ExpectTabReadsTheForm(*dialog, *start);
            // Left elsewhere, it starts there again at the next showing.
            QTest::keyClick(start, Qt::Key_Tab);
            dialog->hide();
            ShowActive(*dialog);
            EXPECT_EQ(NameOf(QApplication::focusWidget()), expected->second) << "shown again";
        }
        dialog->hide();
    }
}

// Typing replaces what the first field shows.
TEST_F(FormOrderTest, TheFirstFieldsTextIsSelected)
{
    for (QDialog* dialog : MakeEveryDialog()) {
        if (dialog->objectName() != "TextDlg") {
            continue;
        }
        auto* startX = dialog->findChild<QLineEdit*>("StartX");
        startX->setText("120");
        ShowActive(*dialog);
        QTest::keyClicks(QApplication::focusWidget(), "35");
        EXPECT_EQ(startX->text().toStdString(), "35");
        dialog->hide();
    }
}

}  // namespace
}  // namespace zk::test
