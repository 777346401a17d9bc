#include "shell/shell_operations.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QUrl>

#include <algorithm>
#include <iterator>
#include <sys/stat.h>

#include "platform/file_operations.h"
#include "shell/shell_items.h"
#include "shell/shell_refusals.h"

namespace zk {

namespace {

constexpr const char* GnomeCopiedFiles = "x-special/gnome-copied-files";
constexpr const char* KdeCutSelection = "application/x-kde-cutselection";

// Whether path is base or lies below it.
bool IsWithin(const std::string& path, const std::string& base)
{
    return path == base || (path.size() > base.size() && path.starts_with(base) &&
                            (base == "/" || path[base.size()] == '/'));
}

std::string ParentOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : (slash == 0 ? "/" : path.substr(0, slash));
}

void ScrollOneLine(QScrollBar* bar, int direction)
{
    if (bar != nullptr && bar->maximum() > bar->minimum()) {
        bar->triggerAction(direction < 0 ? QAbstractSlider::SliderSingleStepSub
                                         : QAbstractSlider::SliderSingleStepAdd);
    }
}

}  // namespace

void AutoScrollAtPoint(QAbstractScrollArea& area, QPoint point)
{
    const QRect client = area.viewport()->rect();
    if (point.x() < AUTOSCROLL_THRESHOLD_X) {
        ScrollOneLine(area.horizontalScrollBar(), -1);
    } else if (point.x() > client.right() - AUTOSCROLL_THRESHOLD_X) {
        ScrollOneLine(area.horizontalScrollBar(), 1);
    }
    if (point.y() < AUTOSCROLL_THRESHOLD_Y) {
        ScrollOneLine(area.verticalScrollBar(), -1);
    } else if (point.y() > client.bottom() - AUTOSCROLL_THRESHOLD_Y) {
        ScrollOneLine(area.verticalScrollBar(), 1);
    }
}

std::unique_ptr<QMimeData> FileListToMimeData(const std::vector<std::string>& paths, bool cut)
{
    auto data = std::make_unique<QMimeData>();
    QList<QUrl> urls;
    QByteArray marked = cut ? "cut" : "copy";
    for (const std::string& path : paths) {
        const QUrl url = UrlFromPath(path);
        urls.append(url);
        marked += '\n' + url.toEncoded();
    }
    data->setUrls(urls);
    data->setData(GnomeCopiedFiles, marked);
    if (cut) {
        data->setData(KdeCutSelection, "1");
    }
    return data;
}

std::vector<std::string> DataObjectToFileList(const QMimeData* data)
{
    std::vector<std::string> paths;
    if (data == nullptr) {
        return paths;
    }
    for (const QUrl& url : data->urls()) {
        if (std::string path = PathFromUrl(url); !path.empty()) {
            paths.push_back(std::move(path));
        }
    }
    return paths;
}

bool DataObjectIsCut(const QMimeData* data)
{
    if (data == nullptr) {
        return false;
    }
    return data->data(KdeCutSelection) == "1" || data->data(GnomeCopiedFiles).startsWith("cut\n");
}

Qt::DropAction ChooseDropAction(const std::vector<std::string>& files, const std::string& folder,
                                Qt::KeyboardModifiers keys, bool createLink, Qt::DropActions possible)
{
    const Qt::KeyboardModifiers both = Qt::ControlModifier | Qt::ShiftModifier;
    if (createLink || (keys & Qt::AltModifier) != 0 || (keys & both) == both) {
        return Qt::LinkAction;
    }
    if ((keys & Qt::ControlModifier) != 0) {
        return Qt::CopyAction;
    }
    if ((keys & Qt::ShiftModifier) != 0) {
        return Qt::MoveAction;
    }
    const bool move = !files.empty() && platform::SameFileSystem(files.front(), folder);
    return move && (possible & Qt::MoveAction) != 0 ? Qt::MoveAction : Qt::CopyAction;
}

bool CanDropInto(const std::vector<std::string>& files, const std::string& folder)
{
    if (files.empty() || folder.empty()) {
        return false;
    }
    for (const std::string& file : files) {
        if (IsWithin(folder, file) || platform::GoesIntoItself(file, folder) || ParentOf(file) == folder) {
            return false;
        }
    }
    return true;
}

bool TransferFiles(const std::vector<std::string>& files, const std::string& folder, Qt::DropAction action,
                   QStringList& refusals)
{
    const auto kind = action == Qt::MoveAction   ? platform::TransferKind::Move
                      : action == Qt::LinkAction ? platform::TransferKind::Link
                                                 : platform::TransferKind::Copy;
    bool done = false;
    for (const std::string& file : files) {
        const platform::TTransferResult result = platform::TransferObject(file, folder, kind);
        done = done || result;
        // Also for a move that copied but could not remove the original.
        if (!result || result.SourceKept()) {
            refusals.append(TransferRefusal(file, folder, action, result.reason));
        }
    }
    return done;
}

std::vector<std::string> ClipboardFiles() { return DataObjectToFileList(QApplication::clipboard()->mimeData()); }

bool ClipboardIsCut() { return DataObjectIsCut(QApplication::clipboard()->mimeData()); }

void SetClipboardFiles(const std::vector<std::string>& paths, bool cut)
{
    // The clipboard takes the data over.
    QApplication::clipboard()->setMimeData(FileListToMimeData(paths, cut).release());
}

std::vector<std::string> PasteClipboardInto(const std::string& folder, QStringList& refusals)
{
    std::vector<std::string> files = ClipboardFiles();
    const bool cut = ClipboardIsCut();
    if (!TransferFiles(files, folder, cut ? Qt::MoveAction : Qt::CopyAction, refusals)) {
        return {};
    }
    if (cut) {
        // What went is off the clipboard; what is still where it was stays cut.
        std::vector<std::string> left;
        std::copy_if(files.begin(), files.end(), std::back_inserter(left), [](const std::string& file) {
            struct stat info {};
            return lstat(file.c_str(), &info) == 0;
        });
        if (left.empty()) {
            QApplication::clipboard()->clear();
        } else if (left.size() < files.size()) {
            SetClipboardFiles(left, true);
        }
    }
    return files;
}

}  // namespace zk
