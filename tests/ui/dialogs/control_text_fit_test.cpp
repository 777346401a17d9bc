// Every dialog of the program, shown as the user first sees it: no combo
// box is narrower than its widest item, no button narrower than its caption
// and no list entry narrower than its text, at the default font.

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFontMetricsF>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine/memory/exchange_steps.h"
#include "engine/memory/printer_dialogs.h"
#include "tests/ui/dialogs/every_dialog.h"

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

// The entries of a list drawn narrower than their text and the margins the
// style leaves beside it, which elides them.
std::vector<QString> CutEntries(QListWidget& list)
{
    std::vector<QString> cut;
    const int margins = 2 * (list.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &list) + 1);
    const QFontMetricsF metrics(list.font());
    for (int i = 0; i < list.count(); ++i) {
        const QListWidgetItem* item = list.item(i);
        const int text = static_cast<int>(std::ceil(metrics.horizontalAdvance(item->text())));
        const int icon = item->icon().isNull() ? 0 : list.iconSize().width() + 4;
        if (list.visualItemRect(item).width() < text + icon + margins) {
            cut.push_back(item->text());
        }
    }
    return cut;
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
    for (QListWidget* list : dialog.findChildren<QListWidget*>()) {
        if (list->isVisibleTo(&dialog)) {
            for (const QString& entry : CutEntries(*list)) {
                cut.push_back(name(list, "entry " + entry));
            }
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

class ControlTextFitTest : public EveryDialogTest {};

TEST_F(ControlTextFitTest, EveryDialogShowsItsTextsWhole)
{
    // The printer-memory lists hold the longest name a printer's list gives.
    for (TSortedNames* names : {&StoreAsDlg.FList, &ObjListDlg.FList}) {
        names->Add("SHIP");
        names->Add(std::string(NameLineSize - 1, 'W'));
    }
    const std::vector<QDialog*> dialogs = MakeEveryDialog();
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
