#include "ui/help_page.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QScreen>
#include <QString>
#include <QTextBrowser>
#include <filesystem>

#include "engine/config/program_paths.h"
#include "engine/report/reporting.h"
#include "ui/main_window.h"

namespace zk {

namespace {

class THelpWindow : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;

protected:
    // Where no window manager draws a close button, Esc closes it.
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_Escape) {
            close();
        } else {
            QTextBrowser::keyPressEvent(event);
        }
    }
};

// The page read-only in a window of its own, kept for the run once made
// (beside the main window, which owns it).
void ShowHelpWindow()
{
    static QPointer<QTextBrowser> window;
    if (window == nullptr) {
        window = new THelpWindow(ZKedit);
        window->setWindowFlags(Qt::Window);
        window->setObjectName("HelpWindow");
        window->setWindowTitle("Label Editor Help");
        window->setReadOnly(true);
        if (ZKedit == nullptr) {
            window->setAttribute(Qt::WA_DeleteOnClose);
        }
        const QScreen* screen = QGuiApplication::primaryScreen();
        const QSize area = screen != nullptr ? screen->availableGeometry().size() : QSize(1024, 768);
        window->resize(area.width() / 2, area.height() * 2 / 3);
        if (ZKedit != nullptr) {
            ZKedit->PlaceDialog(-1, 0, window);
        }
    }
    window->setSource(HelpPageUrl());
    window->show();
    // Without a window manager nothing else brings it up and to the keyboard.
    window->raise();
    window->activateWindow();
}

}  // namespace

QUrl HelpPageUrl() { return QUrl::fromLocalFile(QString::fromStdString(ProgramPaths.HelpFileName)); }

void OpenHelpPage()
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(ProgramPaths.HelpFileName, error)) {
        ShowMessageBox("Error", TReportText("Can't open help file ").FileName(ProgramPaths.HelpFileName));
        return;
    }
    if (!QDesktopServices::openUrl(HelpPageUrl())) {
        ShowHelpWindow();
    }
}

}  // namespace zk
