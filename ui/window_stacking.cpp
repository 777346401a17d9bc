#include "ui/window_stacking.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <vector>

#include "ui/msg_box_dlg.h"

namespace zk {

namespace {

bool IsMessageBox(const QWidget* window)
{
    return qobject_cast<const TMsgBoxDlg*>(window) != nullptr;
}

// Menus, drop-down lists and tool tips come and go above everything.
bool IsTransientPopup(const QWidget* window)
{
    const Qt::WindowType type = window->windowType();
    return type == Qt::Popup || type == Qt::ToolTip || type == Qt::SplashScreen;
}

std::vector<QWidget*> VisibleWindows()
{
    std::vector<QWidget*> windows;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && !IsTransientPopup(widget)) {
            windows.push_back(widget);
        }
    }
    return windows;
}

// The window a dialog was opened over: its parent's window, else the
// window it was made transient for.
QWidget* OpenedOver(const QWidget& window)
{
    if (QWidget* parent = window.parentWidget()) {
        return parent->window();
    }
    const QWindow* handle = window.windowHandle();
    const QWindow* below = handle != nullptr ? handle->transientParent() : nullptr;
    return below != nullptr ? QWidget::find(below->winId()) : nullptr;
}

// How many dialogs deep the window was opened.
int OpeningDepth(const QWidget& window)
{
    int depth = 0;
    for (const QWidget* below = OpenedOver(window); below != nullptr && depth < 64; below = OpenedOver(*below)) {
        ++depth;
    }
    return depth;
}

void RaiseInOrder(std::vector<QWidget*> windows)
{
    std::stable_sort(windows.begin(), windows.end(),
                     [](const QWidget* a, const QWidget* b) { return OpeningDepth(*a) < OpeningDepth(*b); });
    // The dialog running now goes above the others of its depth.
    const QWidget* running = QApplication::activeModalWidget();
    std::stable_partition(windows.begin(), windows.end(), [running](const QWidget* w) { return w != running; });
    for (QWidget* window : windows) {
        window->raise();
    }
}

}  // namespace

void RaiseMessageBoxes()
{
    std::vector<QWidget*> boxes;
    for (QWidget* window : VisibleWindows()) {
        if (IsMessageBox(window)) {
            boxes.push_back(window);
        }
    }
    RaiseInOrder(std::move(boxes));
}

void RestackWindows(QWidget& mainWindow, QWidget* toolbar)
{
    mainWindow.raise();
    if (toolbar != nullptr && toolbar->isVisible()) {
        toolbar->raise();
    }
    std::vector<QWidget*> modeless;
    std::vector<QWidget*> modal;
    for (QWidget* window : VisibleWindows()) {
        if (window == &mainWindow || window == toolbar || IsMessageBox(window)) {
            continue;
        }
        if (window->isModal()) {
            modal.push_back(window);
        } else if (OpenedOver(*window) == &mainWindow) {
            modeless.push_back(window);
        }
    }
    RaiseInOrder(std::move(modeless));
    RaiseInOrder(std::move(modal));
    RaiseMessageBoxes();
}

QWidget* WindowForKeys()
{
    if (QWidget* modal = QApplication::activeModalWidget(); modal != nullptr && modal->isVisible()) {
        return modal;
    }
    QWidget* box = nullptr;
    for (QWidget* window : VisibleWindows()) {
        if (IsMessageBox(window)) {
            box = window;
        }
    }
    return box;
}

TMessageBoxesOnTop::TMessageBoxesOnTop(QObject& owner) : QObject(&owner)
{
    QApplication::instance()->installEventFilter(this);
}

bool TMessageBoxesOnTop::eventFilter(QObject* watched, QEvent* event)
{
    // A box raises itself as it shows; any other window shows below the boxes.
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        const auto* shown = static_cast<QWidget*>(watched);
        if (shown->isWindow() && !IsMessageBox(shown) && !IsTransientPopup(shown)) {
            RaiseMessageBoxes();
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace zk
