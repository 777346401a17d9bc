#include "ui/dialogs/files_dlg.h"

#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <initializer_list>

#include "engine/labelfile/label_file.h"
#include "engine/memory/printer_dialogs.h"
#include "engine/memory/printer_memory.h"
#include "engine/model/figure_list.h"
#include "engine/model/variables.h"
#include "engine/print/form_file.h"
#include "engine/render/redraw.h"
#include "ui/dialogs/obj_list_dlg.h"
#include "ui/main_window.h"
#include "ui/editor_hooks.h"

namespace zk {

TFilesDlg* FilesDlg = nullptr;

namespace {

constexpr int HelpContextFiles = 128;

struct ButtonSpec {
    QPushButton** field;
    const char* name;
    const char* caption;
};

QGroupBox* MakeGroup(QWidget* parent, const char* name, const char* title, const QRect& geometry,
                     std::initializer_list<ButtonSpec> buttons)
{
    auto* group = new QGroupBox(title, parent);
    group->setObjectName(name);
    group->setGeometry(geometry);
    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(10, 6, 10, 8);
    layout->setSpacing(6);
    for (const ButtonSpec& spec : buttons) {
        auto* button = new QPushButton(spec.caption, group);
        button->setObjectName(spec.name);
        button->setAutoDefault(false);
        button->setMinimumHeight(26);
        layout->addWidget(button);
        *spec.field = button;
    }
    layout->addStretch();
    return group;
}

}  // namespace

TFilesDlg::TFilesDlg(QWidget* parent) : TMemoryForm("FilesDlg", "Files and Forms", QSize(300, 276), parent)
{
    setProperty("HelpContext", HelpContextFiles);
    LoadGroup = MakeGroup(this, "LoadGroup", " Load ", QRect(8, 4, 138, 100),
                          {{&NewLabelBt, "NewLabelBt", "New Label"}, {&LoadLabelBt, "LoadLabelBt", "Open Label"}});
    SaveGroup = MakeGroup(this, "SaveGroup", " Save ", QRect(154, 4, 138, 100),
                          {{&SaveAsLabelBt, "SaveAsLabelBt", "Save as Label"},
                           {&SaveAsFormBt, "SaveAsFormBt", "Save as Form"}});
    InPrinterGroup = MakeGroup(this, "InPrinterGroup", " In Printer ", QRect(8, 110, 138, 158),
                               {{&FormsBt, "FormsBt", "Forms"},
                                {&GraphicsBt, "GraphicsBt", "Graphics"},
                                {&FontsBt, "FontsBt", "Fonts"}});
    ToPrinterGroup = MakeGroup(this, "ToPrinterGroup", " To Printer ", QRect(154, 110, 138, 158),
                               {{&CurLabelBt, "CurLabelBt", "Current Label"},
                                {&StoreFormBt, "StoreFormBt", "Store Form"},
                                {&StorePictBt, "StorePictBt", "Store Graphics"},
                                {&StoreFontBt, "StoreFontBt", "Store Font"}});

    connect(NewLabelBt, &QPushButton::clicked, this, &TFilesDlg::NewLabelBtClick);
    connect(LoadLabelBt, &QPushButton::clicked, this, &TFilesDlg::LoadLabelBtClick);
    connect(SaveAsLabelBt, &QPushButton::clicked, this, &TFilesDlg::SaveAsLabelBtClick);
    connect(SaveAsFormBt, &QPushButton::clicked, this, &TFilesDlg::SaveAsFormBtClick);
    connect(FormsBt, &QPushButton::clicked, this, &TFilesDlg::FormsBtClick);
    connect(GraphicsBt, &QPushButton::clicked, this, &TFilesDlg::GraphicsBtClick);
    connect(FontsBt, &QPushButton::clicked, this, &TFilesDlg::FontsBtClick);
    connect(CurLabelBt, &QPushButton::clicked, this, &TFilesDlg::CurLabelBtClick);
    connect(StoreFormBt, &QPushButton::clicked, this, &TFilesDlg::StoreFormBtClick);
    connect(StorePictBt, &QPushButton::clicked, this, &TFilesDlg::StorePictBtClick);
    connect(StoreFontBt, &QPushButton::clicked, this, &TFilesDlg::StoreFontBtClick);
    FilesDlg = this;
}

TFilesDlg::~TFilesDlg()
{
    if (FilesDlg == this) {
        FilesDlg = nullptr;
    }
}

void TFilesDlg::showEvent(QShowEvent* event)
{
    TakeHelpFile();
    if (ZKedit != nullptr) {
        ZKedit->PlaceDialog(-1, 0, this);
    }
    TMemoryForm::showEvent(event);
}

void TFilesDlg::NewLabelBtClick()
{
    if (RefuseDuringExchange()) {
        return;
    }
    if (ZKedit != nullptr) {
        ZKedit->EndLabelDrag();
    }
    ClearFigureList();
    ClearVarsCounters();
    if (ZKedit != nullptr) {
        ZKedit->ScrollToOrigin();
    }
    RedrawLabel(RedrawEditor);
    accept();
}

void TFilesDlg::LoadLabelBtClick()
{
    if (ZKedit != nullptr) {
        ZKedit->ScrollToOrigin();
    }
    LoadLabelFile(std::nullopt);
    accept();
}

void TFilesDlg::SaveAsLabelBtClick() { SaveLabelFile(false); }

void TFilesDlg::SaveAsFormBtClick() { SaveAsForm(); }

void TFilesDlg::FormsBtClick()
{
    if (ShowPrinterObjects(ObjectKindForm) && ObjListFormLoaded != 0) {
        accept();
    }
}

void TFilesDlg::GraphicsBtClick() { ShowPrinterObjects(ObjectKindGraphics); }

void TFilesDlg::FontsBtClick() { ShowPrinterObjects(ObjectKindFont); }

void TFilesDlg::CurLabelBtClick()
{
    if (!RefuseDuringExchange()) {
        StoreCurrentLabelDialog();
    }
}

void TFilesDlg::StoreFormBtClick()
{
    if (!RefuseDuringExchange()) {
        StoreFormFileDialog();
    }
}

void TFilesDlg::StorePictBtClick()
{
    if (!RefuseDuringExchange()) {
        StorePictureFileDialog();
    }
}

void TFilesDlg::StoreFontBtClick()
{
    if (!RefuseDuringExchange()) {
        StoreFontFileDialog();
    }
}

}  // namespace zk
