#include "ui/toolbar.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QToolButton>

#include "ui/dialogs/align_dlg.h"
#include "ui/dialogs/memory_dialogs.h"
#include "ui/editor_globals.h"
#include "ui/main_window.h"
#include "ui/toolbar_icons.h"

namespace zk {

namespace {

constexpr int StatusLineHeight = 24;

using Handler = void (TZKToolbar::*)();

struct ButtonRow {
    const char* name;
    const char* hint;
    Handler handler;
};

// In the order the form declares its buttons.
const ButtonRow TOOLBAR_BUTTONS[] = {
    {"TextBt", "Draw text", &TZKToolbar::TextBtClick},
    {"BarcBt", "Draw barcode", &TZKToolbar::BarcBtClick},
    {"RectBt", "Draw rectangle", &TZKToolbar::RectBtClick},
    {"LineBt", "Draw diagonal line", &TZKToolbar::LineBtClick},
    {"BoxBt", "Draw box", &TZKToolbar::BoxBtClick},
    {"PictBt", "Draw picture", &TZKToolbar::PictBtClick},
    {"VarBt", "Define variables and counters", &TZKToolbar::VarBtClick},
    {"AlignBt", "Grid size and alignment", &TZKToolbar::AlignBtClick},
    {"SetupBt", "Label setup", &TZKToolbar::SetupBtClick},
    {"SettingsBt", "Settings and diagnostic", &TZKToolbar::SettingsBtClick},
    {"TPrintBt", "Test print", &TZKToolbar::TPrintBtClick},
    {"PrintBt", "Print", &TZKToolbar::PrintBtClick},
    {"FilesBt", "Files and forms", &TZKToolbar::FilesBtClick},
    {"NewValuesBt", "Update variables and counters", &TZKToolbar::NewValuesBtClick},
};

}  // namespace

TZKToolbar::TZKToolbar(TZKedit& mainWindow)
    : QWidget(&mainWindow, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), m_mainWindow(mainWindow)
{
    setObjectName("ZKToolbar");
    setFocusPolicy(Qt::NoFocus);
    // Showing the toolbar leaves the keyboard with the main window.
    setAttribute(Qt::WA_ShowWithoutActivating);

    Panel1 = new QFrame(this);
    Panel1->setObjectName("Panel1");
    Panel1->setFrameShape(QFrame::NoFrame);
    Panel1->setAutoFillBackground(true);

    for (const ButtonRow& row : TOOLBAR_BUTTONS) {
        auto* button = new QToolButton(Panel1);
        button->setObjectName(row.name);
        button->setToolTip(row.hint);
        button->setIcon(ToolbarIcon(row.name));
        button->setIconSize(QSize(24, 24));
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setFixedSize(32, 32);
        connect(button, &QToolButton::clicked, this, row.handler);
    }

    StatusLn = new QLabel(this);
    StatusLn->setObjectName("StatusLn");
    StatusLn->setFrameStyle(QFrame::Panel | QFrame::Raised);
    StatusLn->setAlignment(Qt::AlignCenter);
    StatusLn->setFixedHeight(StatusLineHeight);
    StatusLn->installEventFilter(this);

    FormCreate();
}

void TZKToolbar::FormCreate()
{
    m_mainWindow.SetToolbar(this, StatusLn);
    m_mainWindow.LayoutToolbar();
}

void TZKToolbar::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Stays on top of the main window without a window manager's help.
    raise();
}

void TZKToolbar::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Panel1->setGeometry(rect());
    StatusLn->setGeometry(0, height() - StatusLineHeight, width(), StatusLineHeight);
}

void TZKToolbar::mousePressEvent(QMouseEvent* event)
{
    event->accept();
}

void TZKToolbar::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    FormMouseUp();
}

bool TZKToolbar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == StatusLn && event->type() == QEvent::MouseButtonRelease) {
        StatusLnClick();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TZKToolbar::FormMouseUp()
{
    m_mainWindow.FocusMainWindow();
}

void TZKToolbar::StatusLnClick()
{
    m_mainWindow.FocusMainWindow();
}

void TZKToolbar::ChooseTool(std::uint8_t tool)
{
    m_mainWindow.FocusMainWindow();
    DrawingTool = tool;
    m_mainWindow.SetDrawingCursor();
}

void TZKToolbar::TextBtClick() { ChooseTool(0); }
void TZKToolbar::BarcBtClick() { ChooseTool(1); }
void TZKToolbar::RectBtClick() { ChooseTool(2); }
void TZKToolbar::LineBtClick() { ChooseTool(3); }
void TZKToolbar::BoxBtClick() { ChooseTool(4); }
void TZKToolbar::PictBtClick() { ChooseTool(5); }

void TZKToolbar::AlignBtClick()
{
    m_mainWindow.FocusMainWindow();
    m_mainWindow.AlignDlg()->exec();
}

void TZKToolbar::FilesBtClick()
{
    m_mainWindow.FocusMainWindow();
    ShowFilesForm();
}

}  // namespace zk
