#include "ui/dialogs/store_as_dlg.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <algorithm>

#include "engine/memory/printer_dialogs.h"
#include "engine/memory/printer_memory.h"
#include "ui/main_window.h"
#include "ui/editor_hooks.h"

namespace zk {

TStoreAsDlg* StoreAsForm = nullptr;

TStoreAsDlg::TStoreAsDlg(QWidget* parent) : TMemoryForm("StoreAsDlg", "Store as", QSize(400, 262), parent)
{
    PresentMsg = new QLabel(this);
    PresentMsg->setObjectName("PresentMsg");
    PresentMsg->setGeometry(8, 6, 384, 18);
    FList = MakeNameList(QRect(8, 26, 384, 184));
    FList->viewport()->installEventFilter(this);

    Label1 = new QLabel("Store as:", this);
    Label1->setObjectName("Label1");
    Label1->setGeometry(8, 224, 80, 22);
    ObjName = new QLineEdit(this);
    ObjName->setObjectName("ObjName");
    ObjName->setMaxLength(static_cast<int>(ObjectNameMaxLength));
    ObjName->setGeometry(92, 222, 120, 26);
    MakeUpperCase(ObjName);
    // A long name taken from the list may be shortened, but typing never
    // goes past the limit.
    connect(ObjName, &QLineEdit::textEdited, this, [this](const QString& text) {
        ObjName->setMaxLength(std::max(static_cast<int>(StoreAsDlg.ObjNameMaxLength), static_cast<int>(text.size())));
    });
    Label1->setBuddy(ObjName);
    OkBt = new QPushButton("Store", this);
    OkBt->setObjectName("OkBt");
    OkBt->setDefault(true);
    OkBt->setGeometry(300, 222, 92, 26);

    connect(OkBt, &QPushButton::clicked, this, &TStoreAsDlg::OkBtClick);
    StoreAsForm = this;
}

TStoreAsDlg::~TStoreAsDlg()
{
    if (StoreAsForm == this) {
        StoreAsForm = nullptr;
    }
}

void TStoreAsDlg::showEvent(QShowEvent* event)
{
    FormShow();
    TMemoryForm::showEvent(event);
}

void TStoreAsDlg::FormShow()
{
    // Filled first: the list may widen the form, which is then placed.
    ShowListData();
    if (ZKedit != nullptr) {
        ZKedit->PlaceAtLabel({48, 88}, *this);
    }
    if (StoreAsSelectMode != 0) {
        setWindowTitle("SelectFirst new active form");
        Label1->setText("Form name:");
        OkBt->setText("Select");
    } else {
        Label1->setText("Store as:");
        OkBt->setText("Store");
    }
    ObjName->setFocus();
}

void TStoreAsDlg::ShowListData()
{
    setWindowTitle(FromEngineCaption(StoreAsDlg.Caption));
    PresentMsg->setText(FromEngineText(StoreAsDlg.PresentMsg));
    ShowNames(StoreAsDlg.FList);
    SetObjName(FromEngineText(StoreAsDlg.ObjName));
}

void TStoreAsDlg::FollowWidth(int delta)
{
    PresentMsg->resize(PresentMsg->width() + delta, PresentMsg->height());
    OkBt->move(OkBt->x() + delta, OkBt->y());
}

void TStoreAsDlg::SetObjName(const QString& name)
{
    // The limit is for typing: a name taken from the printer's list may be
    // longer and must not lose its end, or it names another object.
    ObjName->setMaxLength(std::max(static_cast<int>(StoreAsDlg.ObjNameMaxLength), static_cast<int>(name.size())));
    ObjName->setText(name);
}

void TStoreAsDlg::Store()
{
    StoreAsConfirm();
    ShowListData();
}

void TStoreAsDlg::SelectForm()
{
    accept();
    SelectFormAndReceiveVariables();
}

void TStoreAsDlg::OkBtClick()
{
    const std::string name = ToEngineText(ObjName->text());
    if (name.empty()) {
        return;
    }
    StoreAsDlg.ObjName = name;
    if (StoreAsSelectMode == 0) {
        if (!RefuseDuringExchange()) {
            Store();
        }
    } else if (StoreAsDlg.FList.Contains(name) && !RefuseDuringExchange()) {
        SelectForm();
    }
}

void TStoreAsDlg::FListDblClick(const QPoint& viewportPoint)
{
    const QListWidgetItem* entry = FList->itemAt(viewportPoint);
    if (entry == nullptr || RefuseDuringExchange()) {
        return;
    }
    SetObjName(entry->text());
    StoreAsDlg.ObjName = ToEngineText(entry->text());
    if (StoreAsSelectMode != 0) {
        SelectForm();
    } else {
        Store();
    }
}

bool TStoreAsDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == FList->viewport()) {
        if (event->type() == QEvent::MouseButtonPress) {
            const QListWidgetItem* entry = FList->itemAt(static_cast<QMouseEvent*>(event)->position().toPoint());
            if (entry == nullptr) {
                FList->clearSelection();
                return true;
            }
            SetObjName(entry->text());
        } else if (event->type() == QEvent::MouseButtonDblClick) {
            FListDblClick(static_cast<QMouseEvent*>(event)->position().toPoint());
            return true;
        }
    }
    return TMemoryForm::eventFilter(watched, event);
}

void TStoreAsDlg::FormClose()
{
    StoreAsDialogClosed();
    ObjName->setMaxLength(static_cast<int>(ObjectNameMaxLength));
}

void TStoreAsDlg::done(int result)
{
    FormClose();
    TMemoryForm::done(result);
}

}  // namespace zk
