#pragma once
// The label setup dialog: the label's size, margins, printer parameters and
// date and time formats. It edits the label setup only when OK is pressed;
// numbers out of range or not numeric keep their old value silently.

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace zk {

class TSetupDlg : public QDialog {
    Q_OBJECT

public:
    explicit TSetupDlg(QWidget* parent = nullptr);

    // The controls from the label setup; the size chooser back at "User size".
    void FillSetupDialog();
    // The label was replaced (opened, handed over, read back, new, rotated):
    // an open form shows the new label's setup.
    void FollowReplacedLabel();

    QComboBox* TmpLabSize;
    QLineEdit* TmpLabWidth;
    QLineEdit* TmpLabLen;
    QLineEdit* TmpGap;
    QLineEdit* TmpOffset;
    QLineEdit* TmpLeft;
    QLineEdit* TmpTop;
    QComboBox* TmpOrient;
    QComboBox* TmpDarkness;
    QComboBox* TmpSpeed;
    QComboBox* TmpLanguage;
    QComboBox* TmpPaper;
    QComboBox* TmpType;
    QLineEdit* TmpDateFmt;
    QLineEdit* TmpTimeFmt;
    QPushButton* ButtonOK;

public slots:
    void TmpLabSizeChange(int index);
    void ButtonOKClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ShowLabelSetup();
};

// The one setup form of the program, created on first use beside the main
// window and living as long as it does.
TSetupDlg& SetupDlg();
// FollowReplacedLabel on the setup form when it was made.
void SetupDlgFollowsReplacedLabel();

}  // namespace zk
