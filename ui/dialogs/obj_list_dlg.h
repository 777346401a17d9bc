#pragma once
// "Object List": the printer's forms, graphics or fonts as the last list
// exchange left them (ObjListDlg), with the memory they take. In its normal
// mode a name is saved to a file, deleted from the printer or, for forms,
// loaded into the editor; in a pick mode, which lasts one showing, the
// name is handed back to the picture dialog or to the soft-font load.

#include <cstdint>

#include "ui/dialogs/memory_form_parts.h"

class QLabel;

namespace zk {

// Request: the next showing picks a picture for the picture dialog.
extern std::uint8_t ObjListPicturePick;
// The list is showing in picture-pick or name-pick mode.
extern std::uint8_t ObjListPictureMode;
extern std::uint8_t ObjListNameMode;
// A form was loaded into the editor from the list; cleared by each showing.
extern std::uint8_t ObjListFormLoaded;

class TObjListDlg : public TMemoryForm {
    Q_OBJECT

public:
    explicit TObjListDlg(QWidget* parent = nullptr);
    ~TObjListDlg() override;

    QLabel* MemInfo = nullptr;
    QListWidget* FList = nullptr;
    QPushButton* SaveBt = nullptr;
    QPushButton* DelBt = nullptr;
    QPushButton* EditBt = nullptr;

    // Shows the engine's list data again (after a delete refilled it).
    void ShowListData();

public slots:
    void SaveBtClick();
    void DelBtClick();
    void EditBtClick();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void FollowWidth(int delta) override;

private:
    void FormShow();
    void FListDblClick(const QPoint& viewportPoint);
    // Picture mode: builds the picture from the printer for the picture
    // dialog; the list closes.
    void PickPicture(const std::string& name);
};

// The form made at start-up; null while there is none.
extern TObjListDlg* ObjListForm;

// The list of that kind from printer memory, then the list shown modally;
// false when the list could not be received.
bool ShowPrinterObjects(std::int16_t kind);

}  // namespace zk
