#include "ui/dialogs/color_to_bw.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>
#include <QSplitter>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <span>

#include "engine/config/program_paths.h"
#include "engine/image/colour_picture_file.h"
#include "engine/image/displayed_picture.h"
#include "engine/image/grey_kernels.h"
#include "engine/image/mono_bmp_writer.h"
#include "engine/image/picture_probe.h"
#include "engine/print/printing.h"
#include "engine/report/reporting.h"
#include "engine/report/ui_services.h"
#include "ui/dialogs/color_to_bw_image.h"
#include "ui/dialogs/info_open.h"
#include "ui/editor_hooks.h"
#include "ui/form_order.h"
#include "ui/main_window.h"

namespace zk {

namespace {

constexpr const char* FormCaption = "Color to Black & White Converter";
constexpr int MinimumSide = 4;
constexpr int MaxTargetSide = 9999;
constexpr int ResetContrast = 128;
constexpr int PanelResetContrast = 125;

class WaitCursor {
public:
    explicit WaitCursor(bool shown = true) : m_shown(shown)
    {
        if (m_shown) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
        }
    }
    ~WaitCursor()
    {
        if (m_shown) {
            QApplication::restoreOverrideCursor();
        }
    }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    bool m_shown;
};

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QSlider* MakeTrackBar(QWidget* parent, const char* name, int minimum, int maximum, int position)
{
    auto* bar = new QSlider(Qt::Horizontal, parent);
    bar->setObjectName(name);
    bar->setRange(minimum, maximum);
    bar->setValue(position);
    return bar;
}

QLineEdit* MakeSizeEdit(QWidget* parent, const char* name)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setMaxLength(4);
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,4}"), edit));
    edit->setFixedWidth(56);
    return edit;
}

// The thin panel above a group of track bars; a double click resets them.
QFrame* MakeResetStrip(QWidget* parent, const char* name)
{
    auto* strip = new QFrame(parent);
    strip->setObjectName(name);
    strip->setFrameShape(QFrame::HLine);
    strip->setFrameShadow(QFrame::Sunken);
    strip->setFixedHeight(6);
    strip->setToolTip("Double-click to reset");
    return strip;
}

QScrollArea* MakeImageBox(QWidget* parent, const char* name, TConverterImage* image)
{
    auto* box = new QScrollArea(parent);
    box->setObjectName(name);
    box->setWidget(image);
    box->setWidgetResizable(false);
    box->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    box->setMinimumWidth(100);
    return box;
}

// Why a picture is refused for its size, naming the limit it passes: the
// four digits of the size fields, or the pixels the readers take. Empty when
// its size is fine.
std::string TooLargeMessage(const TImageReadResult& read)
{
    const std::int64_t width = read.Ok() ? read.Image.Width : read.StatedWidth;
    const std::int64_t height = read.Ok() ? read.Image.Height : read.StatedHeight;
    const bool beyondFields = width > MaxTargetSide || height > MaxTargetSide;
    if (!beyondFields && !read.TooLarge) {
        return {};
    }
    std::string message = "Picture too large";
    if (width > 0 && height > 0) {
        message += ": " + std::to_string(width) + " x " + std::to_string(height) + " dots";
    }
    const std::string limit = beyondFields ? std::to_string(MaxTargetSide) + " x " + std::to_string(MaxTargetSide)
                                           : std::to_string(MaxImagePixels) + " dots";
    return message + " (the converter takes at most " + limit + ")";
}

int SizeOf(const QLineEdit* edit)
{
    bool ok = false;
    const int value = edit->text().trimmed().toInt(&ok);
    return ok ? std::clamp(value, 0, MaxTargetSide) : 0;
}

}  // namespace

TColorToBW::TColorToBW(QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                          Qt::WindowCloseButtonHint)
{
    setObjectName("ColorToBW");
    FollowFormOrder(*this);
    setWindowTitle(FormCaption);
    setMinimumSize(635, 482);
    BuildControls();
    resize(760, 540);
}

TColorToBW::~TColorToBW() = default;

void TColorToBW::BuildControls()
{
    CtlPanel = new QWidget(this);
    CtlPanel->setObjectName("CtlPanel");
    PanelA = new QWidget(CtlPanel);
    PanelA->setObjectName("PanelA");
    PanelB = new QWidget(CtlPanel);
    PanelB->setObjectName("PanelB");
    PanelC = new QWidget(CtlPanel);
    PanelC->setObjectName("PanelC");
    PanelD = new QWidget(CtlPanel);
    PanelD->setObjectName("PanelD");

    SelSize = new QLabel(PanelA);
    SelSize->setObjectName("SelSize");
    LoadBt = MakeButton(PanelA, "LoadBt", "Load");
    SaveBt = MakeButton(PanelA, "SaveBt", "Save");
    TestBt = MakeButton(PanelA, "TestBt", "Test");
    ConvertBt = MakeButton(PanelA, "ConvertBt", "Convert");
    ResetBt = MakeButton(PanelA, "ResetBt", "Reset");
    CutBt = MakeButton(PanelA, "CutBt", "Cut");
    CanBt = MakeButton(this, "CanBt", "C");
    CanBt->hide();
    auto* gridA = new QGridLayout(PanelA);
    gridA->setContentsMargins(4, 4, 4, 4);
    gridA->addWidget(SelSize, 0, 0, 1, 3);
    gridA->addWidget(LoadBt, 1, 0);
    gridA->addWidget(SaveBt, 1, 1);
    gridA->addWidget(TestBt, 1, 2);
    gridA->addWidget(ConvertBt, 2, 0);
    gridA->addWidget(ResetBt, 2, 1);
    gridA->addWidget(CutBt, 2, 2);

    SizeX = MakeSizeEdit(PanelB, "SizeX");
    SizeY = MakeSizeEdit(PanelB, "SizeY");
    Rotation = new QComboBox(PanelB);
    Rotation->setObjectName("Rotation");
    Rotation->addItems({"None", "90 deg", "180 deg", "270 deg"});
    auto* formB = new QFormLayout(PanelB);
    formB->setContentsMargins(4, 4, 4, 4);
    formB->addRow("Width:", SizeX);
    formB->addRow("Height:", SizeY);
    formB->addRow("Rotation:", Rotation);

    CtlReset1 = MakeResetStrip(PanelC, "CtlReset1");
    Brightness = MakeTrackBar(PanelC, "Brightness", -100, 100, 0);
    Contrast = MakeTrackBar(PanelC, "Contrast", 0, 250, ResetContrast);
    Proportions = new QCheckBox("Constrain proportions", PanelC);
    Proportions->setObjectName("Proportions");
    Proportions->setChecked(true);
    Threshold = new QCheckBox("50 % Threshold", PanelC);
    Threshold->setObjectName("Threshold");
    auto* gridC = new QGridLayout(PanelC);
    gridC->setContentsMargins(4, 0, 4, 4);
    gridC->setVerticalSpacing(2);
    gridC->addWidget(CtlReset1, 0, 0, 1, 2);
    gridC->addWidget(new QLabel("Brightness", PanelC), 1, 0);
    gridC->addWidget(Brightness, 1, 1);
    gridC->addWidget(new QLabel("Contrast", PanelC), 2, 0);
    gridC->addWidget(Contrast, 2, 1);
    gridC->addWidget(Proportions, 3, 0, 1, 2);
    gridC->addWidget(Threshold, 4, 0, 1, 2);

    CtlReset2 = MakeResetStrip(PanelD, "CtlReset2");
    Red = MakeTrackBar(PanelD, "Red", 0, 32, NeutralGain);
    Green = MakeTrackBar(PanelD, "Green", 0, 32, NeutralGain);
    Blue = MakeTrackBar(PanelD, "Blue", 0, 32, NeutralGain);
    auto* gridD = new QGridLayout(PanelD);
    gridD->setContentsMargins(4, 0, 4, 4);
    gridD->setVerticalSpacing(2);
    gridD->addWidget(CtlReset2, 0, 0, 1, 2);
    gridD->addWidget(new QLabel("Red", PanelD), 1, 0);
    gridD->addWidget(Red, 1, 1);
    gridD->addWidget(new QLabel("Green", PanelD), 2, 0);
    gridD->addWidget(Green, 2, 1);
    gridD->addWidget(new QLabel("Blue", PanelD), 3, 0);
    gridD->addWidget(Blue, 3, 1);
    gridD->setRowStretch(4, 1);

    auto* ctlLayout = new QHBoxLayout(CtlPanel);
    ctlLayout->setContentsMargins(0, 0, 0, 0);
    ctlLayout->setSpacing(0);
    ctlLayout->addWidget(PanelA);
    ctlLayout->addWidget(PanelB);
    ctlLayout->addWidget(PanelC);
    ctlLayout->addWidget(PanelD, 1);

    PictPanel = new QWidget(this);
    PictPanel->setObjectName("PictPanel");
    BWsplitter = new QSplitter(Qt::Horizontal, PictPanel);
    BWsplitter->setObjectName("BWsplitter");
    BWsplitter->setChildrenCollapsible(false);
    ColorBmp = new TConverterImage;
    ColorBmp->setObjectName("ColorBmp");
    BWBmp = new TConverterImage;
    BWBmp->setObjectName("BWBmp");
    ColorBox = MakeImageBox(BWsplitter, "ColorBox", ColorBmp);
    BWBox = MakeImageBox(BWsplitter, "BWBox", BWBmp);
    BWsplitter->addWidget(ColorBox);
    BWsplitter->addWidget(BWBox);
    auto* pictLayout = new QHBoxLayout(PictPanel);
    pictLayout->setContentsMargins(0, 0, 0, 0);
    pictLayout->addWidget(BWsplitter);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(CtlPanel);
    layout->addWidget(PictPanel, 1);

    connect(LoadBt, &QPushButton::clicked, this, &TColorToBW::LoadBtClick);
    connect(SaveBt, &QPushButton::clicked, this, &TColorToBW::SaveBtClick);
    connect(TestBt, &QPushButton::clicked, this, &TColorToBW::TestBtClick);
    connect(ConvertBt, &QPushButton::clicked, this, &TColorToBW::ConvertBtClick);
    connect(ResetBt, &QPushButton::clicked, this, &TColorToBW::ResetBtClick);
    connect(CutBt, &QPushButton::clicked, this, &TColorToBW::CutBtClick);
    connect(CanBt, &QPushButton::clicked, this, &TColorToBW::CanBtClick);
    // Only typing changes the sizes; the form's own updates set them directly.
    connect(SizeX, &QLineEdit::textEdited, this, &TColorToBW::SizeXChange);
    connect(SizeY, &QLineEdit::textEdited, this, &TColorToBW::SizeYChange);
    connect(SizeX, &QLineEdit::editingFinished, this, &TColorToBW::SizeXExit);
    connect(SizeY, &QLineEdit::editingFinished, this, &TColorToBW::SizeXExit);
    connect(Proportions, &QCheckBox::clicked, this, &TColorToBW::ProportionsClick);
    connect(Threshold, &QCheckBox::clicked, this, &TColorToBW::ThresholdClick);
    connect(Rotation, &QComboBox::currentIndexChanged, this, &TColorToBW::RotationChange);
    connect(Red, &QSlider::valueChanged, this, &TColorToBW::RedChange);
    connect(Green, &QSlider::valueChanged, this, &TColorToBW::GreenChange);
    connect(Blue, &QSlider::valueChanged, this, &TColorToBW::BlueChange);
    connect(Brightness, &QSlider::valueChanged, this, &TColorToBW::BrightnessChange);
    connect(Contrast, &QSlider::valueChanged, this, &TColorToBW::ContrastChange);
    connect(ColorBmp, &TConverterImage::MouseDown, this, &TColorToBW::ColorBmpMouseDown);
    connect(ColorBmp, &TConverterImage::MouseMove, this, &TColorToBW::ColorBmpMouseMove);
    connect(ColorBmp, &TConverterImage::MouseUp, this, &TColorToBW::ColorBmpMouseUp);
    connect(ColorBmp, &TConverterImage::DoubleClicked, this, &TColorToBW::ColorBoxDblClick);
    connect(BWBmp, &TConverterImage::DoubleClicked, this, &TColorToBW::BWBoxDblClick);
    connect(BWsplitter, &QSplitter::splitterMoved, this, &TColorToBW::BWsplitterMoved);
    for (QWidget* watched : {static_cast<QWidget*>(CtlReset1), static_cast<QWidget*>(CtlReset2),
                             ColorBox->viewport(), BWBox->viewport()}) {
        watched->installEventFilter(this);
    }
}

bool TColorToBW::eventFilter(QObject* watched, QEvent* event)
{
    const bool doubleClick = event->type() == QEvent::MouseButtonDblClick;
    if (doubleClick && watched == CtlReset1) {
        CtlReset1DblClick();
        return true;
    }
    if (doubleClick && watched == CtlReset2) {
        CtlReset2DblClick();
        return true;
    }
    if (doubleClick && watched == ColorBox->viewport()) {
        ColorBoxDblClick();
        return true;
    }
    if (doubleClick && watched == BWBox->viewport()) {
        BWBoxDblClick();
        return true;
    }
    if (event->type() == QEvent::MouseButtonPress && watched == ColorBox->viewport()) {
        ColorBoxClick();
    }
    return QDialog::eventFilter(watched, event);
}

void TColorToBW::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        FormShow();
    }
}

void TColorToBW::FormShow()
{
    PictureDialog = std::make_unique<TInfoOpen>(this);
    setProperty("HelpFile", QString::fromStdString(ProgramPaths.HelpFileName));
    setWindowTitle(FormCaption);
    if (ZKedit != nullptr) {
        ZKedit->PlaceDialog(-1, 0, this);
    }
    TargetWidth = 256;
    TargetHeight = 192;
    ShowSizes();
    {
        const QSignalBlocker blocker(Rotation);
        Rotation->setCurrentIndex(0);
    }
    LastRotation = 0;
    EnableConverterControls(false);
    m_shownWidth = TargetWidth;
    m_shownHeight = TargetHeight;
    ColorBmp->SetRenderer(QSize(m_shownWidth, m_shownHeight), [this](const QRect& part) { return RenderShown(part); });
    ShowBlackWhite(TMonoImage16(TargetWidth, TargetHeight));
    DropSelection();
    SavedClientWidth = width();
}

void TColorToBW::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void TColorToBW::FormClose()
{
    PictureDialog.reset();
    SourcePicture.reset();
}

void TColorToBW::CanBtClick()
{
    close();
}

void TColorToBW::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    FormResize();
}

void TColorToBW::FormResize()
{
    const int clientWidth = width();
    const int quarter = clientWidth / 4;
    PanelA->setFixedWidth(quarter);
    PanelB->setFixedWidth(quarter * 7 / 8);
    PanelC->setFixedWidth(quarter * 9 / 8);
    if (SavedClientWidth > 0 && clientWidth != SavedClientWidth) {
        QList<int> sizes = BWsplitter->sizes();
        if (sizes.size() == 2) {
            const int total = sizes[0] + sizes[1];
            sizes[0] = sizes[0] * clientWidth / SavedClientWidth;
            sizes[1] = std::max(total - sizes[0], 0);
            BWsplitter->setSizes(sizes);
        }
    }
    SavedClientWidth = clientWidth;
}

void TColorToBW::BWsplitterMoved()
{
    // The colour box keeps between a quarter and three quarters of the panel.
    const int panel = PictPanel->width();
    QList<int> sizes = BWsplitter->sizes();
    if (sizes.size() != 2 || panel <= 0) {
        return;
    }
    const int total = sizes[0] + sizes[1];
    const int limited = std::clamp(sizes[0], panel / 4, panel * 3 / 4);
    if (limited != sizes[0]) {
        BWsplitter->setSizes({limited, std::max(total - limited, 0)});
    }
}

void TColorToBW::BalanceBoxes()
{
    const QList<int> sizes = BWsplitter->sizes();
    if (sizes.size() == 2) {
        const int half = (sizes[0] + sizes[1]) / 2;
        BWsplitter->setSizes({half, sizes[0] + sizes[1] - half});
    }
}

void TColorToBW::ColorBoxDblClick()
{
    ClearSelection();
    BalanceBoxes();
}

void TColorToBW::BWBoxDblClick()
{
    BalanceBoxes();
}

void TColorToBW::ShowSizes()
{
    SizeX->setText(QString::number(TargetWidth));
    SizeY->setText(QString::number(TargetHeight));
}

void TColorToBW::EnableConverterControls(bool enabled)
{
    for (QWidget* control : std::initializer_list<QWidget*>{ConvertBt, CutBt, ResetBt, Proportions, Threshold, SizeX,
                                                            SizeY, Rotation, Red, Green, Blue, Brightness, Contrast}) {
        control->setEnabled(enabled);
    }
    TestBt->setEnabled(false);
    SaveBt->setEnabled(false);
}

// --- Loading -----------------------------------------------------------

void TColorToBW::LoadBtClick()
{
    if (LoadConverterPicture()) {
        PictureLoaded();
    }
}

bool TColorToBW::OpenPicture(const std::string& path)
{
    if (!LoadPicturePath(path)) {
        return false;
    }
    PictureLoaded();
    return true;
}

void TColorToBW::PictureLoaded()
{
    ResetConverterControls();
    EnableConverterControls(true);
    RebuildImages();
    setWindowTitle(QString("Color to B&W Converter - ") + QString::fromLocal8Bit(PictureFileName.c_str()));
}

bool TColorToBW::LoadConverterPicture()
{
    if (PictureDialog == nullptr) {
        PictureDialog = std::make_unique<TInfoOpen>(this);
    }
    const bool chosen = PictureDialog->Execute();
    if (!chosen && PreviewChosen == 0) {
        return false;
    }
    if (PreviewChosen == 0) {
        PictureFileName = PictureDialog->FileName();
    }
    return !PictureFileName.empty() && LoadPicturePath(PictureFileName);
}

bool TColorToBW::LoadPicturePath(const std::string& path)
{
    PictureFileName = path;
    // A load that fails leaves the picture, the settings and the selection
    // as they were.
    if (PictureKindOf(path) == PictureKind::Other) {
        ShowMessageBox("Error", "Unknown file extension");
        return false;
    }
    TImageReadResult read;
    {
        WaitCursor wait;
        read = ReadColourPictureFile(path);
    }
    if (const std::string tooLarge = TooLargeMessage(read); !tooLarge.empty()) {
        ShowMessageBox("Error", tooLarge);
        return false;
    }
    if (!read.Ok()) {
        ShowMessageBox("Error", "Can't open graphics file");
        return false;
    }
    DropSelection();
    SourcePicture = std::move(read.Image);
    MakeRotatedCopy();
    return true;
}

// The quarter-turned picture is worked out from SourcePicture while it is
// drawn (TDisplayedPicture), never held: only the check is left here.
void TColorToBW::MakeRotatedCopy()
{
    if (!SourcePicture || SourcePicture->Empty()) {
        QMessageBox::critical(this, "Error", "Can't read graphics file");
    }
}

// --- Sizes and settings --------------------------------------------------

std::optional<QSize> TColorToBW::ProportionSize() const
{
    if (!SourcePicture || SourcePicture->Empty()) {
        return std::nullopt;
    }
    const bool quarter = Rotation->currentIndex() % 2 == 1;
    return quarter ? QSize(SourcePicture->Height, SourcePicture->Width)
                   : QSize(SourcePicture->Width, SourcePicture->Height);
}

void TColorToBW::SizeXChange()
{
    TargetWidth = SizeOf(SizeX);
    if (SizeX->text() != QString::number(TargetWidth) && !SizeX->text().isEmpty()) {
        SizeX->setText(QString::number(TargetWidth));
    }
    const std::optional<QSize> picture = ProportionSize();
    if (Proportions->isChecked() && picture) {
        TargetHeight = static_cast<int>(static_cast<std::int64_t>(picture->height()) * TargetWidth / picture->width());
        TargetHeight = std::min(TargetHeight, MaxTargetSide);
        SizeY->setText(QString::number(TargetHeight));
    }
}

void TColorToBW::SizeYChange()
{
    TargetHeight = SizeOf(SizeY);
    if (SizeY->text() != QString::number(TargetHeight) && !SizeY->text().isEmpty()) {
        SizeY->setText(QString::number(TargetHeight));
    }
    const std::optional<QSize> picture = ProportionSize();
    if (Proportions->isChecked() && picture) {
        TargetWidth = static_cast<int>(static_cast<std::int64_t>(picture->width()) * TargetHeight / picture->height());
        TargetWidth = std::min(TargetWidth, MaxTargetSide);
        SizeX->setText(QString::number(TargetWidth));
    }
}

void TColorToBW::SizeXExit()
{
    if (TargetWidth != 0 && TargetHeight != 0 && SourcePicture) {
        DropSelection();
        RebuildImages();
    }
}

void TColorToBW::ProportionsClick()
{
    const std::optional<QSize> picture = ProportionSize();
    if (Proportions->isChecked() && picture) {
        TargetHeight = std::min(
            static_cast<int>(static_cast<std::int64_t>(picture->height()) * TargetWidth / picture->width()),
            MaxTargetSide);
        SizeY->setText(QString::number(TargetHeight));
    }
    DropSelection();
    if (TargetWidth > 0 && TargetHeight > 0) {
        RebuildImages();
    }
}

void TColorToBW::RotationChange(int index)
{
    if (index % 2 != LastRotation % 2) {
        std::swap(TargetWidth, TargetHeight);
        ShowSizes();
    }
    LastRotation = index;
    RebuildImages();
}

void TColorToBW::RedChange()
{
    DropSelection();
    ScheduleRebuild();
}

void TColorToBW::GreenChange()
{
    RedChange();
}

void TColorToBW::BlueChange()
{
    RedChange();
}

void TColorToBW::BrightnessChange()
{
    DropSelection();
    if (LargePicture == 0) {
        ScheduleRebuild();
    }
}

void TColorToBW::ContrastChange()
{
    BrightnessChange();
}

void TColorToBW::ThresholdClick()
{
    RebuildImages();
}

void TColorToBW::CtlReset1DblClick()
{
    Contrast->setValue(PanelResetContrast);
    Brightness->setValue(0);
}

void TColorToBW::CtlReset2DblClick()
{
    for (QSlider* gain : {Red, Green, Blue}) {
        const QSignalBlocker blocker(gain);
        gain->setValue(NeutralGain);
    }
    DropSelection();
    RebuildImages();
}

void TColorToBW::ResetBtClick()
{
    ResetConverterControls();
    RebuildImages();
}

void TColorToBW::ResetConverterControls()
{
    ColorBox->horizontalScrollBar()->setValue(0);
    ColorBox->verticalScrollBar()->setValue(0);
    {
        const QSignalBlocker blocker(Rotation);
        Rotation->setCurrentIndex(0);
    }
    LastRotation = 0;
    DropSelection();
    TargetWidth = SourcePicture ? SourcePicture->Width : 0;
    TargetHeight = SourcePicture ? SourcePicture->Height : 0;
    ShowSizes();
    const QSignalBlocker brightness(Brightness), contrast(Contrast), red(Red), green(Green), blue(Blue);
    Brightness->setValue(0);
    Contrast->setValue(ResetContrast);
    Red->setValue(NeutralGain);
    Green->setValue(NeutralGain);
    Blue->setValue(NeutralGain);
}

// --- Images ----------------------------------------------------------------

// The colour image is drawn when painted, only the part on screen; here it
// takes its size, and the result starts white.
void TColorToBW::DrawColourImage(int width, int height)
{
    m_shownWidth = width;
    m_shownHeight = height;
    m_shownRotation = Rotation->currentIndex();
    m_shownGains[0] = Red->value();
    m_shownGains[1] = Green->value();
    m_shownGains[2] = Blue->value();
    ColorBmp->SetRenderer(QSize(width, height), [this](const QRect& part) { return RenderShown(part); });
    // A result of this size is made white where it is: a gain step on a
    // large picture neither allocates tens of megabytes again nor, once the
    // result is white, touches them.
    if (m_bwImage.Width != width || m_bwImage.Height != height) {
        ShowBlackWhite(TMonoImage16(width, height));
    } else if (!m_bwWhite) {
        std::fill(m_bwImage.Words.begin(), m_bwImage.Words.end(), MonoWhite);
        BWBmp->update();
    }
    m_bwWhite = true;
}

TDisplayedPicture TColorToBW::Displayed() const
{
    return {SourcePicture ? &*SourcePicture : nullptr, m_shownRotation, m_shownWidth, m_shownHeight,
            m_shownGains[0], m_shownGains[1], m_shownGains[2]};
}

QImage TColorToBW::RenderShown(const QRect& rect) const
{
    const QRect part = rect & QRect(0, 0, m_shownWidth, m_shownHeight);
    if (part.isEmpty()) {
        return {};
    }
    QImage image(part.size(), QImage::Format_RGB32);
    const TDisplayedPicture picture = Displayed();
    for (int row = 0; row < part.height(); ++row) {
        // RGB32 rows are the 0xXXRRGGBB words the picture is made of.
        auto* line = reinterpret_cast<std::uint32_t*>(image.scanLine(row));
        picture.Row(part.top() + row, part.left(), std::span(line, static_cast<std::size_t>(part.width())));
    }
    return image;
}

void TColorToBW::ShowBlackWhite(TMonoImage16 image)
{
    m_bwWhite = false;
    // The control lets go of the old words before they go.
    BWBmp->SetImage(QImage());
    m_bwImage = std::move(image);
    BWBmp->SetImage(ViewQImage(m_bwImage));
}

TColourImage TColorToBW::ColourImage()
{
    RunPendingRebuild();
    return CopyDisplayedRegion(Displayed(), 0, 0, m_shownWidth, m_shownHeight);
}

const TMonoImage16& TColorToBW::BlackWhiteImage()
{
    RunPendingRebuild();
    return m_bwImage;
}

void TColorToBW::ScheduleRebuild()
{
    if (!m_rebuildPending) {
        m_rebuildPending = true;
        QTimer::singleShot(0, this, &TColorToBW::RunPendingRebuild);
    }
}

void TColorToBW::RunPendingRebuild()
{
    if (m_rebuildPending) {
        RebuildImages();
    }
}

void TColorToBW::RebuildImages()
{
    m_rebuildPending = false;
    const int width = std::max(TargetWidth, MinimumSide);
    const int height = std::max(TargetHeight, MinimumSide);
    LargePicture = static_cast<std::int64_t>(width) * height >= LargePictureDots ? 1 : 0;
    DrawColourImage(width, height);
    if (LargePicture == 0) {
        ConvertToBlackWhite();
    } else {
        TestBt->setEnabled(false);
        SaveBt->setEnabled(false);
    }
}

void TColorToBW::ConvertToBlackWhite()
{
    const WaitCursor wait(LargePicture != 0);
    // The white result goes before the new one is made.
    ShowBlackWhite(TMonoImage16());
    ShowBlackWhite(ConvertDisplayedToMonochrome(Displayed(), Brightness->value(), Contrast->value(),
                                                Threshold->isChecked()));
    TestBt->setEnabled(true);
    SaveBt->setEnabled(true);
}

void TColorToBW::ConvertBtClick()
{
    if (TargetWidth > 0 && TargetHeight > 0) {
        DropSelection();
        RebuildImages();
        if (LargePicture != 0) {
            ConvertToBlackWhite();
        }
    }
}

// --- Rubber band and cut -------------------------------------------------

void TColorToBW::DropSelection()
{
    Dragging = 0;
    SelectionShown = 0;
    SelSize->clear();
    CutBt->setEnabled(false);
}

void TColorToBW::ClearSelection()
{
    if (SelectionShown != 0 || Dragging != 0) {
        ColorBmp->SetBand(std::nullopt);
    }
    DropSelection();
}

void TColorToBW::DrawSelectionRect(int x, int y)
{
    ColorBmp->SetBand(QRect(QPoint(SelStartX, SelStartY), QPoint(x, y)));
}

void TColorToBW::ColorBmpMouseDown(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !ConvertBt->isEnabled()) {
        return;
    }
    ClearSelection();
    SelStartX = SelEndX = event->position().toPoint().x();
    SelStartY = SelEndY = event->position().toPoint().y();
    DrawSelectionRect(SelEndX, SelEndY);
    Dragging = 1;
}

void TColorToBW::ColorBmpMouseMove(QMouseEvent* event)
{
    if (Dragging == 0 || !ConvertBt->isEnabled()) {
        return;
    }
    SelEndX = event->position().toPoint().x();
    SelEndY = event->position().toPoint().y();
    DrawSelectionRect(SelEndX, SelEndY);
    char text[48];
    std::snprintf(text, sizeof text, "%u x %u   ", static_cast<unsigned>(std::abs(SelEndX - SelStartX)),
                  static_cast<unsigned>(std::abs(SelEndY - SelStartY)));
    SelSize->setText(text);
}

void TColorToBW::ColorBmpMouseUp(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !ConvertBt->isEnabled()) {
        return;
    }
    const bool area = Dragging != 0 && SelEndX != SelStartX && SelEndY != SelStartY;
    SelectionShown = area ? 1 : 0;
    CutBt->setEnabled(area);
    Dragging = 0;
}

void TColorToBW::ColorBoxClick()
{
    ClearSelection();
}

void TColorToBW::CutBtClick()
{
    RunPendingRebuild();
    if (SelectionShown == 0) {
        ShowMessageBox("Error", "No area selected");
        return;
    }
    ColorBmp->SetBand(std::nullopt);
    const int left = std::max(std::min(SelStartX, SelEndX), 0);
    const int top = std::max(std::min(SelStartY, SelEndY), 0);
    const int right = std::min(std::max(SelStartX, SelEndX), m_shownWidth);
    const int bottom = std::min(std::max(SelStartY, SelEndY), m_shownHeight);
    if (right - left <= 3 || bottom - top <= 3) {
        ShowMessageBox("Error", "Too small selected area");
        return;
    }
    // The cut-out keeps the scaling, turn and gains it was displayed with.
    SourcePicture = CopyDisplayedRegion(Displayed(), left, top, right, bottom);
    TargetWidth = right - left;
    TargetHeight = bottom - top;
    ResetConverterControls();
    MakeRotatedCopy();
    RebuildImages();
}

// --- Test print and save ---------------------------------------------------

void TColorToBW::TestBtClick()
{
    // A second test print would put its bytes, and its busy window, inside the running one's.
    if (RefuseDuringExchange()) {
        return;
    }
    RunPendingRebuild();
    const TMonoBitmap bitmap = PackMonoRows(m_bwImage, 32);
    ShowCommunicating("Sending graphics data...");
    TestPrintBitmap({bitmap.Width, bitmap.Height, bitmap.BytesPerScanLine, bitmap.Bits});
    ReportNoResponse();
}

void TColorToBW::SaveBtClick()
{
    RunPendingRebuild();
    const std::string path = Ui().SaveFileDialog({
        .title = "Save picture as",
        .fileName = "",
        .defaultExtension = "BMP",
        .filter = "Windows Bitmap files (*.bmp)|*.BMP",
        .initialDir = ProgramPaths.WorkDir,
    });
    if (path.empty()) {
        return;
    }
    ProgramPaths.WorkDir = std::filesystem::path(path).parent_path().string() + "/";
    if (!SaveMonoBmp(path, m_bwImage)) {
        ShowMessageBox("Error", "Can't open output file");
        return;
    }
    close();
}

TColorToBW& ColorToBW()
{
    static QPointer<TColorToBW> form;
    if (form == nullptr) {
        form = new TColorToBW(ZKedit);
    }
    return *form;
}

}  // namespace zk
