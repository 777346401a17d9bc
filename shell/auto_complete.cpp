#include "shell/auto_complete.h"

#include <QCompleter>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLineEdit>

namespace zk {

bool EnableAutoComplete(QLineEdit& edit, bool fileSystem, bool url)
{
    if (!fileSystem) {
        edit.setCompleter(nullptr);
        return !url;
    }
    auto* model = new QFileSystemModel(&edit);
    // Folders are read as they are typed into; a watch of the model's own
    // would take one more of the user's inotify instances.
    model->setOption(QFileSystemModel::DontWatchForChanges);
    model->setRootPath(QString());
    model->setFilter(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    auto* completer = new QCompleter(model, &edit);
    completer->setCompletionMode(QCompleter::PopupCompletion);
    completer->setCaseSensitivity(Qt::CaseSensitive);
    edit.setCompleter(completer);
    // The model reads a folder on its own thread once asked for it: ask
    // for the one being typed into, and complete again when it has come.
    QObject::connect(&edit, &QLineEdit::textEdited, model,
                     [model](const QString& text) { model->index(QFileInfo(text).path()); });
    QObject::connect(model, &QFileSystemModel::directoryLoaded, completer, [&edit, completer](const QString& folder) {
        if (edit.isVisible() && edit.completer() == completer && QFileInfo(edit.text()).path() == folder) {
            completer->setCompletionPrefix(edit.text());
            completer->complete();
        }
    });
    return true;
}

}  // namespace zk
