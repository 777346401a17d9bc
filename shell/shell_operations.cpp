#include "shell/shell_operations.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QUrl>

#include "shell/shell_items.h"

namespace zk {

namespace {

constexpr const char* GnomeCopiedFiles = "x-special/gnome-copied-files";
constexpr const char* KdeCutSelection = "application/x-kde-cutselection";

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
        const QUrl url = QUrl::fromLocalFile(ShellText(path));
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
        if (url.isLocalFile()) {
            paths.push_back(ShellBytes(url.toLocalFile()));
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

std::vector<std::string> ClipboardFiles() { return DataObjectToFileList(QApplication::clipboard()->mimeData()); }

bool ClipboardIsCut() { return DataObjectIsCut(QApplication::clipboard()->mimeData()); }

void SetClipboardFiles(const std::vector<std::string>& paths, bool cut)
{
    // The clipboard takes the data over.
    QApplication::clipboard()->setMimeData(FileListToMimeData(paths, cut).release());
}

}  // namespace zk
