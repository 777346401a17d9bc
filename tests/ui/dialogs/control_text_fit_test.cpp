// Every dialog of the program, shown as the user first sees it: no combo
// box is narrower than its widest item and no button narrower than its
// caption, at the default font.

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QTest>
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "tests/ui/main_window_fixture.h"
#include "ui/dialogs/align_dlg.h"
#include "ui/dialogs/color_to_bw.h"
#include "ui/dialogs/fig_list_dlg.h"
#include "ui/dialogs/info_open.h"
#include "ui/dialogs/print_dialogs.h"
#include "ui/dialogs/settings_dlg.h"
#include "ui/dialogs/setup_dlg.h"
#include "ui/dialogs/terminal_dlg.h"
#include "ui/dialogs/ttf_dlg.h"

namespace zk::test {
namespace {

// How much wider than the control the text needs it: 0 when it fits.
int ComboShortfall(QComboBox& combo)
{
    QStyleOptionComboBox option;
    option.initFrom(&combo);
    option.editable = combo.isEditable();
    // The ink of the widest item, beside its icon.
    int widest = 0;
    for (int i = 0; i < combo.count(); ++i) {
        const int text = combo.fontMetrics().boundingRect(combo.itemText(i)).width();
        widest = std::max(widest, combo.itemIcon(i).isNull() ? text : text + combo.iconSize().width() + 4);
    }
    const QSize needed = combo.style()->sizeFromContents(QStyle::CT_ComboBox, &option,
                                                         QSize(widest, combo.fontMetrics().height()), &combo);
    return std::max(needed.width() - combo.width(), 0);
}

int ButtonShortfall(QPushButton& button)
{
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    option.icon = button.icon();
    option.iconSize = button.iconSize();
    const QRect contents = button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button);
    int needed = button.fontMetrics().size(Qt::TextShowMnemonic, button.text()).width();
    if (!button.icon().isNull()) {
        needed += button.iconSize().width() + 4;
    }
    return std::max(needed - contents.width(), 0);
}

// The controls of a shown dialog whose text doesn't fit, as "name: text".
std::vector<std::string> CutTexts(QDialog& dialog)
{
    std::vector<std::string> cut;
    const auto name = [&dialog](const QWidget* w, const QString& text) {
        return dialog.objectName().toStdString() + "/" + w->objectName().toStdString() + ": " + text.toStdString();
    };
    for (QComboBox* combo : dialog.findChildren<QComboBox*>()) {
        if (combo->isVisibleTo(&dialog) && combo->count() > 0 && ComboShortfall(*combo) > 0) {
            cut.push_back(name(combo, "combo short by " + QString::number(ComboShortfall(*combo))));
        }
    }
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        if (button->isVisibleTo(&dialog) && !button->text().isEmpty() && ButtonShortfall(*button) > 0) {
            cut.push_back(name(button, button->text() + " short by " + QString::number(ButtonShortfall(*button))));
        }
    }
    return cut;
}

// Lets the layout requests that a showing posts (a list filled when shown
// asks its group, which asks the dialog) run until the dialog's size holds.
void SettleLayout(QDialog& dialog)
{
    QSize before;
    for (int round = 0; round < 10 && dialog.size() != before; ++round) {
        before = dialog.size();
        QCoreApplication::processEvents();
    }
}

class ControlTextFitTest : public MainWindowWithBoxesTest {
protected:
    ControlTextFitTest()
    {
        // A translation file the settings list names.
        std::filesystem::create_directories(UserDir());
        std::ofstream(UserDir() + "Windows Cyrillic 1251.trn") << std::string(256, ' ');
    }
};

TEST_F(ControlTextFitTest, EveryDialogShowsItsTextsWhole)
{
    TZKedit& main = StartWindow();
    // The forms made on first use, and those made for each showing.
    SettingsDlg();
    SetupDlg();
    ColorToBW();
    InstallPrintDialogs(&main);
    auto* ttf = new TTtfDlg(&main);
    new TAlignDlg(&main);
    new TFigListDlg(&main);
    new TInfoOpen(&main);
    (void)ttf;

    std::vector<QDialog*> dialogs{&services.MsgBoxDlg()};
    for (QDialog* dialog : main.findChildren<QDialog*>()) {
        if (dialog->isWindow()) {
            dialogs.push_back(dialog);
        }
    }
    std::vector<std::string> cut;
    int walked = 0;
    for (QDialog* dialog : dialogs) {
        dialog->show();
        SettleLayout(*dialog);
        ++walked;
        for (const std::string& text : CutTexts(*dialog)) {
            cut.push_back(text);
        }
        dialog->hide();
    }
    EXPECT_TRUE(cut.empty()) << ::testing::PrintToString(cut);
    EXPECT_GE(walked, 25);
}

}  // namespace
}  // namespace zk::test
