// The variables dialog: filled from a working copy of the label's tables,
// the edits stored back with their bounds and translations, New, Delete and
// Delete All, and only OK handing the working copy to the label.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

#include "engine/formread/variable_reply.h"
#include "tests/support/printer_emulator.h"
#include "tests/ui/dialogs/print_dialogs_fixture.h"
#include "ui/dialogs/var_cnt_dlg.h"

namespace zk {
namespace {

class VarCntDlgTest : public test::PrintDialogsTest {
protected:
    static std::vector<std::string> Items(const QListWidget* list)
    {
        std::vector<std::string> items;
        for (int i = 0; i < list->count(); ++i) {
            items.push_back(list->item(i)->text().toStdString());
        }
        return items;
    }

    // Types text into the edit and leaves it, as the user does.
    static void Type(TVarCntDlg& dlg, QLineEdit* edit, const QString& text)
    {
        edit->setText(text);
        dlg.VarLenExit();
    }

    TVarCntDlg dlg;
};

TEST_F(VarCntDlgTest, ShowsTheDefinedEntriesOfEachKindWithTheirFields)
{
    Define(Variables[0], "Name", "Bob");
    Define(Variables[5], "Price", "12");
    Variables[5].Justification = 3;
    Variables[5].PadChar = '*';
    Variables[5].Length = 9;
    Define(Counters[1], "Count", "0010", -5);
    Counters[1].PadChar = '0';
    dlg.show();

    EXPECT_EQ(dlg.windowTitle().toStdString(), "Define Variables and Counters");
    EXPECT_TRUE(dlg.VarBt->isChecked());
    EXPECT_EQ(Items(dlg.VarCntList), (std::vector<std::string>{"Variable 0", "Variable 5"}));
    EXPECT_EQ(dlg.VarCntList->currentRow(), 0);
    EXPECT_EQ(dlg.Prompt->text().toStdString(), "Name");
    EXPECT_FALSE(dlg.Increment->isVisible());
    EXPECT_FALSE(dlg.IncLabel->isVisible());

    dlg.VarCntList->setCurrentRow(1);
    EXPECT_EQ(dlg.VarLen->text().toStdString(), "9");
    EXPECT_EQ(dlg.VarAlign->currentText().toStdString(), "Right");
    EXPECT_EQ(dlg.FillChar->text().toStdString(), "*");
    EXPECT_EQ(dlg.VarValue->text().toStdString(), "12");

    dlg.CounterBt->click();
    EXPECT_EQ(Items(dlg.VarCntList), (std::vector<std::string>{"Counter 1"}));
    EXPECT_TRUE(dlg.Increment->isVisible());
    EXPECT_TRUE(dlg.IncLabel->isVisible());
    EXPECT_EQ(dlg.Increment->text().toStdString(), "-5");
    EXPECT_EQ(dlg.VarValue->text().toStdString(), "0010");
    EXPECT_EQ(dlg.findChild<QPushButton*>("CanBt")->text().toStdString(), "C");
    EXPECT_FALSE(dlg.findChild<QPushButton*>("CanBt")->isVisible());
}

TEST_F(VarCntDlgTest, AnEmptyListEmptiesTheFields)
{
    dlg.show();
    EXPECT_EQ(dlg.VarCntList->count(), 0);
    for (const QLineEdit* edit : {dlg.VarLen, dlg.FillChar, dlg.Prompt, dlg.VarValue, dlg.Increment}) {
        EXPECT_TRUE(edit->text().isEmpty()) << edit->objectName().toStdString();
    }
    EXPECT_EQ(dlg.VarAlign->currentIndex(), -1);
    // Nothing is selected, so leaving an edit stores nothing anywhere.
    Type(dlg, dlg.Prompt, "lost");
    dlg.OkBt->click();
    EXPECT_EQ(CountDefinedVarsCounters(), 0u);
}

TEST_F(VarCntDlgTest, OkTakesTheEditedWorkingCopyOverWithTheTextsTranslated)
{
    Define(Variables[2], "Old", "x");
    dlg.show();
    Type(dlg, dlg.Prompt, QString::fromUtf8("Caf\u00e9"));
    Type(dlg, dlg.VarValue, QString::fromUtf8("\u00fc-1"));
    Type(dlg, dlg.VarLen, "12");
    dlg.VarAlign->setCurrentIndex(2);
    dlg.VarLenExit();
    Type(dlg, dlg.FillChar, "#");
    EXPECT_EQ(Variables[2].Prompt, "Old");  // the label changes on OK only

    dlg.OkBt->click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    // Code page 1252 to the printer's code page 437.
    EXPECT_EQ(Variables[2].Prompt, "Caf\x82");
    EXPECT_EQ(Variables[2].Value, "\x81-1");
    EXPECT_EQ(Variables[2].Length, 12);
    EXPECT_EQ(Variables[2].Justification, 2);
    EXPECT_EQ(Variables[2].PadChar, '#');
    EXPECT_EQ(Variables[2].Step, 0);
}

TEST_F(VarCntDlgTest, NumbersOutsideTheirBoundsKeepThePreviousValue)
{
    Define(Counters[0], "Count", "1", 4);
    Counters[0].Length = 5;
    dlg.show();
    dlg.CounterBt->click();
    const struct {
        const char* length;
        const char* step;
        int expectedLength;
        int expectedStep;
    } rows[] = {
        {"64", "100", 5, 4}, {"0", "-100", 5, 4}, {"x", "", 5, 4},
        {"63", "99", 63, 99}, {"1", "-99", 1, -99},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.length);
        Type(dlg, dlg.VarLen, row.length);
        Type(dlg, dlg.Increment, row.step);
        EXPECT_EQ(VarCntDialogCounters[0].Length, row.expectedLength);
        EXPECT_EQ(VarCntDialogCounters[0].Step, row.expectedStep);
        Counters[0].Length = 5;
        VarCntDialogCounters[0].Length = 5;
        VarCntDialogCounters[0].Step = 4;
    }
}

TEST_F(VarCntDlgTest, AnEmptyFillCharacterBecomesABlankOrAZero)
{
    Define(Variables[0], "V", "a");
    Define(Counters[0], "C", "1");
    dlg.show();
    Type(dlg, dlg.FillChar, "");
    EXPECT_EQ(VarCntDialogVariables[0].PadChar, ' ');
    dlg.CounterBt->click();
    Type(dlg, dlg.FillChar, "");
    EXPECT_EQ(VarCntDialogCounters[0].PadChar, '0');
}

TEST_F(VarCntDlgTest, NewDefinesTheFirstFreeSlotAndKeepsItsOldValue)
{
    for (int slot = 0; slot < 7; ++slot) {
        Define(Variables[static_cast<std::size_t>(slot)], "v", "v");
    }
    Variables[7].Value = "left over";
    Variables[7].PadChar = '*';
    dlg.show();
    dlg.NewBt->click();
    const TVariable& added = VarCntDialogVariables[7];
    EXPECT_EQ(added.Defined, 1);
    EXPECT_EQ(added.Prompt, "Variable 7");
    EXPECT_EQ(added.Length, 6);
    EXPECT_EQ(added.Justification, 0);
    EXPECT_EQ(added.PadChar, ' ');
    EXPECT_EQ(added.Value, "left over");
    EXPECT_EQ(dlg.VarCntList->currentItem()->text().toStdString(), "Variable 7");
    EXPECT_EQ(dlg.Prompt->text().toStdString(), "Variable 7");

    dlg.CounterBt->click();
    dlg.NewBt->click();
    EXPECT_EQ(VarCntDialogCounters[0].Prompt, "Counter 0");
    EXPECT_EQ(VarCntDialogCounters[0].PadChar, '0');
}

TEST_F(VarCntDlgTest, NewWithEverySlotDefinedDoesNothing)
{
    for (TVariable& variable : Variables) {
        Define(variable, "v", "v");
    }
    dlg.show();
    const auto before = VarCntDialogVariables;
    dlg.NewBt->click();
    EXPECT_EQ(dlg.VarCntList->count(), 32);
    for (std::size_t slot = 0; slot < before.size(); ++slot) {
        EXPECT_EQ(VarCntDialogVariables[slot].Prompt, before[slot].Prompt);
    }
}

TEST_F(VarCntDlgTest, DeleteSelectsTheItemBeforeTheDeletedOne)
{
    Define(Variables[1], "one", "1");
    Define(Variables[4], "four", "4");
    Define(Variables[9], "nine", "9");
    dlg.show();
    dlg.VarCntList->setCurrentRow(2);
    dlg.DelBt->click();
    EXPECT_EQ(VarCntDialogVariables[9].Defined, 0);
    EXPECT_EQ(VarCntDialogVariables[9].Prompt, "nine");  // its fields stay
    EXPECT_EQ(Items(dlg.VarCntList), (std::vector<std::string>{"Variable 1", "Variable 4"}));
    EXPECT_EQ(dlg.VarCntList->currentRow(), 1);
    EXPECT_EQ(dlg.Prompt->text().toStdString(), "four");

    dlg.VarCntList->setCurrentRow(0);
    dlg.DelBt->click();
    EXPECT_EQ(dlg.VarCntList->currentRow(), 0);
    EXPECT_EQ(dlg.Prompt->text().toStdString(), "four");
}

TEST_F(VarCntDlgTest, CancelLeavesTheLabelUnchangedEvenAfterDeleteAll)
{
    Define(Variables[3], "three", "3");
    Define(Counters[2], "two", "2");
    dlg.show();
    dlg.DelAllBt->click();
    EXPECT_EQ(dlg.VarCntList->count(), 0);
    dlg.findChild<QPushButton*>("CanBt")->click();
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_EQ(Variables[3].Defined, 1);
    EXPECT_EQ(Counters[2].Defined, 1);

    // The next showing starts again from the label.
    dlg.show();
    EXPECT_EQ(Items(dlg.VarCntList), (std::vector<std::string>{"Variable 3"}));
}

TEST_F(VarCntDlgTest, AnEditLeftForAnotherItemStillReachesItsOwnEntry)
{
    Define(Variables[0], "zero", "0");
    Define(Variables[1], "one", "1");
    dlg.show();
    dlg.Prompt->setText("typed for zero");
    // The list takes the selection before the edit reports that it was left.
    dlg.VarCntList->setCurrentRow(1);
    EXPECT_EQ(dlg.Prompt->text().toStdString(), "one");
    dlg.OkBt->click();
    EXPECT_EQ(Variables[0].Prompt, "typed for zero");
    EXPECT_EQ(Variables[1].Prompt, "one");
}

TEST_F(VarCntDlgTest, FromPrinterReplacesTheWorkingCopyOnly)
{
    test::PrinterEmulator printer;
    printer.ReplyTo("VI", "V03,05,N ,\"From printer\",\"abc\"\r\nC02,03,N ,+4,\"Cnt\",\"9\"\r\n" + std::string(1, '\0'));
    Define(Variables[0], "Mine", "1");
    dlg.show();
    dlg.FromPrBt->click();
    EXPECT_EQ(Items(dlg.VarCntList), (std::vector<std::string>{"Variable 3"}));
    EXPECT_EQ(dlg.Prompt->text().toStdString(), "From printer");
    EXPECT_EQ(VarCntDialogCounters[2].Step, 4);
    EXPECT_EQ(Variables[0].Defined, 1);  // the label keeps its own until OK
    EXPECT_EQ(Variables[3].Defined, 0);
    dlg.OkBt->click();
    EXPECT_EQ(Variables[0].Defined, 0);
    EXPECT_EQ(Variables[3].Value, "abc");
}

TEST_F(VarCntDlgTest, FromPrinterWithoutAnAnswerKeepsTheWorkingCopy)
{
    test::PrinterEmulator printer;
    printer.SetSilent(true);
    Define(Variables[0], "Mine", "1");
    dlg.show();
    dlg.FromPrBt->click();
    EXPECT_EQ(Items(dlg.VarCntList), (std::vector<std::string>{"Variable 0"}));
    EXPECT_EQ(VarCntDialogVariables[0].Defined, 1);
    EXPECT_TRUE(std::find(ui.events.begin(), ui.events.end(), "error:Error:No printer response") != ui.events.end());
}

}  // namespace
}  // namespace zk
