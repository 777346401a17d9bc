#pragma once
// "Fonts": the label's soft fonts (FontsDlgList) to choose one from, or,
// with the name field shown, a letter to give a new font. The letter comes
// back in FontsDlgLetter, 0 when the dialog was cancelled.

#include "ui/dialogs/memory_form_parts.h"

class QComboBox;
class QLabel;

namespace zk {

class TFontsDlg : public TMemoryForm {
    Q_OBJECT

public:
    explicit TFontsDlg(QWidget* parent = nullptr);
    ~TFontsDlg() override;

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QComboBox* FntList = nullptr;
    QPushButton* OkBt = nullptr;
    QLineEdit* FntName = nullptr;

    // The letter chosen or typed; 0 = cancelled.
    char FontsDlgLetter = 0;

    // Shows the dialog modally, the name field shown and emptied or hidden;
    // the letter handed back.
    char Choose(bool nameFieldShown);

public slots:
    void OkBtClick();
    void FntListClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
};

// The form made at start-up; null while there is none.
extern TFontsDlg* FontsDlg;

}  // namespace zk
