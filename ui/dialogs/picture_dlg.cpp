#include "ui/dialogs/picture_dlg.h"

#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>

#include "engine/labelfile/figure_room.h"
#include "engine/memory/printer_dialogs.h"
#include "engine/memory/printer_memory.h"
#include "engine/model/figure_list.h"
#include "engine/model/label_setup.h"
#include "engine/model/templates.h"
#include "engine/picture/picture_data.h"
#include "engine/render/redraw.h"
#include "ui/dialogs/dialog_protocol.h"
#include "ui/dialogs/draw_geometry.h"
#include "ui/dialogs/memory_dialogs.h"
#include "ui/dialogs/memory_form_parts.h"
#include "ui/dialogs/obj_list_dlg.h"
#include "ui/file_dialog_setup.h"
#include "ui/editor_hooks.h"

namespace zk {

TPictureDlg* PictureDlg = nullptr;

namespace {

// Printer graphics names: at most 8 letters and digits are typed.
constexpr int PictureNameLength = 8;
// The longest name a picture figure holds.
constexpr std::size_t PictureNameCapacity = decltype(TPictureFigure::Name)::Capacity;

bool IsAsciiAlphanumeric(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

std::string TrimBlanks(const std::string& text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

TPictureDlg::TPictureDlg(QWidget* parent) : TFigureDialog("PictureDlg", 134, parent)
{
    StartX = AddNumberField("StartX", "X:");
    StartY = AddNumberField("StartY", "Y:");
    PictName = AddTextField("PictName", "Name:", PictureNameLength);
    // Every letter typed becomes upper case, as printer names are. A longer
    // name shown may be shortened, but typing never goes past the limit.
    connect(PictName, &QLineEdit::textEdited, this, [this](const QString& text) {
        const int cursor = PictName->cursorPosition();
        PictName->setMaxLength(std::max(PictureNameLength, static_cast<int>(text.size())));
        PictName->setText(text.toUpper());
        PictName->setCursorPosition(cursor);
    });

    auto* sources = new QWidget(this);
    auto* sourcesLayout = new QHBoxLayout(sources);
    sourcesLayout->setContentsMargins(0, 0, 0, 0);
    LoadBt = new QPushButton("From Disk", sources);
    LoadBt->setObjectName("LoadBt");
    LoadBt->setAutoDefault(false);
    ExtractBt = new QPushButton("From Printer", sources);
    ExtractBt->setObjectName("ExtractBt");
    ExtractBt->setAutoDefault(false);
    sourcesLayout->addWidget(LoadBt);
    sourcesLayout->addWidget(ExtractBt);
    AddRow("Load picture:", sources);
    connect(LoadBt, &QPushButton::clicked, this, [this] { LoadBtClick(); });
    connect(ExtractBt, &QPushButton::clicked, this, [this] { ExtractBtClick(); });

    OpenPictDlg = new QFileDialog(this);
    OpenPictDlg->setObjectName("OpenPictDlg");
    OpenPictDlg->setOption(QFileDialog::DontUseNativeDialog);
    OpenPictDlg->setAcceptMode(QFileDialog::AcceptOpen);
    OpenPictDlg->setFileMode(QFileDialog::ExistingFile);
    OpenPictDlg->setDefaultSuffix("pcx");
    SetUpFileDialog(*OpenPictDlg);

    FinishForm();
    PictureDlg = this;
}

TPictureDlg::~TPictureDlg()
{
    if (PictureDlg == this) {
        PictureDlg = nullptr;
    }
}

void PreparePictureDialog(bool edit, TPoint start, TPoint /*end*/)
{
    TPictureDlg* dialog = PictureDlg;
    TPictureFigure& t = PictureTemplate;
    if (!edit) {
        PlaceDrawnFigure(t, start);
    }
    dialog->setWindowTitle(edit ? "Edit Picture" : "Draw Picture");
    DialogAccepted = 0;
    dialog->Place();
    TFigureDialog::SetNumber(dialog->StartX, t.X);
    TFigureDialog::SetNumber(dialog->StartY, t.Y);
    dialog->ShowPictureName(QString::fromLatin1(t.Name.view().data(), static_cast<qsizetype>(t.Name.length())));
    dialog->OldPictureName = edit ? t.Name : FixedString<16>{};
    dialog->PictureLoaded = 0;
    NewPictureData.reset();
}

void TPictureDlg::ShowPictureName(const QString& name)
{
    PictName->setMaxLength(std::max(PictureNameLength, static_cast<int>(name.size())));
    PictName->setText(name);
}

void TPictureDlg::LoadBtClick()
{
    OpenPictDlg->selectFile(QString());
    OpenPictDlg->setNameFilter("Graphics files (*.pcx *.bmp *.PCX *.BMP)");
    PictureFilePath.clear();
    if (OpenPictDlg->exec() == QDialog::Accepted && !OpenPictDlg->selectedFiles().isEmpty()) {
        PictureFilePath = QFile::encodeName(OpenPictDlg->selectedFiles().first()).toStdString();
    }
    // A second load replaces the first block, which nothing took over.
    if (!PictureFilePath.empty() && MakePictureData(PictureFilePath, true)) {
        PictureLoaded = 1;
    }
}

void TPictureDlg::ExtractBtClick()
{
    if (RefuseDuringExchange() || !ReceiveObjectListDialog(ObjectKindGraphics)) {
        return;
    }
    // The list builds the picked graphic and hands it back to this dialog.
    ObjListPicturePick = 1;
    ShowObjectListForm();
}

void TPictureDlg::Refuse(const char* text)
{
    QMessageBox::critical(this, "Error", text);
}

void TPictureDlg::OkBtClick()
{
    // The dialog's event loop ran: the label may have filled up meanwhile.
    if (AddNewFigure == 1 && !CheckRoomForFigures(1)) {
        return;
    }
    TPictureFigure& t = PictureTemplate;
    const std::string name = TrimBlanks(PictName->text().toStdString());
    if (name.empty()) {
        Refuse("No picture name");
        return;
    }
    // A name the figure can't hold whole would name another picture.
    if (name.size() > PictureNameCapacity) {
        Refuse("Invalid picture name");
        return;
    }
    for (char c : name) {
        if (!IsAsciiAlphanumeric(c)) {
            Refuse("Invalid picture name");
            return;
        }
    }
    if (AddNewFigure == 1 && PictureLoaded == 0) {
        Refuse("No picture loaded");
        return;
    }
    if (!IsPictureNameFree(name, OldPictureName.view())) {
        Refuse("Picture name already exists");
        return;
    }
    ReadBounded(StartX, -607, 607, t.X);
    ReadBounded(StartY, -1539, 1539, t.Y);
    t.Name = name;
    const bool editing = AddNewFigure == 0;
    if (editing) {
        RenamePictureFigures(OldPictureName.view(), name);
    }
    if (PictureLoaded == 1 && NewPictureData != nullptr) {
        if (editing) {
            // The figures of the edited picture carry the new name by now;
            // a figure that had no block yet is found by that name.
            RepointPictureFigures(t.Data, name, NewPictureData, name);
        }
        t.Data = std::move(NewPictureData);
        t.DataLength = static_cast<std::uint16_t>(NewPictureDataLength);
        t.Width = NewPictureWidth;
        t.Height = NewPictureHeight;
        NewPictureData.reset();
    }
    if (AddNewFigure == 1 && t.Data != nullptr) {
        Settings.PictureNumber = Settings.PictureNumber + 1;
        t.Data->RefCount = 1;
        AppendFigure(TFigurePayload{t});
        RedrawLabel(RedrawEditor);
    }
    DialogAccepted = 1;
    accept();
}

void TPictureDlg::FormClose()
{
    if (DialogAccepted == 0) {
        NewPictureData.reset();
    }
}

void TPictureDlg::done(int result)
{
    FormClose();
    TFigureDialog::done(result);
}

}  // namespace zk
