#pragma once
// The editor's main window: the label canvas at one printer dot per screen
// pixel inside a scrolled client area, the main menu, the start-up and
// shut-down sequence, and the placement services every dialog uses.

#include <QMainWindow>
#include <QPointer>
#include <QSize>
#include <QTimer>
#include <optional>
#include <string>
#include <vector>

#include "ui/msg_box_dlg.h"

class QAction;
class QMouseEvent;
class QScrollArea;
class QShortcut;

namespace zk {

class TAboutDlg;
class TAlignDlg;
class TCharsDlg;
class TFigListDlg;
class TLabelCanvas;
class TTtfDlg;

class TZKedit : public QMainWindow {
    Q_OBJECT

public:
    // Runs the engine start-up (FormCreate); args is the command line.
    explicit TZKedit(const std::vector<std::string>& args, QWidget* parent = nullptr);
    ~TZKedit() override;

    // The visible canvas.
    TLabelCanvas* Label() const { return m_label; }
    // The menu item or separator of that name.
    QAction* MenuItem(const char* name) const;

    // The floating toolbar form and its status line (any widget with a
    // "text" property); null until the toolbar exists.
    void SetToolbar(QWidget* toolbar, QWidget* statusLine);

    void PlaceDialog(int x, int y, QWidget* form);
    void SetDrawingCursor();
    void FocusMainWindow();
    void ShowCursorPosition(int x, int y);
    void ClearStatusLine();
    void DrawGridDots(int step);
    void DrawMarginLines();
    void SizeLabelCanvas();
    void LayoutToolbar();
    void RelayoutToolbarIfReady();
    // Hides "Print Using Windows Driver" and its separator; F5 keeps
    // triggering the item.
    void HidePrintUsingDriverItem();

    // The screen point of the client area's (0, 0) and the client size.
    QPoint ClientOrigin() const;
    QSize ClientSize() const;
    QPoint ScrollPosition() const;
    // Both scroll positions back to 0.
    void ScrollToOrigin();
    // The top of the label image in the client area: above it (negative)
    // by as much as the canvas is scrolled down.
    int LabelImageTop() const;
    // What message boxes are placed against: this window, its label image
    // and its scroll position.
    TBoxAnchor MessageBoxAnchor() const;
    // The screen point offset from this window's left edge and its label
    // image's top, plus the scroll position (where the terminal and the
    // store-as dialog open).
    QPoint LabelAnchoredPosition(QPoint offset) const;
    // Moves form there, kept on the screen.
    void PlaceAtLabel(QPoint offset, QWidget& form);

    // Ends a drag on the canvas without applying it: the label it works on
    // is being replaced (opened, read back, started anew).
    void EndLabelDrag();

    // Brings the window to the front (a later start asked for it).
    void BringToFront();

    // The forms of the Help menu, created with the window.
    TAboutDlg* AboutDlg() const { return m_aboutDlg; }
    TCharsDlg* CharsDlg() const { return m_charsDlg; }
    // The align dialog and the figure list, created with the window so that
    // their check boxes keep the user's last choice for the whole run.
    TAlignDlg* AlignDlg() const { return m_alignDlg; }
    TFigListDlg* FigListDlg() const { return m_figListDlg; }

    // Status of the printer font load at start-up (0 loaded).
    int PrinterFontStatus() const { return m_printerFontStatus; }

public slots:
    void NewLabelMClick();
    void LoadLabelMClick();
    void SaveAsLabelMClick();
    void SaveAsFormMClick();
    void ContinueMClick();
    void RemoveFontMClick();
    void FormMClick();
    void GraphicsMClick();
    void FontsMClick();
    void StoreCurrentMClick();
    void StoreFormMClick();
    void StoreGraphicsMClick();
    void StoreFontMClick();
    void NewFontMClick();
    void ExitMClick();
    void ToolbarMClick();
    void GridMClick();
    void MarginsMClick();
    void ScrollTrackingMClick();
    void LeftToolbarMClick();
    void TextMClick();
    void BarcodeMClick();
    void RectangleMClick();
    void LineMClick();
    void BoxMClick();
    void PictureMClick();
    void Pdf417MClick();
    void SelectAllMClick();
    void UnselectMClick();
    void CopyMClick();
    void PasteMClick();
    void DeleteMClick();
    void MovetoTopMClick();
    void MovetoBottomMClick();
    void AlignMClick();
    void EditfromListMClick();
    void LabelSetupMClick();
    void SettingsMClick();
    void TerminalMClick();
    void TestPrintMClick();
    void PrintMClick();
    void VariablesMClick();
    void NewValuesMClick();
    void PrintUsingDriver1Click();
    void RotateCWMClick();
    void AboutMClick();
    void ZKeditHelpMClick();
    void CharsMClick();
    void TtfToZftMClick();
    void ColorBWMClick();

    void StartTimerTimer();

    // The mouse on the canvas, forwarded to the editing layer.
    void LabelMouseDown(QMouseEvent* event);
    void LabelMouseMove(QMouseEvent* event);
    void LabelMouseUp(QMouseEvent* event);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate(const std::vector<std::string>& args);
    void FormShow();
    void FormClose();
    void FormResize();
    void FormClick();
    void FormKeyDown(int key);
    void FormMouseMove();
    void FitInitialFrame();

    void BuildLabMenu();
    void ConnectCanvasEditing();
    void ChooseDrawingTool(std::uint8_t tool);
    // Mode 0 of the label redraw: the fresh label, its marks and the
    // selection frames on the canvas.
    void RedrawCanvas();
    // The fresh label and its marks on the canvas, without frames.
    void RefreshCanvas();
    // Main window arrow, canvas cross: the cursors of the selection tool.
    void SetSelectionCursors();
    void SetStatusText(const QString& text);
    // Closes once the exchange that refused an earlier close has ended.
    void RetryClose();

    QScrollArea* m_scrollArea = nullptr;
    QWidget* m_clientArea = nullptr;
    TLabelCanvas* m_label = nullptr;
    // Cleared by Qt when the toolbar goes, also while this window is destroyed.
    QPointer<QWidget> m_toolbar;
    QPointer<QWidget> m_statusLine;
    QShortcut* m_hiddenDriverPrintShortcut = nullptr;
    TAboutDlg* m_aboutDlg = nullptr;
    TCharsDlg* m_charsDlg = nullptr;
    TAlignDlg* m_alignDlg = nullptr;
    TFigListDlg* m_figListDlg = nullptr;
    // The font converter, created at its first showing and kept.
    TTtfDlg* m_ttfDlg = nullptr;
    // The outer size the start-up chose, until the frame's size is known.
    std::optional<QSize> m_initialFrameSize;
    QTimer m_startTimer;
    QTimer m_closeRetryTimer;
    int m_printerFontStatus = 0;
    bool m_shown = false;
    bool m_closed = false;
};

// The main window while it exists.
extern TZKedit* ZKedit;

// The captions of the application and of the main window.
inline constexpr const char* ApplicationTitle = "VORTAN Label Editor";
inline constexpr const char* MainWindowCaption = "VORTAN Label Editor v 2.30H";

}  // namespace zk
