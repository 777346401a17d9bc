#pragma once
// The text figure's dialog, on TextTemplate.

#include "ui/dialogs/figure_dialog.h"
#include "ui/editing/editor_state.h"

namespace zk {

class TTextDlg : public TFigureDialog {
    Q_OBJECT

public:
    explicit TTextDlg(QWidget* parent = nullptr);
    ~TTextDlg() override;

    // Refills FontType: the six resident fonts, then the label's soft fonts
    // in list order. A selection past the new end falls back to item 2.
    void FillFontList();

    QLineEdit* StartX;
    QLineEdit* StartY;
    QComboBox* SizeX;
    QComboBox* SizeY;
    QComboBox* FontType;
    QComboBox* FontStyle;
    QComboBox* TextRot;
    QLineEdit* TextData;
    QCheckBox* R2L;
    QCheckBox* UseEn;

protected:
    void OkBtClick() override;
    void FormShow() override;
};

extern TTextDlg* TextDlg;

// Fills TextDlg from TextTemplate; when drawing (edit false) the text goes
// to the drag's start first.
void PrepareTextDialog(bool edit, TPoint start = {}, TPoint end = {});

}  // namespace zk
