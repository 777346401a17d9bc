#include "shell/shell_columns.h"

#include <QDateTime>
#include <QLocale>

#include <algorithm>

#include "shell/shell_items.h"

namespace zk {

QString ShellSizeText(std::int64_t bytes)
{
    if (bytes < 0) {
        return {};
    }
    const std::int64_t kilobytes = std::max<std::int64_t>(bytes, bytes > 0 ? 1024 : 0) / 1024;
    return QLocale().toString(static_cast<qlonglong>(kilobytes)) + QStringLiteral(" KB");
}

QString ShellTimeText(std::time_t time)
{
    if (time == 0) {
        return {};
    }
    const QDateTime local = QDateTime::fromSecsSinceEpoch(static_cast<qint64>(time));
    const QLocale locale;
    return locale.toString(local.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
           locale.toString(local.time(), QLocale::ShortFormat);
}

QString ShellColumnText(const platform::TShellBrowser& browser, int column)
{
    switch (column) {
    case 1: return ShellSizeText(browser.GetFileSize());
    case 3: return ShellTimeText(browser.GetModifiedTime());
    default: return ShellText(browser.GetColumnText(column, false));
    }
}

}  // namespace zk
