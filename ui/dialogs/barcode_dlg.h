#pragma once
// The barcode figure's dialog, on BarcodeTemplate.

#include "ui/dialogs/figure_dialog.h"
#include "ui/editing/editor_state.h"

namespace zk {

class TBarcodeDlg : public TFigureDialog {
    Q_OBJECT

public:
    explicit TBarcodeDlg(QWidget* parent = nullptr);
    ~TBarcodeDlg() override;

    QLineEdit* StartX;
    QLineEdit* StartY;
    QLineEdit* BHeight;
    QComboBox* NarrowBar;
    QComboBox* WideBar;
    QComboBox* HRtext;
    QComboBox* BarRot;
    QLineEdit* BarData;
    QComboBox* BarType;

protected:
    void OkBtClick() override;
};

extern TBarcodeDlg* BarcodeDlg;

// Fills BarcodeDlg from BarcodeTemplate; when drawing the barcode goes to
// the drag's start first.
void PrepareBarcodeDialog(bool edit, TPoint start = {}, TPoint end = {});

}  // namespace zk
