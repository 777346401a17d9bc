#include "ui/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLayout>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <filesystem>

#include "engine/config/configuration.h"
#include "engine/config/program_paths.h"
#include "engine/config/translation.h"
#include "engine/labelfile/label_file.h"
#include "engine/model/figure_list.h"
#include "engine/model/label_setup.h"
#include "engine/model/templates.h"
#include "engine/model/variables.h"
#include "engine/print/form_file.h"
#include "engine/print/printing.h"
#include "engine/render/label_image.h"
#include "engine/render/redraw.h"
#include "engine/report/reporting.h"
#include "engine/report/ui_services.h"
#include "engine/rotate/rotate_label.h"
#include "engine/softfont/font_lists.h"
#include "engine/softfont/soft_fonts.h"
#include "ui/canvas_layer.h"
#include "ui/dialogs/about_dlg.h"
#include "ui/dialogs/align_dlg.h"
#include "ui/dialogs/chars_dlg.h"
#include "ui/dialogs/color_to_bw.h"
#include "ui/dialogs/fig_list_dlg.h"
#include "ui/dialogs/figure_dialogs.h"
#include "ui/dialogs/memory_dialogs.h"
#include "ui/dialogs/print_dialogs.h"
#include "ui/dialogs/setup_dlg.h"
#include "ui/dialogs/ttf_dlg.h"
#include "ui/editing/editor_state.h"
#include "ui/editing/mouse_editing.h"
#include "ui/editing/selection.h"
#include "ui/editor_globals.h"
#include "ui/editor_hooks.h"
#include "ui/focus_hand_back.h"
#include "ui/help_page.h"
#include "ui/label_canvas.h"
#include "ui/open_lb.h"
#include "ui/program_main.h"
#include "ui/single_instance.h"
#include "ui/toolbar_layout.h"
#include "ui/window_geometry.h"
#include "ui/window_placement.h"
#include "ui/window_stacking.h"

namespace zk {

TZKedit* ZKedit = nullptr;

namespace {

constexpr int StartTimerIntervalMs = 200;
constexpr int CloseRetryIntervalMs = 250;
const QColor FormColour(0x00, 0x80, 0x80);  // teal

}  // namespace

TZKedit::TZKedit(const std::vector<std::string>& args, QWidget* parent)
    : QMainWindow(parent), m_startTimer(this), m_closeRetryTimer(this)
{
    setObjectName("ZKedit");
    setWindowTitle(MainWindowCaption);
    ZKedit = this;

    m_scrollArea = new QScrollArea(this);
    m_scrollArea->setObjectName("ClientArea");
    m_scrollArea->setFrameShape(QFrame::NoFrame);
    m_scrollArea->setWidgetResizable(true);
    m_clientArea = new QWidget;
    m_clientArea->setObjectName("Form");
    m_clientArea->setAutoFillBackground(true);
    QPalette palette = m_clientArea->palette();
    palette.setColor(QPalette::Window, FormColour);
    m_clientArea->setPalette(palette);
    m_clientArea->setMouseTracking(true);
    m_clientArea->installEventFilter(this);
    m_label = new TLabelCanvas(m_clientArea);
    m_scrollArea->setWidget(m_clientArea);
    setCentralWidget(m_scrollArea);
    connect(m_label, &TLabelCanvas::MouseDown, this, &TZKedit::LabelMouseDown);
    connect(m_label, &TLabelCanvas::MouseMove, this, &TZKedit::LabelMouseMove);
    connect(m_label, &TLabelCanvas::MouseUp, this, &TZKedit::LabelMouseUp);

    BuildLabMenu();

    m_startTimer.setObjectName("StartTimer");
    m_startTimer.setSingleShot(true);
    m_startTimer.setInterval(StartTimerIntervalMs);
    connect(&m_startTimer, &QTimer::timeout, this, &TZKedit::StartTimerTimer);
    m_closeRetryTimer.setInterval(CloseRetryIntervalMs);
    connect(&m_closeRetryTimer, &QTimer::timeout, this, &TZKedit::RetryClose);

    FormCreate(args);
    // These forms live as long as the window.
    m_aboutDlg = new TAboutDlg(this);
    m_charsDlg = new TCharsDlg(this);
    m_alignDlg = new TAlignDlg(this);
    m_figListDlg = new TFigListDlg(this);
    // Closed windows hand the keyboard focus back, and message boxes stay on
    // top, with or without a window manager.
    new TFocusHandBack(*this);
    new TMessageBoxesOnTop(*this);
}

TZKedit::~TZKedit()
{
    CanvasRedrawHook = nullptr;
    EditingHooks.Label = nullptr;
    EditingHooks.RefreshCanvas = nullptr;
    if (HandOverServer != nullptr) {
        HandOverServer->SetReceiver(nullptr, nullptr);
    }
    if (ZKedit == this) {
        ZKedit = nullptr;
    }
}

QAction* TZKedit::MenuItem(const char* name) const
{
    return findChild<QAction*>(name);
}

void TZKedit::SetToolbar(QWidget* toolbar, QWidget* statusLine)
{
    m_toolbar = toolbar;
    m_statusLine = statusLine;
}

// Start-up: the engine's records in dependency order, then the empty label.
void TZKedit::FormCreate(const std::vector<std::string>& args)
{
    if (HandOverServer != nullptr) {
        HandOverServer->SetReceiver(OnOpenFileMessage, [this] { BringToFront(); });
    }

    const QRect desktop = screen() != nullptr ? screen()->geometry() : QRect(0, 0, 1024, 768);
    const QRect initial = InitialWindowGeometry(desktop.size());
    // The client area takes the frame's size until the frame is known.
    m_initialFrameSize = initial.size();
    resize(initial.size());
    move(desktop.topLeft() + initial.topLeft());

    std::vector<const char*> argv;
    for (const std::string& arg : args) {
        argv.push_back(arg.c_str());
    }
    InitProgramPaths(static_cast<int>(argv.size()), argv.data());
    LoadConfiguration();
    UseExistingWorkDir();
    LoadTranslationTables();
    // Lives for the whole run; its tree opens WorkDir once, now.
    new TOpenLb(this);
    m_printerFontStatus = CallLoadPrinterFont();
    if (m_printerFontStatus != 0) {
        ProgramPaths.CommandLineLabel.clear();
    }
    InitDefaultFigures();
    ClearVarsCounters();
    SizeLabelCanvas();
    ConnectCanvasEditing();
    MainWindowReady = 1;
    ClearFigureList();
    InstallFigureDialogs(this);
    InstallPrintDialogs(this);
    InstallMemoryDialogs(this);
    CanvasRedrawHook = [this] { RedrawCanvas(); };
    LabelLoadedHook = [this](LabelLoadTarget target) {
        if (target == LabelLoadTarget::Editor) {
            EndLabelDrag();
            FillFontList();
            SizeLabelCanvas();
            RedrawLabel(RedrawEditor);
            SetupDlgFollowsReplacedLabel();
        } else if (OpenLb != nullptr) {
            OpenLb->SizePreviewCanvas();
            RedrawLabel(RedrawPreview);
            OpenLb->FitPreviewCanvas();
        } else {
            RedrawLabel(RedrawPreview);
        }
    };
    RedrawLabel(RedrawEditor);
}

// The first window's outer frame, not its client area, has the size the
// start-up chose (its position is the frame's already). The frame's size is
// known only once the window is on the screen, and a window manager may add
// its frame a little later; a size set by anyone else meanwhile stays.
void TZKedit::FitInitialFrame()
{
    if (!m_initialFrameSize) {
        return;
    }
    const QSize border = frameGeometry().size() - size();
    if (border.isNull()) {
        return;
    }
    const QSize frame = *m_initialFrameSize;
    m_initialFrameSize.reset();
    if (size() == frame) {
        resize(frame - border);
    }
}

void TZKedit::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    FitInitialFrame();
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TZKedit::FormShow()
{
    const std::string label = ProgramPaths.CommandLineLabel;
    if (!label.empty()) {
        CallLoadLabelFile(label);
        ProgramPaths.WorkDir = DirectoryPart(label);
    }
    m_startTimer.start();
}

void TZKedit::StartTimerTimer()
{
    MenuItem("LeftToolbarM")->setChecked(Settings.ToolbarPos != 0);
    MenuItem("GridM")->setChecked(Settings.ShowGrid != 0);
    if (m_toolbar != nullptr) {
        // The client area has its final size only now that the window shows.
        LayoutToolbar();
        m_toolbar->show();
    }
    m_startTimer.stop();
    FocusMainWindow();

    if (m_printerFontStatus == 1) {
        ShowMessageBox("Error", TReportText("Can't open font file ").FileName(ProgramPaths.PrinterFontFileName));
    } else if (m_printerFontStatus == 2) {
        ShowMessageBox("Error", "Can't allocate font memory");
    }
    if (m_printerFontStatus != 0) {
        close();
        return;
    }
    if (!std::filesystem::exists(ProgramPaths.ConfigFileName) && EditorHooks.ShowSettingsDialog) {
        EditorHooks.ShowSettingsDialog();
    }
}

void TZKedit::closeEvent(QCloseEvent* event)
{
    // The port belongs to a running exchange: close once it is over.
    if (IsExchangeInProgress()) {
        event->ignore();
        m_closeRetryTimer.start();
        return;
    }
    m_closeRetryTimer.stop();
    if (!m_closed) {
        m_closed = true;
        FormClose();
    }
    event->accept();
}

void TZKedit::RetryClose()
{
    if (!IsExchangeInProgress()) {
        m_closeRetryTimer.stop();
        close();
    }
}

// Shut-down; the label is never offered for saving.
void TZKedit::FormClose()
{
    CallFreePrinterFont();
    CallClosePort();
    SaveConfiguration();
    std::error_code error;
    std::filesystem::remove(ProgramPaths.TempLabelFileName, error);
    MainWindowReady = 0;
    if (HandOverServer != nullptr) {
        HandOverServer->Close();
    }
    ProgramPaths.SerialPortList.clear();
}

void TZKedit::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    FitInitialFrame();
    FormResize();
}

void TZKedit::FormResize()
{
    const QSize client = m_scrollArea->size();
    const int growWidth = std::max(MinimumClientSize.width() - client.width(), 0);
    const int growHeight = std::max(MinimumClientSize.height() - client.height(), 0);
    if (growWidth > 0 || growHeight > 0) {
        resize(width() + growWidth, height() + growHeight);
    }
    RelayoutToolbarIfReady();
}

void TZKedit::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    FitInitialFrame();
    RelayoutToolbarIfReady();
}

void TZKedit::keyPressEvent(QKeyEvent* event)
{
    FormKeyDown(event->key());
    QMainWindow::keyPressEvent(event);
}

void TZKedit::FormKeyDown(int key)
{
    if (key == Qt::Key_Escape && EditorHooks.CancelResize) {
        EditorHooks.CancelResize();
    }
}

bool TZKedit::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_clientArea) {
        if (event->type() == QEvent::MouseMove) {
            FormMouseMove();
        } else if (event->type() == QEvent::MouseButtonPress) {
            FormClick();
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TZKedit::FormClick()
{
    DrawingTool = SelectionTool;
    SetSelectionCursors();
}

void TZKedit::SetSelectionCursors()
{
    m_clientArea->setCursor(Qt::ArrowCursor);
    m_label->setCursor(Qt::CrossCursor);
}

void TZKedit::FormMouseMove()
{
    ClearStatusLine();
}

QPoint TZKedit::ClientOrigin() const
{
    return m_scrollArea->viewport()->mapToGlobal(QPoint(0, 0));
}

QSize TZKedit::ClientSize() const
{
    return m_scrollArea->viewport()->size();
}

QPoint TZKedit::ScrollPosition() const
{
    return QPoint(m_scrollArea->horizontalScrollBar()->value(), m_scrollArea->verticalScrollBar()->value());
}

void TZKedit::ScrollToOrigin()
{
    m_scrollArea->horizontalScrollBar()->setValue(0);
    m_scrollArea->verticalScrollBar()->setValue(0);
}

int TZKedit::LabelImageTop() const
{
    return m_label->mapTo(m_scrollArea->viewport(), QPoint(0, 0)).y();
}

TBoxAnchor TZKedit::MessageBoxAnchor() const
{
    return TBoxAnchor{frameGeometry(), LabelImageTop(), ScrollPosition()};
}

QPoint TZKedit::LabelAnchoredPosition(QPoint offset) const
{
    const QPoint scroll = ScrollPosition();
    return {frameGeometry().left() + scroll.x() + offset.x(),
            frameGeometry().top() + LabelImageTop() + scroll.y() + offset.y()};
}

void TZKedit::PlaceAtLabel(QPoint offset, QWidget& form)
{
    MoveOnScreen(form, LabelAnchoredPosition(offset));
}

void TZKedit::PlaceDialog(int x, int y, QWidget* form)
{
    // A dialog never shown has no size of its own yet: lay it out as its
    // showing will, so it is measured at the size it opens with.
    if (!form->isVisible()) {
        form->ensurePolished();
        if (QLayout* layout = form->layout()) {
            layout->activate();
        }
        if (!form->testAttribute(Qt::WA_Resized)) {
            form->adjustSize();
        }
    }
    // Nor does it know its frame before the window system made it: it gets
    // the frame this window has.
    const QSize frame = form->testAttribute(Qt::WA_WState_Created) ? form->frameGeometry().size()
                                                                    : form->size() + (frameGeometry().size() - size());
    MoveOnScreen(*form, DialogPosition(ClientOrigin(), ClientSize(), frame, x, y, ScrollPosition()), frame);
}

void TZKedit::SetDrawingCursor()
{
    m_clientArea->setCursor(Qt::DragCopyCursor);
    m_label->setCursor(Qt::DragCopyCursor);
}

void TZKedit::FocusMainWindow()
{
    activateWindow();
    setFocus();
}

void TZKedit::SetStatusText(const QString& text)
{
    if (m_toolbar != nullptr && QApplication::activeWindow() == m_toolbar) {
        FocusMainWindow();
    }
    if (m_statusLine != nullptr) {
        m_statusLine->setProperty("text", text);
    }
}

void TZKedit::ShowCursorPosition(int x, int y)
{
    SetStatusText(QString("%1,%2").arg(x - LabelSetup.LeftMargin).arg(y - LabelSetup.TopMargin));
}

void TZKedit::ClearStatusLine()
{
    SetStatusText(QString());
}

void TZKedit::DrawGridDots(int step)
{
    if (Settings.ShowGrid == 0) {
        return;
    }
    zk::DrawGridDots(m_label->Picture(), step, LabelSetup.LeftMargin, LabelSetup.TopMargin);
    m_label->update();
}

void TZKedit::DrawMarginLines()
{
    if (!MenuItem("MarginsM")->isChecked()) {
        return;
    }
    zk::DrawMarginLines(m_label->Picture(), LabelSetup.LeftMargin, LabelSetup.TopMargin);
    m_label->update();
}

void TZKedit::RefreshCanvas()
{
    m_label->ShowImage(LabelImage);
    DrawGridDots(Settings.GridStep);
    DrawMarginLines();
}

void TZKedit::RedrawCanvas()
{
    RefreshCanvas();
    DrawSelectionFrames(false);
    m_label->update();
}

void TZKedit::SizeLabelCanvas()
{
    const int width = LabelSetup.LabelWidth;
    const int length = LabelSetup.LabelLength;
    LabelImage.Resize(width, length);
    m_label->ResizePicture(width, length);
    m_label->move(LabelCanvasPosition(frameGeometry().left(), Settings.ToolbarPos));
    // The client area reaches 4 dots past the canvas, so it scrolls fully into view.
    m_clientArea->setMinimumSize(m_label->x() + width + 4, m_label->y() + length + 4);
}

void TZKedit::LayoutToolbar()
{
    if (m_toolbar != nullptr) {
        const int statusHeight = m_statusLine != nullptr ? m_statusLine->height() : 0;
        m_toolbar->resize(ToolbarClientSize(statusHeight));
        const QWidget* viewport = m_scrollArea->viewport();
        const QPoint clientTopRight = viewport->mapToGlobal(QPoint(viewport->width(), 0));
        MoveOnScreen(*m_toolbar, ToolbarPosition(frameGeometry().left(), clientTopRight,
                                                 m_toolbar->frameGeometry().width(), Settings.ToolbarPos));
        for (const TToolbarCell& cell : TOOLBAR_CELLS) {
            if (auto* button = m_toolbar->findChild<QWidget*>(cell.name)) {
                button->setGeometry(cell.column * ToolbarCellSize, cell.row * ToolbarCellSize, ToolbarCellSize,
                                    ToolbarCellSize);
            }
        }
    }
    // The scroll area keeps the canvas at its place as it scrolls.
    m_label->move(4, 4);
    m_clientArea->setMinimumSize(m_label->x() + m_label->width() + 4, m_label->y() + m_label->height() + 4);
}

void TZKedit::RelayoutToolbarIfReady()
{
    if (MainWindowReady == 1) {
        LayoutToolbar();
    }
}

void TZKedit::BringToFront()
{
    if (isMinimized()) {
        showNormal();
    }
    // Nothing else keeps the toolbar above the window, and the running
    // dialogs and message boxes above both, without a window manager.
    RestackWindows(*this, m_toolbar);
    QWidget* keys = WindowForKeys();
    (keys != nullptr ? keys : this)->activateWindow();
}

void TZKedit::ChooseDrawingTool(std::uint8_t tool)
{
    DrawingTool = tool;
    SetDrawingCursor();
}

void TZKedit::EndLabelDrag()
{
    EndMouseOperation();
    SetSelectionCursors();
}

void TZKedit::NewLabelMClick()
{
    if (RefuseDuringExchange()) {
        return;
    }
    EndLabelDrag();
    ClearFigureList();
    ClearVarsCounters();
    ScrollToOrigin();
    RedrawLabel(RedrawEditor);
    SetupDlgFollowsReplacedLabel();
}

void TZKedit::LoadLabelMClick()
{
    ScrollToOrigin();
    LoadLabelFile(std::nullopt);
}

void TZKedit::SaveAsLabelMClick() { SaveLabelFile(false); }

void TZKedit::SaveAsFormMClick() { SaveAsForm(); }

void TZKedit::ContinueMClick()
{
    if (RefuseDuringExchange()) {
        return;
    }
    DriverPrintMode = 0;
    ContinuePrint();
}

void TZKedit::RemoveFontMClick() { RemoveFont(); }

void TZKedit::TtfToZftMClick()
{
    if (m_ttfDlg == nullptr) {
        m_ttfDlg = new TTtfDlg(this);
    }
    m_ttfDlg->exec();
}

void TZKedit::RotateCWMClick()
{
    if (RotateLabelCW()) {
        ScrollToOrigin();
    }
}

void TZKedit::ColorBWMClick()
{
    ColorToBW().exec();
}

void TZKedit::ExitMClick()
{
    close();
}

void TZKedit::ToolbarMClick()
{
    if (m_toolbar != nullptr) {
        m_toolbar->setVisible(MenuItem("ToolbarM")->isChecked());
    }
}

void TZKedit::GridMClick()
{
    Settings.ShowGrid = MenuItem("GridM")->isChecked() ? 1 : 0;
    RedrawLabel(RedrawEditor);
}

void TZKedit::MarginsMClick()
{
    RedrawLabel(RedrawEditor);
}

void TZKedit::ScrollTrackingMClick()
{
    const bool tracking = MenuItem("ScrollTrackingM")->isChecked();
    m_scrollArea->horizontalScrollBar()->setTracking(tracking);
    m_scrollArea->verticalScrollBar()->setTracking(tracking);
}

void TZKedit::LeftToolbarMClick()
{
    Settings.ToolbarPos = MenuItem("LeftToolbarM")->isChecked() ? 1 : 0;
    LayoutToolbar();
    RedrawLabel(RedrawEditor);
}

void TZKedit::TextMClick() { ChooseDrawingTool(0); }
void TZKedit::BarcodeMClick() { ChooseDrawingTool(1); }
void TZKedit::RectangleMClick() { ChooseDrawingTool(2); }
void TZKedit::LineMClick() { ChooseDrawingTool(3); }
void TZKedit::BoxMClick() { ChooseDrawingTool(4); }
void TZKedit::PictureMClick() { ChooseDrawingTool(5); }
void TZKedit::Pdf417MClick() { ChooseDrawingTool(7); }

void TZKedit::AboutMClick()
{
    PlaceDialog(-1, 0, m_aboutDlg);
    m_aboutDlg->exec();
}

void TZKedit::ZKeditHelpMClick() { OpenHelpPage(); }

void TZKedit::CharsMClick() { m_charsDlg->exec(); }

}  // namespace zk
