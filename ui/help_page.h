#pragma once
// The editor's help: its page beside the program, opened in the desktop's
// browser or, where the desktop has none, in a window of the program's own.

#include <QUrl>

namespace zk {

// The help page, ProgramPaths.HelpFileName, as a file URL.
QUrl HelpPageUrl();

// Opens the help page; reports only when the page is missing.
void OpenHelpPage();

}  // namespace zk
