#include "engine/print/form_file.h"

#include <filesystem>
#include <system_error>

#include "engine/config/program_paths.h"
#include "engine/io/atomic_file.h"
#include "engine/model/figure_list.h"
#include "engine/print/command_lines.h"
#include "engine/report/reporting.h"
#include "engine/report/ui_services.h"

namespace zk {

void SaveAsForm()
{
    if (CountFigures() == 0) {
        ShowMessageBox("Error", "Nothing to save");
        return;
    }
    const std::string chosen = Ui().SaveFileDialog(
        {"Save as form", "", "EJF", "Label printer forms (*.ejf)|*.EJF", ProgramPaths.WorkDir});
    if (chosen.empty()) {
        return;
    }
    const std::filesystem::path path(chosen);
    std::error_code error;
    if (std::filesystem::exists(path, error) && ShowMessageBox("Warning", "File exists. Overwrite?", true) != 1) {
        return;
    }
    ProgramPaths.WorkDir = path.parent_path().string() + "/";
    const std::string text = FormFileText();
    AtomicFile file(chosen);
    if (!file.IsOpen() || !file.Write(text) || !file.Commit()) {
        ShowMessageBox("Error", "Can't open output file");
    }
}

}  // namespace zk
