#pragma once
// The PDF417 symbol's dialog, on Pdf417Template; its data text travels
// through Pdf417DataBuffer.

#include "ui/dialogs/figure_dialog.h"
#include "ui/editing/editor_state.h"

namespace zk {

class TPdf417Dlg : public TFigureDialog {
    Q_OBJECT

public:
    explicit TPdf417Dlg(QWidget* parent = nullptr);
    ~TPdf417Dlg() override;

    QLineEdit* StartX;
    QLineEdit* StartY;
    QLineEdit* MaxWidth;
    QLineEdit* MaxHeight;
    QLineEdit* ModWidth;
    QLineEdit* ModHeight;
    QLineEdit* MaxRows;
    QLineEdit* MaxCols;
    QComboBox* ECLevel;
    QComboBox* Compaction;
    QComboBox* Rotation;
    QComboBox* Position;
    QLineEdit* DataStr;

protected:
    void OkBtClick() override;
    // This dialog names no help file of its own.
    void FormShow() override {}
};

extern TPdf417Dlg* Pdf417Dlg;

// Fills Pdf417Dlg from Pdf417Template and DataStr from Pdf417DataBuffer;
// when drawing the symbol's bounds span the drag first.
void PreparePdf417Dialog(bool edit, TPoint start = {}, TPoint end = {});

}  // namespace zk
