#pragma once
// The editor's help: its page beside the program, opened in the desktop's
// browser.

#include <QUrl>

namespace zk {

// The help page, ProgramPaths.HelpFileName, as a file URL.
QUrl HelpPageUrl();

// Opens the help page; reports when it is missing or nothing can show it.
void OpenHelpPage();

}  // namespace zk
