#pragma once
// "Align to Grid": sets the grid step and snaps the selected figures to the
// grid, or only keeps the new step.

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zk {

// The grid steps the dialog accepts. The configuration file keeps at most
// 40; a larger step lasts until the program ends.
inline constexpr int MinAlignGridStep = 4;
inline constexpr int MaxAlignGridStep = 80;

class TAlignDlg : public QDialog {
    Q_OBJECT

public:
    explicit TAlignDlg(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QLineEdit* GridStep = nullptr;
    QPushButton* OkBt = nullptr;
    QPushButton* SaveBt = nullptr;
    QCheckBox* SizesToo = nullptr;
    QPushButton* CanBt = nullptr;

    void PrepareAlignDialog();

public slots:
    void OkBtClick();
    void SaveBtClick();
    void CanBtClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    // Takes a grid step in range into Settings; false leaves it.
    bool TakeGridStep();
};

}  // namespace zk
