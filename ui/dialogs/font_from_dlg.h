#pragma once
// "Add New Font": where a new soft font comes from, a font file or the
// printer's memory. A load that fails or is cancelled leaves the form open
// for another choice.

#include "ui/dialogs/memory_form_parts.h"

namespace zk {

class TFontFromDlg : public TMemoryForm {
    Q_OBJECT

public:
    explicit TFontFromDlg(QWidget* parent = nullptr);
    ~TFontFromDlg() override;

    QPushButton* PrinterBt = nullptr;
    QPushButton* DiskBt = nullptr;

public slots:
    void DiskBtClick();
    void PrinterBtClick();

protected:
    void showEvent(QShowEvent* event) override;
};

// The form made at start-up; null while there is none.
extern TFontFromDlg* FontFromDlg;

}  // namespace zk
