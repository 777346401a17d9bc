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
#include "engine/model/label_model.h"
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

// Reads path into the label and shows it; a path the browser chose becomes
// WorkDir's folder. Says why when the file can't be read.
bool OpenLabel(const std::string& path, bool fromBrowser)
{
    switch (ReadLabel(path)) {
    case ReadOutcome::CantOpen: ShowMessageBox("Error", "Can't open input file"); return false;
    case ReadOutcome::NotALabel: ShowMessageBox("Error", "Invalid label file"); return false;
    case ReadOutcome::Read: break;
    }
    if (fromBrowser) {
        ProgramPaths.WorkDir = DirectoryOf(path);
    }
    if (LabelLoadedHook) {
        LabelLoadedHook(LabelLoadTarget::Editor);
    }
    return true;
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

bool LoadLabelFile(const std::optional<std::string>& fileName)
{
    // A running exchange may still be reading the label it is about to replace.
    if (ExchangeInProgress()) {
        Ui().Beep();
        return false;
    }
    if (fileName) {
        return OpenLabel(*fileName, false);
    }
    // The browser previews into the live label, so the label waits aside
    // meanwhile, in memory: nothing has to be written before the browser
    // opens, and the label comes back whole (the same figures, not a copy)
    // unless the browser's choice is read in its place.
    TLabelModel parked;
    TakeLabelOutOfPlace(parked);
    OpenLabelAccepted = 0;
    Ui().ShowOpenLabelBrowser();
    const bool chosen = OpenLabelAccepted != 0;
    if (chosen && OpenLabel(SelectedLabelPath, true)) {
        return true;
    }
    PutLabelInPlace(parked);
    if (LabelLoadedHook) {
        LabelLoadedHook(LabelLoadTarget::Editor);
    }
    return !chosen;
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
