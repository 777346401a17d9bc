#include "ui/dialogs/obj_list_dlg.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>

#include "engine/link/exchange_guard.h"
#include "engine/link/serial_link.h"
#include "engine/memory/printer_dialogs.h"
#include "engine/memory/printer_memory.h"
#include "engine/picture/picture_data.h"
#include "engine/report/ui_services.h"
#include "ui/dialogs/picture_dlg.h"
#include "ui/main_window.h"
#include "ui/editor_hooks.h"

namespace zk {

std::uint8_t ObjListPicturePick = 0;
std::uint8_t ObjListPictureMode = 0;
std::uint8_t ObjListNameMode = 0;
std::uint8_t ObjListFormLoaded = 0;
TObjListDlg* ObjListForm = nullptr;

namespace {

constexpr int HelpContextObjList = 120;

}  // namespace

TObjListDlg::TObjListDlg(QWidget* parent) : TMemoryForm("ObjListDlg", "Object List", QSize(400, 256), parent)
{
    setProperty("HelpContext", HelpContextObjList);
    MemInfo = new QLabel(this);
    MemInfo->setObjectName("MemInfo");
    MemInfo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    MemInfo->setGeometry(8, 6, 384, 18);
    FList = MakeNameList(QRect(8, 28, 384, 184));
    FList->installEventFilter(this);
    FList->viewport()->installEventFilter(this);

    SaveBt = new QPushButton("Save", this);
    SaveBt->setObjectName("SaveBt");
    SaveBt->setGeometry(8, 222, 80, 26);
    DelBt = new QPushButton("Delete", this);
    DelBt->setObjectName("DelBt");
    DelBt->setGeometry(96, 222, 80, 26);
    EditBt = new QPushButton("Edit", this);
    EditBt->setObjectName("EditBt");
    EditBt->setGeometry(184, 222, 80, 26);
    for (QPushButton* button : {SaveBt, DelBt, EditBt}) {
        button->setAutoDefault(false);
    }

    connect(SaveBt, &QPushButton::clicked, this, &TObjListDlg::SaveBtClick);
    connect(DelBt, &QPushButton::clicked, this, &TObjListDlg::DelBtClick);
    connect(EditBt, &QPushButton::clicked, this, &TObjListDlg::EditBtClick);
    ObjListForm = this;
}

TObjListDlg::~TObjListDlg()
{
    if (ObjListForm == this) {
        ObjListForm = nullptr;
    }
}

void TObjListDlg::showEvent(QShowEvent* event)
{
    FormShow();
    TMemoryForm::showEvent(event);
}

void TObjListDlg::FormShow()
{
    TakeHelpFile();
    ObjListFormLoaded = 0;
    if (ObjListPicturePick != 0) {
        DelBt->setVisible(false);
        SaveBt->setText("Extract");
        ObjListPictureMode = 1;
        ObjListNameMode = 0;
    } else if (ObjListPickName != 0) {
        DelBt->setVisible(false);
        SaveBt->setText("Extract");
        ObjListNameMode = 1;
        ObjListPictureMode = 0;
        ObjListChosenName.clear();
    } else {
        DelBt->setVisible(true);
        SaveBt->setText("Save");
        ObjListPictureMode = 0;
        ObjListNameMode = 0;
    }
    ObjListPicturePick = 0;
    ObjListPickName = 0;
    // Filled first: the list may widen the form, which is then placed.
    ShowListData();
    if (ZKedit != nullptr) {
        ZKedit->PlaceAtLabel({36, 76}, *this);
    }
    FList->setFocus();
}

void TObjListDlg::FollowWidth(int delta)
{
    MemInfo->resize(MemInfo->width() + delta, MemInfo->height());
}

void TObjListDlg::ShowListData()
{
    setWindowTitle(FromEngineText(ObjListDlg.Caption));
    MemInfo->setText(FromEngineText(ObjListDlg.MemInfo));
    EditBt->setVisible(ObjListDlg.EditBtVisible);
    ShowNames(ObjListDlg.FList);
}

void TObjListDlg::PickPicture(const std::string& name)
{
    if (MakePictureData(name, false) && PictureDlg != nullptr) {
        PictureDlg->ShowPictureName(FromEngineText(name));
        PictureDlg->PictureLoaded = 1;
    }
    accept();
}

void TObjListDlg::SaveBtClick()
{
    if (FList->count() == 0) {
        return;
    }
    const std::string name = SelectedName(FList);
    // Picking a name talks to nobody; a picture or a save is an exchange.
    if (ObjListNameMode == 0 && RefuseDuringExchange()) {
        return;
    }
    if (ObjListPictureMode != 0) {
        if (!name.empty()) {
            PickPicture(name);
        }
    } else if (ObjListNameMode != 0) {
        ObjListChosenName = name;
        accept();
    } else if (!name.empty()) {
        SaveObjectAs(name);
    }
}

void TObjListDlg::DelBtClick()
{
    const std::string name = SelectedName(FList);
    if (name.empty() || RefuseDuringExchange()) {
        return;
    }
    if (Ui().ShowMessageBox("Delete confirm", "Are You sure ?", true) != 1) {
        return;
    }
    {
        TExchangeGuard exchange;
        if (OpenPort()) {
            DeleteObject(name);
            ClosePort();
        }
    }
    ShowListData();
}

void TObjListDlg::EditBtClick()
{
    const std::string name = SelectedName(FList);
    if (name.empty() || RefuseDuringExchange()) {
        return;
    }
    LoadFormFromPrinter(name);
    ObjListFormLoaded = 1;
}

void TObjListDlg::FListDblClick(const QPoint& viewportPoint)
{
    const bool pickMode = ObjListPictureMode != 0 || ObjListNameMode != 0;
    QListWidgetItem* entry = FList->itemAt(viewportPoint);
    if (!pickMode && !(EditBt->isVisible() && entry != nullptr)) {
        return;
    }
    // The entry double-clicked is the one taken, even when the press that
    // selects it came as the double click itself.
    if (entry != nullptr) {
        FList->setCurrentItem(entry);
    }
    const std::string name = SelectedName(FList);
    if (ObjListNameMode == 0 && RefuseDuringExchange()) {
        return;
    }
    if (ObjListPictureMode != 0) {
        if (!name.empty()) {
            PickPicture(name);
        }
    } else if (ObjListNameMode != 0) {
        ObjListChosenName = name;
        accept();
    } else if (!name.empty()) {
        LoadFormFromPrinter(name);
        ObjListFormLoaded = 1;
    }
}

void TObjListDlg::keyPressEvent(QKeyEvent* event)
{
    // The Delete key in the form, the list or a button.
    if (event->key() == Qt::Key_Delete) {
        event->accept();
        if (DelBt->isVisible()) {
            DelBtClick();
        }
        return;
    }
    TMemoryForm::keyPressEvent(event);
}

bool TObjListDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == FList && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        keyPressEvent(static_cast<QKeyEvent*>(event));
        return true;
    }
    if (watched == FList->viewport()) {
        if (event->type() == QEvent::MouseButtonPress) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (!HasEntryAt(FList, mouse->position().toPoint())) {
                FList->clearSelection();
                return true;
            }
        } else if (event->type() == QEvent::MouseButtonDblClick) {
            FListDblClick(static_cast<QMouseEvent*>(event)->position().toPoint());
            return true;
        }
    }
    return TMemoryForm::eventFilter(watched, event);
}

bool ShowPrinterObjects(std::int16_t kind)
{
    if (RefuseDuringExchange() || !ReceiveObjectListDialog(kind)) {
        return false;
    }
    if (ObjListForm != nullptr) {
        ObjListForm->exec();
    } else {
        TObjListDlg list(ZKedit);
        list.exec();
    }
    return true;
}

}  // namespace zk
