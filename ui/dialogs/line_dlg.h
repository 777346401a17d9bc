#pragma once
// The diagonal line's dialog, on LineTemplate.

#include "ui/dialogs/figure_dialog.h"
#include "ui/editing/editor_state.h"

namespace zk {

class TLineDlg : public TFigureDialog {
    Q_OBJECT

public:
    explicit TLineDlg(QWidget* parent = nullptr);
    ~TLineDlg() override;

    QLineEdit* StartX;
    QLineEdit* StartY;
    QLineEdit* EndX;
    QLineEdit* EndY;
    QLineEdit* LineThickness;
    QComboBox* LineColor;

protected:
    void OkBtClick() override;
};

extern TLineDlg* LineDlg;

// Fills LineDlg from LineTemplate; when drawing the line runs from the
// drag's start to its end first.
void PrepareLineDialog(bool edit, TPoint start = {}, TPoint end = {});

}  // namespace zk
