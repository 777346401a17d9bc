#include "ui/help_page.h"

#include <QDesktopServices>
#include <QString>
#include <filesystem>

#include "engine/config/program_paths.h"
#include "engine/report/reporting.h"

namespace zk {

QUrl HelpPageUrl() { return QUrl::fromLocalFile(QString::fromStdString(ProgramPaths.HelpFileName)); }

void OpenHelpPage()
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(ProgramPaths.HelpFileName, error) ||
        !QDesktopServices::openUrl(HelpPageUrl())) {
        ShowMessageBox("Error", "Can't open help file " + ProgramPaths.HelpFileName);
    }
}

}  // namespace zk
