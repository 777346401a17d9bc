#pragma once
// The box (rectangle outline) dialog, on BoxTemplate.

#include "ui/dialogs/figure_dialog.h"
#include "ui/editing/editor_state.h"

namespace zk {

class TBoxDlg : public TFigureDialog {
    Q_OBJECT

public:
    explicit TBoxDlg(QWidget* parent = nullptr);
    ~TBoxDlg() override;

    QLineEdit* BoxLeft;
    QLineEdit* BoxTop;
    QLineEdit* BoxRight;
    QLineEdit* BoxBottom;
    QLineEdit* BoxThickness;

protected:
    void OkBtClick() override;
};

extern TBoxDlg* BoxDlg;

// Fills BoxDlg from BoxTemplate; when drawing the box spans the drag first.
void PrepareBoxDialog(bool edit, TPoint start = {}, TPoint end = {});

}  // namespace zk
