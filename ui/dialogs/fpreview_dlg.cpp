#include "ui/dialogs/fpreview_dlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>

#include "engine/config/program_paths.h"
#include "engine/ttf/converter_state.h"
#include "engine/ttf/font_preview.h"
#include "engine/ttf/font_writer.h"
#include "engine/ttf/glyph_source.h"
#include "ui/form_order.h"
#include "ui/main_window.h"

namespace zk
{

namespace
{

constexpr int DIALOG_WIDTH = 640;
constexpr int DIALOG_HEIGHT = 440;
constexpr int PREVIEW_TOP = 112;
constexpr int PREVIEW_HEIGHT = 260;

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, QRect geometry)
{
    auto* label = new QLabel(text, parent);
    if (name != nullptr)
        label->setObjectName(name);
    label->setGeometry(geometry);
    return label;
}

// An up-down with its text field, the field named as the form names it.
QSpinBox* MakeUpDown(QWidget* parent, const char* name, const char* fieldName, int minimum, int maximum, QRect geometry,
                     QLineEdit*& field)
{
    auto* upDown = new QSpinBox(parent);
    upDown->setObjectName(name);
    upDown->setRange(minimum, maximum);
    upDown->setGeometry(geometry);
    field = upDown->findChild<QLineEdit*>();
    field->setObjectName(fieldName);
    return upDown;
}

void SetUpDown(QSpinBox* upDown, int maximum, int position)
{
    const QSignalBlocker blocker(upDown);
    if (maximum >= 0)
        upDown->setMaximum(maximum);
    // Rows found by Auto are shown even beyond the manual limit.
    if (position > upDown->maximum())
        upDown->setMaximum(position);
    upDown->setValue(position);
}

}  // namespace

TFPreviewDlg::TFPreviewDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint)
{
    setObjectName("FPreviewDlg");
    FollowFormOrder(*this);
    setWindowTitle(tr("Font Preview"));
    QFont dialogFont(QStringLiteral("Sans"));
    dialogFont.setPixelSize(13);
    setFont(dialogFont);
    setFixedSize(DIALOG_WIDTH, DIALOG_HEIGHT);

    MakeLabel(this, nullptr, tr("Size:"), {8, 12, 40, 22});
    FntSize = new QComboBox(this);
    FntSize->setObjectName("FntSize");
    FntSize->setEditable(true);
    FntSize->setInsertPolicy(QComboBox::NoInsert);
    FntSize->lineEdit()->setMaxLength(3);
    FntSize->addItems({"12", "14", "16", "18", "20", "22", "24", "28", "32", "36", "48", "56", "64", "72", "96", "120",
                       "160", "200", "240"});
    FntSize->setGeometry(48, 10, 64, 24);

    MakeLabel(this, nullptr, tr("Width:"), {128, 12, 48, 22});
    WideCtl = new QSlider(Qt::Horizontal, this);
    WideCtl->setObjectName("WideCtl");
    WideCtl->setRange(0, 20);
    WideCtl->setValue(10);
    WideCtl->setTickPosition(QSlider::TicksBelow);
    WideCtl->setTickInterval(1);
    WideCtl->setPageStep(1);
    WideCtl->setGeometry(176, 8, 168, 28);
    MakeLabel(this, nullptr, "0.5", {172, 36, 30, 16});
    MakeLabel(this, nullptr, "1.0", {250, 36, 30, 16});
    MakeLabel(this, nullptr, "2.0", {328, 36, 30, 16});

    MakeLabel(this, nullptr, tr("Spacing:"), {8, 60, 60, 22});
    SpsMore = MakeUpDown(this, "SpsMore", "SpcText", -16, 16, {68, 58, 56, 24}, SpcText);

    RemoveBox = new QGroupBox(tr(" Remove blank lines "), this);
    RemoveBox->setObjectName("RemoveBox");
    RemoveBox->setGeometry(368, 4, 264, 96);
    MakeLabel(RemoveBox, nullptr, tr("Top:"), {12, 26, 50, 22});
    TopCtl = MakeUpDown(RemoveBox, "TopCtl", "TopRem", 0, 16, {64, 24, 56, 24}, TopRem);
    MakeLabel(RemoveBox, nullptr, tr("Bottom:"), {12, 60, 50, 22});
    BotCtl = MakeUpDown(RemoveBox, "BotCtl", "BotRem", 0, 16, {64, 58, 56, 24}, BotRem);
    Auto = new QCheckBox(tr("Auto"), RemoveBox);
    Auto->setObjectName("Auto");
    Auto->setGeometry(150, 40, 90, 22);

    PrevBox = new QScrollArea(this);
    PrevBox->setObjectName("PrevBox");
    PrevBox->setGeometry(8, PREVIEW_TOP, DIALOG_WIDTH - 16, PREVIEW_HEIGHT);
    PrevBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    PrevBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    PrevBox->setBackgroundRole(QPalette::Base);
    PrevBox->setStyleSheet("QScrollArea { background: white; } QScrollArea > QWidget > QWidget { background: white; }");
    FntImg = new QLabel;
    FntImg->setObjectName("FntImg");
    FntImg->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    PrevBox->setWidget(FntImg);

    const int statusTop = PREVIEW_TOP + PREVIEW_HEIGHT + 12;
    CharsMsg = MakeLabel(this, "CharsMsg", {}, {8, statusTop, 150, 20});
    HeightMsg = MakeLabel(this, "HeightMsg", {}, {160, statusTop, 150, 20});
    WidthMsg = MakeLabel(this, "WidthMsg", {}, {8, statusTop + 24, 200, 20});
    MemoryMsg = MakeLabel(this, "MemoryMsg", {}, {208, statusTop + 24, 150, 20});
    OkBt = new QPushButton(tr("Save"), this);
    OkBt->setObjectName("OkBt");
    OkBt->setDefault(true);
    OkBt->setGeometry(DIALOG_WIDTH - 96, statusTop + 8, 84, 27);
    // Outside the visible area: Esc works through it without a visible button.
    CanBt = new QPushButton(tr("C"), this);
    CanBt->setObjectName("CanBt");
    CanBt->setAutoDefault(false);
    CanBt->setGeometry(DIALOG_WIDTH + 40, 0, 20, 20);

    FormCreate();

    connect(FntSize, &QComboBox::currentTextChanged, this, &TFPreviewDlg::FntSizeChange);
    connect(WideCtl, &QSlider::valueChanged, this, &TFPreviewDlg::WideCtlChange);
    connect(SpsMore, &QSpinBox::valueChanged, this, &TFPreviewDlg::SpsMoreClick);
    connect(TopCtl, &QSpinBox::valueChanged, this, &TFPreviewDlg::TopCtlClick);
    connect(BotCtl, &QSpinBox::valueChanged, this, &TFPreviewDlg::BotCtlClick);
    connect(Auto, &QCheckBox::clicked, this, &TFPreviewDlg::AutoClick);
    connect(OkBt, &QPushButton::clicked, this, &TFPreviewDlg::OkBtClick);
    connect(CanBt, &QPushButton::clicked, this, &TFPreviewDlg::CanBtClick);
}

TFPreviewDlg::~TFPreviewDlg() = default;

void TFPreviewDlg::FormCreate()
{
    const QSignalBlocker blocker(FntSize);
    FntSize->setCurrentIndex(4);
}

void TFPreviewDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TFPreviewDlg::FormShow()
{
    setProperty("HelpFile", QString::fromStdString(ProgramPaths.HelpFileName));
    if (ZKedit != nullptr) {
        ZKedit->PlaceDialog(-1, 0, this);
    }
    BuildFontPreview();
}

void TFPreviewDlg::BuildFontPreview()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    TFontPreviewSettings& settings = FontPreviewSettings;
    settings.FontSize = FontSizeFromText(FntSize->currentText().toStdString());
    const bool resetLimits = settings.ResetRemoveLimits != 0;
    m_glyphs = OpenConverterGlyphs(Converter.ConverterFont, settings.FontSize, settings.WidthFactor);
    if (m_glyphs) {
        zk::BuildFontPreview(*m_glyphs, Converter.Map, PrevBox->viewport()->width(), Auto->isChecked());
    } else {
        CollectMappedGlyphs(Converter.Map);
        PreviewResults = TPreviewResults{};
        FontPreviewImage = TPreviewImage{};
    }
    SetUpDown(TopCtl, resetLimits ? PreviewResults.TopRemoveLimit : -1, settings.TopRemove);
    SetUpDown(BotCtl, resetLimits ? PreviewResults.BottomRemoveLimit : -1, settings.BottomRemove);

    const QImage image(reinterpret_cast<const uchar*>(FontPreviewImage.Pixels.data()), FontPreviewImage.Width,
                       FontPreviewImage.Height, FontPreviewImage.Width * 4, QImage::Format_RGB32);
    FntImg->setPixmap(QPixmap::fromImage(image.copy()));
    FntImg->resize(FontPreviewImage.Width, FontPreviewImage.Height);
    OkBt->setEnabled(m_glyphs != nullptr);

    CharsMsg->setText(QString("Characters: %1").arg(settings.CharCount));
    HeightMsg->setText(QString("Height: %1 pixels").arg(PreviewResults.FontHeight));
    WidthMsg->setText(QString("Mean width: ") + QString::asprintf("%.1lf", PreviewResults.MeanWidth) + " pixels");
    MemoryMsg->setText(QString("Bytes: %1").arg(PreviewResults.FontBytes));
    QApplication::restoreOverrideCursor();
}

void TFPreviewDlg::FntSizeChange()
{
    FontPreviewSettings.TopRemove = 0;
    FontPreviewSettings.BottomRemove = 0;
    FontPreviewSettings.ResetRemoveLimits = 1;
    SetUpDown(TopCtl, -1, 0);
    SetUpDown(BotCtl, -1, 0);
    BuildFontPreview();
}

void TFPreviewDlg::WideCtlChange()
{
    const int position = WideCtl->value();
    FontPreviewSettings.WidthFactor = WidthFactorForPosition(position);
    if (position != FontPreviewSettings.LastWidthPosition) {
        FontPreviewSettings.LastWidthPosition = position;
        BuildFontPreview();
    }
}

void TFPreviewDlg::SpsMoreClick()
{
    FontPreviewSettings.ExtraSpacing = SpsMore->value();
    BuildFontPreview();
}

void TFPreviewDlg::TopCtlClick()
{
    FontPreviewSettings.TopRemove = TopCtl->value();
    SetUpDown(BotCtl, FontPreviewSettings.LineHeight - FontPreviewSettings.TopRemove - 1, BotCtl->value());
    BuildFontPreview();
}

void TFPreviewDlg::BotCtlClick()
{
    FontPreviewSettings.BottomRemove = BotCtl->value();
    SetUpDown(TopCtl, FontPreviewSettings.LineHeight - FontPreviewSettings.BottomRemove - 1, TopCtl->value());
    BuildFontPreview();
}

void TFPreviewDlg::AutoClick()
{
    const bool manual = !Auto->isChecked();
    for (QWidget* control : {static_cast<QWidget*>(TopRem), static_cast<QWidget*>(BotRem),
                             static_cast<QWidget*>(TopCtl), static_cast<QWidget*>(BotCtl)}) {
        control->setEnabled(manual);
    }
    BuildFontPreview();
}

void TFPreviewDlg::OkBtClick()
{
    if (m_glyphs) {
        SaveConvertedFont(*m_glyphs);
    }
}

void TFPreviewDlg::CanBtClick()
{
    reject();
}

}  // namespace zk
