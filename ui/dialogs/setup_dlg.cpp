#include "ui/dialogs/setup_dlg.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/model/label_setup.h"
#include "engine/render/redraw.h"
#include "engine/report/ui_services.h"
#include "ui/dialogs/label_size_presets.h"
#include "ui/dialogs/number_field.h"
#include "ui/dialogs/setup_dialog_parts.h"
#include "ui/editing/field_checks.h"
#include "ui/editor_hooks.h"
#include "ui/form_order.h"
#include "ui/main_window.h"

namespace zk {

namespace {

constexpr int SetupHelpContext = 119;
constexpr int DateTimeFormatLength = 15;

const char* const ORIENTATIONS[] = {"Top", "Bottom"};
const char* const DARKNESS_LEVELS[] = {"0",  "1",  "2",  "3",  "4",  "5",  "6",  "7",
                                       "8",  "9",  "10", "11", "12 Warning !", "13 Warning !",
                                       "14 Warning !", "15 Warning !"};
const char* const SPEEDS[] = {"25 mm/s", "37 mm/s", "50 mm/s", "75 mm/s", "100 mm/s", "125 mm/s", "150 mm/s"};
const char* const PAPER_TYPES[] = {"Continuous", "Normal Label", "Black Line"};
const char* const TEXT_TYPES[] = {"Normal", "Condensed"};

template <std::size_t N>
QComboBox* MakeList(QWidget* parent, const char* name, const char* const (&items)[N])
{
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    for (const char* item : items) {
        list->addItem(item);
    }
    return list;
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, int maxLength)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    if (maxLength > 0) {
        edit->setMaxLength(maxLength);
    }
    return edit;
}

// The field's number when it is one within min..max; else value stays.
void TakeNumber(const QLineEdit* field, std::int32_t min, std::int32_t max, std::int32_t& value)
{
    const std::string text = field->text().toStdString();
    if (CheckIntRange(text, min, max, value)) {
        value = TextToIntDef(text, value);
    }
}

// The list's choice; a list with nothing chosen leaves value as it was.
void TakeIndex(const QComboBox* list, std::int32_t& value)
{
    if (list->currentIndex() >= 0) {
        value = list->currentIndex();
    }
}

}  // namespace

TSetupDlg::TSetupDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName("SetupDlg");
    FollowFormOrder(*this);
    setWindowTitle("Label Setup");

    TmpLabSize = new QComboBox(this);
    TmpLabSize->setObjectName("TmpLabSize");
    TmpLabSize->addItem("User size");
    for (const TLabelSizePreset& preset : LabelSizePresets) {
        TmpLabSize->addItem(preset.caption);
    }
    TmpLabWidth = MakeEdit(this, "TmpLabWidth", 6);
    TmpLabLen = MakeEdit(this, "TmpLabLen", 6);
    TmpGap = MakeEdit(this, "TmpGap", 4);
    TmpOffset = MakeEdit(this, "TmpOffset", 6);
    TmpLeft = MakeEdit(this, "TmpLeft", 0);
    TmpTop = MakeEdit(this, "TmpTop", 0);
    TmpOrient = MakeList(this, "TmpOrient", ORIENTATIONS);
    TmpDarkness = MakeList(this, "TmpDarkness", DARKNESS_LEVELS);
    TmpSpeed = MakeList(this, "TmpSpeed", SPEEDS);
    TmpLanguage = MakeList(this, "TmpLanguage", LanguageNames);
    TmpPaper = MakeList(this, "TmpPaper", PAPER_TYPES);
    TmpType = MakeList(this, "TmpType", TEXT_TYPES);
    TmpDateFmt = MakeEdit(this, "TmpDateFmt", DateTimeFormatLength);
    TmpTimeFmt = MakeEdit(this, "TmpTimeFmt", DateTimeFormatLength);
    ButtonOK = new QPushButton("OK", this);
    ButtonOK->setObjectName("ButtonOK");
    ButtonOK->setDefault(true);
    AddHiddenCancelButton(*this);

    auto* size = new QFormLayout;
    size->addRow("Label size:", TmpLabSize);
    size->addRow("Label width:", TmpLabWidth);
    size->addRow("Label length:", TmpLabLen);
    size->addRow("Label gap:", TmpGap);
    size->addRow("Offset:", TmpOffset);
    size->addRow("Left margin:", TmpLeft);
    size->addRow("Top margin:", TmpTop);
    size->addRow("Date format:", TmpDateFmt);
    auto* printer = new QFormLayout;
    printer->addRow("Orientation:", TmpOrient);
    printer->addRow("Darkness:", TmpDarkness);
    printer->addRow("Speed:", TmpSpeed);
    printer->addRow("Language:", TmpLanguage);
    printer->addRow("Paper:", TmpPaper);
    printer->addRow("Text type:", TmpType);
    printer->addRow("Time format:", TmpTimeFmt);
    auto* columns = new QHBoxLayout;
    columns->addLayout(size);
    columns->addSpacing(16);
    columns->addLayout(printer);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ButtonOK);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(TmpLabSize, &QComboBox::currentIndexChanged, this, &TSetupDlg::TmpLabSizeChange);
    connect(ButtonOK, &QPushButton::clicked, this, &TSetupDlg::ButtonOKClick);

    SetFormHelp(*this, SetupHelpContext);
    FillSetupDialog();
}

void TSetupDlg::showEvent(QShowEvent* event)
{
    SetFormHelp(*this, SetupHelpContext);
    FillSetupDialog();
    QDialog::showEvent(event);
}

void TSetupDlg::FillSetupDialog()
{
    ShowLabelSetup();
    if (ZKedit != nullptr) {
        adjustSize();
        ZKedit->PlaceDialog(-1, 24, this);
    }
}

void TSetupDlg::ShowLabelSetup()
{
    TmpLabSize->setCurrentIndex(0);
    ShowNumber(TmpLabWidth, LabelSetup.LabelWidth);
    ShowNumber(TmpLabLen, LabelSetup.LabelLength);
    ShowNumber(TmpGap, LabelSetup.LabelGap);
    ShowNumber(TmpOffset, LabelSetup.LabelOffset);
    ShowNumber(TmpLeft, LabelSetup.LeftMargin);
    ShowNumber(TmpTop, LabelSetup.TopMargin);
    TmpOrient->setCurrentIndex(LabelSetup.Orientation);
    TmpDarkness->setCurrentIndex(LabelSetup.Darkness);
    TmpSpeed->setCurrentIndex(LabelSetup.Speed);
    TmpLanguage->setCurrentIndex(LabelSetup.Language);
    TmpPaper->setCurrentIndex(LabelSetup.PaperType);
    TmpType->setCurrentIndex(1 - LabelSetup.NormalSpacing);
    TmpDateFmt->setText(FromCp1252(LabelSetup.DateFormat.view()));
    TmpTimeFmt->setText(FromCp1252(LabelSetup.TimeFormat.view()));
}

void TSetupDlg::FollowReplacedLabel()
{
    // What is typed here was meant for the label that is gone; OK must never
    // give it to the new one. The form stays where the user put it.
    if (isVisible()) {
        ShowLabelSetup();
    }
}

void TSetupDlg::TmpLabSizeChange(int index)
{
    if (index < 1 || index > static_cast<int>(LabelSizePresets.size())) {
        return;
    }
    const TLabelSizePreset& preset = LabelSizePresets[static_cast<std::size_t>(index - 1)];
    ShowNumber(TmpLabWidth, preset.WidthDots());
    ShowNumber(TmpLabLen, preset.LengthDots());
}

void TSetupDlg::ButtonOKClick()
{
    // A running printer exchange may be sending this label; it keeps its size.
    if (IsExchangeInProgress()) {
        Ui().Beep();
        return;
    }
    TakeNumber(TmpLabWidth, MinLabelWidth, MaxLabelWidth, LabelSetup.LabelWidth);
    TakeNumber(TmpLabLen, MinLabelLength, MaxLabelLength, LabelSetup.LabelLength);
    TakeNumber(TmpGap, 0, 80, LabelSetup.LabelGap);
    TakeNumber(TmpOffset, -80, 80, LabelSetup.LabelOffset);
    TakeNumber(TmpTop, 0, 1999, LabelSetup.TopMargin);
    TakeNumber(TmpLeft, 0, 607, LabelSetup.LeftMargin);
    TakeIndex(TmpOrient, LabelSetup.Orientation);
    TakeIndex(TmpDarkness, LabelSetup.Darkness);
    TakeIndex(TmpSpeed, LabelSetup.Speed);
    TakeIndex(TmpLanguage, LabelSetup.Language);
    TakeIndex(TmpPaper, LabelSetup.PaperType);
    if (TmpType->currentIndex() >= 0) {
        LabelSetup.NormalSpacing = 1 - TmpType->currentIndex();
    }
    std::string dateFormat = ToCp1252(TmpDateFmt->text());
    CheckDateFormat(dateFormat);
    std::string timeFormat = ToCp1252(TmpTimeFmt->text());
    CheckTimeFormat(timeFormat);

    accept();
    if (ZKedit != nullptr) {
        ZKedit->ScrollToOrigin();
        ZKedit->SizeLabelCanvas();
    }
    RedrawLabel(RedrawEditor);
}

namespace {

QPointer<TSetupDlg> TheSetupDlg;

}  // namespace

TSetupDlg& SetupDlg()
{
    if (TheSetupDlg == nullptr) {
        TheSetupDlg = new TSetupDlg(ZKedit);
    }
    return *TheSetupDlg;
}

void SetupDlgFollowsReplacedLabel()
{
    if (TheSetupDlg != nullptr) {
        TheSetupDlg->FollowReplacedLabel();
    }
}

}  // namespace zk
