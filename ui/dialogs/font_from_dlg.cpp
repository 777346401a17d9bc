#include "ui/dialogs/font_from_dlg.h"

#include <QPushButton>

#include "engine/softfont/soft_fonts.h"
#include "ui/main_window.h"
#include "ui/editor_hooks.h"

namespace zk {

TFontFromDlg* FontFromDlg = nullptr;

TFontFromDlg::TFontFromDlg(QWidget* parent) : TMemoryForm("FontFromDlg", "Add New Font", QSize(236, 56), parent)
{
    PrinterBt = new QPushButton("From Printer", this);
    PrinterBt->setObjectName("PrinterBt");
    PrinterBt->setAutoDefault(false);
    PrinterBt->setGeometry(12, 14, 100, 28);
    DiskBt = new QPushButton("From Disk", this);
    DiskBt->setObjectName("DiskBt");
    DiskBt->setDefault(true);
    DiskBt->setGeometry(124, 14, 100, 28);

    connect(DiskBt, &QPushButton::clicked, this, &TFontFromDlg::DiskBtClick);
    connect(PrinterBt, &QPushButton::clicked, this, &TFontFromDlg::PrinterBtClick);
    FontFromDlg = this;
}

TFontFromDlg::~TFontFromDlg()
{
    if (FontFromDlg == this) {
        FontFromDlg = nullptr;
    }
}

void TFontFromDlg::showEvent(QShowEvent* event)
{
    if (ZKedit != nullptr) {
        ZKedit->PlaceDialog(-1, 0, this);
    }
    TMemoryForm::showEvent(event);
}

void TFontFromDlg::DiskBtClick()
{
    if (!RefuseDuringExchange() && LoadNewFont(true)) {
        accept();
    }
}

void TFontFromDlg::PrinterBtClick()
{
    if (!RefuseDuringExchange() && LoadNewFont(false)) {
        accept();
    }
}

}  // namespace zk
