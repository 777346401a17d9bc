#include "engine/labelfile/label_file.h"

#include <filesystem>
#include <vector>

#include "engine/config/program_paths.h"
#include "engine/io/atomic_file.h"
#include "engine/io/file_head.h"
#include "engine/labelfile/label_file_format.h"
#include "engine/labelfile/label_reader.h"
#include "engine/labelfile/label_writer.h"
#include "engine/link/exchange_guard.h"
#include "engine/model/figure_list.h"
#include "engine/report/reporting.h"
#include "engine/report/ui_services.h"

namespace zk {

std::string SelectedLabelPath;
std::uint8_t OpenLabelAccepted = 0;
std::function<void(LabelLoadTarget)> LabelLoadedHook;

namespace {

// No real label comes near this; a bigger file is refused rather than read.
constexpr std::uintmax_t MaxLabelFileSize = 64u << 20;

std::string DirectoryOf(const std::string& path)
{
    return std::filesystem::path(path).parent_path().string() + "/";
}

// Encodes the label into the opened file and puts it in place.
bool WriteLabel(AtomicFile& file)
{
    const ByteSink bytes = EncodeLabelFile();
    if (!file.Write(bytes) || !file.Commit()) {
        ShowMessageBox("Error", "Can't open output file");
        return false;
    }
    return true;
}

// A label with more figures than the reader accepts is not written: the
// file could not be opened again.
bool CheckFigureCount()
{
    if (CountFigures() > MaxLabelFigures) {
        ShowMessageBox("Error", "Label has more than " + std::to_string(MaxLabelFigures) + " figures");
        return false;
    }
    return true;
}

bool CheckOpened(const AtomicFile& file)
{
    if (!file.IsOpen()) {
        ShowMessageBox("Error", "Can't open output file");
    }
    return file.IsOpen();
}

enum class ReadOutcome : std::uint8_t { CantOpen, NotALabel, Read };

ReadOutcome ReadLabel(const std::string& path)
{
    // One byte past the bound tells a file too big to be a label.
    const auto head = ReadFileHead(path, static_cast<std::size_t>(MaxLabelFileSize + 1));
    if (!head) {
        return ReadOutcome::CantOpen;
    }
    if (head->FileSize > MaxLabelFileSize) {
        return ReadOutcome::NotALabel;
    }
    switch (ReadLabelImage(head->Bytes)) {
    case LabelReadResult::NotALabel:
    case LabelReadResult::TooManyFigures: return ReadOutcome::NotALabel;
    case LabelReadResult::Complete:
    case LabelReadResult::Stopped: break;
    }
    return ReadOutcome::Read;
}

}  // namespace

bool SaveLabelFile(bool toTempFile)
{
    if (toTempFile) {
        if (!CheckFigureCount()) {
            return false;
        }
        EnsureUserDir();
        AtomicFile file(ProgramPaths.TempLabelFileName);
        return CheckOpened(file) && WriteLabel(file);
    }
    if (CountFigures() == 0) {
        ShowMessageBox("Error", "Nothing to save");
        return false;
    }
    if (!CheckFigureCount()) {
        return false;
    }
    const std::string path = Ui().SaveFileDialog({
        .title = "Save as label",
        .fileName = "",
        .defaultExtension = "ZLB",
        .filter = "Label editor files (*.zlb)|*.ZLB",
        .initialDir = ProgramPaths.WorkDir,
    });
    if (path.empty()) {
        return false;
    }
    std::error_code error;
    if (std::filesystem::exists(path, error) && ShowMessageBox("Warning", "File exists. Overwrite?", true) != 1) {
        return false;
    }
    AtomicFile file(path);
    if (!CheckOpened(file)) {
        return false;
    }
    ProgramPaths.WorkDir = DirectoryOf(path);
    return WriteLabel(file);
}

bool SaveLabelToTempFile()
{
    const std::string workDir = ProgramPaths.WorkDir;
    const bool saved = SaveLabelFile(true);
    ProgramPaths.WorkDir = workDir;
    return saved;
}

bool LoadLabelFile(const std::optional<std::string>& fileName)
{
    // A running exchange may still be reading the label it is about to replace.
    if (ExchangeInProgress()) {
        Ui().Beep();
        return false;
    }
    std::string path;
    bool fromBrowser = false;
    if (fileName) {
        path = *fileName;
    } else {
        // The browser previews into the live label, so it only opens once
        // the label is safely parked; otherwise the label would be lost.
        if (!SaveLabelToTempFile()) {
            return false;
        }
        OpenLabelAccepted = 0;
        Ui().ShowOpenLabelBrowser();
        fromBrowser = OpenLabelAccepted != 0;
        path = fromBrowser ? SelectedLabelPath : ProgramPaths.TempLabelFileName;
    }
    switch (ReadLabel(path)) {
    case ReadOutcome::CantOpen: ShowMessageBox("Error", "Can't open input file"); break;
    case ReadOutcome::NotALabel: ShowMessageBox("Error", "Invalid label file"); break;
    case ReadOutcome::Read:
        if (fromBrowser) {
            ProgramPaths.WorkDir = DirectoryOf(path);
        }
        if (LabelLoadedHook) {
            LabelLoadedHook(LabelLoadTarget::Editor);
        }
        return true;
    }
    // The browser's previews replaced the live label: a choice that can't
    // be read must not leave the last preview in its place.
    if (fromBrowser && ReadLabel(ProgramPaths.TempLabelFileName) == ReadOutcome::Read && LabelLoadedHook) {
        LabelLoadedHook(LabelLoadTarget::Editor);
    }
    return false;
}

bool LoadLabelPreview(const std::string& fileName)
{
    const bool read = ReadLabel(fileName) == ReadOutcome::Read;
    if (read && LabelLoadedHook) {
        LabelLoadedHook(LabelLoadTarget::Preview);
    }
    Ui().ProcessMessages();
    return read;
}

void ResetLabelFileState()
{
    SelectedLabelPath.clear();
    OpenLabelAccepted = 0;
    LabelLoadedHook = nullptr;
}

}  // namespace zk
