#include "ui/dialogs/align_dlg.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "engine/config/program_paths.h"
#include "engine/model/label_setup.h"
#include "engine/render/redraw.h"
#include "ui/dialogs/number_field.h"
#include "ui/editing/field_checks.h"
#include "ui/editing/grid_align.h"
#include "ui/form_order.h"
#include "ui/main_window.h"

namespace zk {

TAlignDlg::TAlignDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint)
{
    setObjectName("AlignDlg");
    FollowFormOrder(*this);
    setWindowTitle(tr("Align to Grid"));
    setProperty("HelpContext", 121);
    QFont dialogFont(QStringLiteral("Sans"));
    dialogFont.setPixelSize(13);
    setFont(dialogFont);
    setFixedSize(212, 96);

    Label1 = new QLabel(tr("Grid step:"), this);
    Label1->setObjectName("Label1");
    Label1->setGeometry(16, 16, 80, 21);
    GridStep = new QLineEdit(this);
    GridStep->setObjectName("GridStep");
    GridStep->setMaxLength(3);
    GridStep->setGeometry(100, 14, 41, 23);
    Label1->setBuddy(GridStep);
    SizesToo = new QCheckBox(tr("Adjust size:"), this);
    SizesToo->setObjectName("SizesToo");
    SizesToo->setLayoutDirection(Qt::RightToLeft);  // the text left of the box
    SizesToo->setGeometry(16, 40, 125, 21);
    OkBt = new QPushButton(tr("Align"), this);
    OkBt->setObjectName("OkBt");
    OkBt->setDefault(true);
    OkBt->setGeometry(24, 64, 75, 25);
    SaveBt = new QPushButton(tr("Save"), this);
    SaveBt->setObjectName("SaveBt");
    SaveBt->setGeometry(112, 64, 75, 25);
    // Outside the visible area: Esc works through it without a visible button.
    CanBt = new QPushButton(tr("C"), this);
    CanBt->setObjectName("CanBt");
    CanBt->setAutoDefault(false);
    CanBt->setGeometry(260, 0, 20, 20);

    connect(OkBt, &QPushButton::clicked, this, &TAlignDlg::OkBtClick);
    connect(SaveBt, &QPushButton::clicked, this, &TAlignDlg::SaveBtClick);
    connect(CanBt, &QPushButton::clicked, this, &TAlignDlg::CanBtClick);
}

void TAlignDlg::PrepareAlignDialog()
{
    if (ZKedit != nullptr) {
        ZKedit->PlaceDialog(-1, 0, this);
    }
    ShowNumber(GridStep, Settings.GridStep);
}

void TAlignDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TAlignDlg::FormShow()
{
    setProperty("HelpFile", QString::fromStdString(ProgramPaths.HelpFileName));
    PrepareAlignDialog();
}

bool TAlignDlg::TakeGridStep()
{
    // Text that is no number falls back to 0, outside the range, so it is
    // refused like a step out of range instead of aligning to the old step.
    constexpr int NoStep = 0;
    const std::string text = GridStep->text().toStdString();
    if (!CheckIntRange(text, MinAlignGridStep, MaxAlignGridStep, NoStep)) {
        return false;
    }
    Settings.GridStep = TextToIntDef(text, NoStep);
    return true;
}

void TAlignDlg::OkBtClick()
{
    if (!TakeGridStep()) {
        return;
    }
    AlignToGrid(SizesToo->isChecked());
    accept();
    RedrawLabel(RedrawEditor);
}

void TAlignDlg::SaveBtClick()
{
    if (!TakeGridStep()) {
        return;
    }
    accept();
    RedrawLabel(RedrawEditor);
}

void TAlignDlg::CanBtClick()
{
    reject();
}

}  // namespace zk
