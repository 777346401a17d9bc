#pragma once
// The filled rectangle's dialog, on BarTemplate.

#include "ui/dialogs/figure_dialog.h"
#include "ui/editing/editor_state.h"

namespace zk {

class TBarDlg : public TFigureDialog {
    Q_OBJECT

public:
    explicit TBarDlg(QWidget* parent = nullptr);
    ~TBarDlg() override;

    QLineEdit* RectLeft;
    QLineEdit* RectTop;
    QLineEdit* RectWidth;
    QLineEdit* RectHeight;
    QComboBox* RectColor;

protected:
    void OkBtClick() override;
};

extern TBarDlg* BarDlg;

// Fills BarDlg from BarTemplate; when drawing the rectangle spans the drag
// first.
void PrepareBarDialog(bool edit, TPoint start = {}, TPoint end = {});

}  // namespace zk
