#pragma once
// "Store as": the printer's objects of the kind being stored
// (StoreAsDlg.FList) and the name to store under. Store runs the engine's
// store action and stays open on the refreshed list. In select mode
// (StoreAsSelectMode) it picks the printer's new active form instead.

#include "ui/dialogs/memory_form_parts.h"

class QLabel;

namespace zk {

class TStoreAsDlg : public TMemoryForm {
    Q_OBJECT

public:
    explicit TStoreAsDlg(QWidget* parent = nullptr);
    ~TStoreAsDlg() override;

    QLabel* Label1 = nullptr;
    QLabel* PresentMsg = nullptr;
    QListWidget* FList = nullptr;
    QPushButton* OkBt = nullptr;
    QLineEdit* ObjName = nullptr;

    void done(int result) override;

public slots:
    void OkBtClick();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void FollowWidth(int delta) override;

private:
    void FormShow();
    void FormClose();
    // The engine's list, messages and name field again.
    void ShowListData();
    // The name field shows name whole, however long.
    void SetObjName(const QString& name);
    void FListDblClick(const QPoint& viewportPoint);
    // Store mode's action on the typed name; the list is refreshed.
    void Store();
    // Select mode: closes, then makes the name the printer's active form.
    void SelectForm();
};

// The form made at start-up; null while there is none.
extern TStoreAsDlg* StoreAsForm;

}  // namespace zk
