#pragma once
// "Files and Forms": one panel with the label file commands and every
// printer-memory command. The In Printer lists open over the panel; the
// panel closes after a command that replaces the label (a new or opened
// label, a form loaded from the printer's form list).

#include "ui/dialogs/memory_form_parts.h"

class QGroupBox;

namespace zk {

class TFilesDlg : public TMemoryForm {
    Q_OBJECT

public:
    explicit TFilesDlg(QWidget* parent = nullptr);
    ~TFilesDlg() override;

    QGroupBox* LoadGroup = nullptr;
    QPushButton* NewLabelBt = nullptr;
    QPushButton* LoadLabelBt = nullptr;
    QGroupBox* SaveGroup = nullptr;
    QPushButton* SaveAsLabelBt = nullptr;
    QPushButton* SaveAsFormBt = nullptr;
    QGroupBox* InPrinterGroup = nullptr;
    QPushButton* FormsBt = nullptr;
    QPushButton* GraphicsBt = nullptr;
    QPushButton* FontsBt = nullptr;
    QGroupBox* ToPrinterGroup = nullptr;
    QPushButton* CurLabelBt = nullptr;
    QPushButton* StoreFormBt = nullptr;
    QPushButton* StorePictBt = nullptr;
    QPushButton* StoreFontBt = nullptr;

public slots:
    void NewLabelBtClick();
    void LoadLabelBtClick();
    void SaveAsLabelBtClick();
    void SaveAsFormBtClick();
    void FormsBtClick();
    void GraphicsBtClick();
    void FontsBtClick();
    void CurLabelBtClick();
    void StoreFormBtClick();
    void StorePictBtClick();
    void StoreFontBtClick();

protected:
    void showEvent(QShowEvent* event) override;
};

// The form made at start-up; null while there is none.
extern TFilesDlg* FilesDlg;

}  // namespace zk
