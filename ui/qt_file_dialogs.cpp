// The file dialogs the engine asks for, as the desktop's standard dialogs.

#include <QFile>
#include <QFileDialog>
#include <QStringList>

#include "engine/config/program_paths.h"
#include "engine/labelfile/label_file.h"
#include "engine/report/file_dialog_options.h"
#include "platform/code_pages.h"
#include "ui/file_dialog_setup.h"
#include "ui/main_window.h"
#include "ui/open_lb.h"
#include "ui/qt_ui_services.h"

namespace zk {

namespace {

// Engine texts are code page 1252; file names are the file system's own bytes.
QString FromEngine(const std::string& text) { return QString::fromStdString(platform::Cp1252ToUtf8(text)); }
QString FromPath(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }
std::string ToPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

// The engine writes filters as "Description (*.ext)|*.EXT"; the dialog
// matches either spelling of the extension.
QString QtFilter(const std::string& filter)
{
    const QString text = FromEngine(filter);
    const int bar = text.indexOf('|');
    if (bar < 0) {
        return text;
    }
    QString description = text.left(bar);
    const QString patterns = text.mid(bar + 1);
    const int open = description.indexOf('(');
    if (open >= 0) {
        description = description.left(open).trimmed();
    }
    QStringList all;
    for (const QString& pattern : patterns.split(';', Qt::SkipEmptyParts)) {
        all << pattern.toLower() << pattern.toUpper();
    }
    all.removeDuplicates();
    return description + " (" + all.join(' ') + ")";
}

// The chosen path, empty when cancelled.
std::string RunFileDialog(const FileDialogOptions& options, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(ZKedit, FromEngine(options.title), FromPath(options.initialDir), QtFilter(options.filter));
    dialog.setAcceptMode(mode);
    if (mode == QFileDialog::AcceptOpen) {
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    // The engine asks its own overwrite question.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDefaultSuffix(FromEngine(options.defaultExtension).toLower());
    SetUpFileDialog(dialog);
    if (!options.fileName.empty()) {
        dialog.selectFile(FromPath(options.fileName));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return ToPath(dialog.selectedFiles().front());
}

}  // namespace

std::string QtUiServices::SaveFileDialog(const FileDialogOptions& options)
{
    return RunFileDialog(options, QFileDialog::AcceptSave);
}

std::string QtUiServices::OpenFileDialog(const FileDialogOptions& options)
{
    return RunFileDialog(options, QFileDialog::AcceptOpen);
}

// The browser the main window made at start-up; without a main window one
// made for this showing.
void QtUiServices::ShowOpenLabelBrowser()
{
    if (OpenLb != nullptr) {
        OpenLb->exec();
        return;
    }
    TOpenLb browser(ZKedit);
    browser.exec();
}

}  // namespace zk
