#pragma once
// The detail columns as the desktop shows them: sizes in whole kilobytes
// and dates in the user's locale (its short date and time formats).

#include <QString>

#include <cstdint>
#include <ctime>

#include "platform/shell_browser.h"

namespace zk {

// Whole kilobytes, a non-empty file showing at least 1 KB; empty below 0
// (a folder or a missing object).
QString ShellSizeText(std::int64_t bytes);
// Local date and time in the short formats; empty for time 0.
QString ShellTimeText(std::time_t time);
// The text of a column (0 Name, 1 Size, 2 Type, 3 Changed) of the browser's
// current object.
QString ShellColumnText(const platform::TShellBrowser& browser, int column);

}  // namespace zk
