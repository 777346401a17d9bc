#pragma once
// "Define Variables and Counters": the label's 32 variables and 8 counters
// edited on a working copy that only OK copies back; Cancel drops it.

#include <QDialog>
#include <cstddef>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace zk {

struct TVariable;

class TVarCntDlg : public QDialog {
    Q_OBJECT

public:
    explicit TVarCntDlg(QWidget* parent = nullptr);

    // Refills the list with the working copy's defined entries of the kind
    // chosen and selects the first.
    void FillVarCntList();
    // The edits show the entry the selected list item stands for.
    void ShowSelectedVarCnt();
    // The edits back into the entry they show.
    void StoreSelectedVarCnt();

    QFrame* Panel1;
    QRadioButton* VarBt;
    QRadioButton* CounterBt;
    QListWidget* VarCntList;
    QLineEdit* VarLen;
    QComboBox* VarAlign;
    QLineEdit* FillChar;
    QLineEdit* Prompt;
    QLineEdit* VarValue;
    QLineEdit* Increment;
    QLabel* IncLabel;
    QPushButton* NewBt;
    QPushButton* DelBt;
    QPushButton* OkBt;
    QPushButton* DelAllBt;
    QPushButton* FromPrBt;

public slots:
    void VarBtClick();
    void CounterBtClick();
    void VarCntListClick();
    void NewBtClick();
    void OkBtClick();
    void VarLenExit();
    void DelBtClick();
    void DelAllBtClick();
    void FillCharEnter();
    void FillCharClick();
    void FromPrBtClick();
    void CanBtClick();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    bool CountersShown() const;
    // The working copy's entry that list row n stands for, or null.
    TVariable* EntryOfRow(int row);
    // The list row that stands for slot, or -1.
    int RowOfSlot(std::size_t slot) const;

    // The entry the edits show: written back to by StoreSelectedVarCnt, so
    // that an edit left by clicking another list item still reaches the
    // entry it was typed for.
    TVariable* m_shownEntry = nullptr;
    bool m_shownCounter = false;
};

}  // namespace zk
