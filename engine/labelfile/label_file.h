#pragma once
// Saving and loading whole labels (*.zlb) for the editor, the scratch
// label file and the open-label browser's preview.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace zk {

// Hand-over from the open-label browser: the file it chose and whether it
// closed with Open.
extern std::string SelectedLabelPath;
extern std::uint8_t OpenLabelAccepted;

enum class LabelLoadTarget : std::uint8_t {
    Editor,   // LoadLabelFile: the main window's canvas
    Preview,  // LoadLabelPreview: the browser's preview image
};
// Set by the editor: after a label was read it refills the text dialog's
// font list, sizes the canvas (or the preview image) and redraws the label
// into it. Unset, a load only replaces the model.
extern std::function<void(LabelLoadTarget)> LabelLoadedHook;

// toTempFile false: asks for a file name ("Nothing to save" for an empty
// label) and saves there, WorkDir then being the file's directory; true:
// writes the scratch label file without asking. Either way the file is
// replaced atomically, so a failure leaves the old one whole. True when
// the file was written.
bool SaveLabelFile(bool toTempFile);
// No name: keeps the label aside in memory, shows the open-label browser
// and loads its choice, or puts the label back when it was cancelled or its
// choice can't be read. While a printer exchange runs it only beeps. True
// when the named or chosen label was read, or the browser was cancelled.
bool LoadLabelFile(const std::optional<std::string>& fileName);
// The same reader, silent and leaving WorkDir alone, for the browser's
// preview; an unreadable or invalid file leaves the label as it was.
bool LoadLabelPreview(const std::string& fileName);

// Back to program start: no browser choice, no hook.
void ResetLabelFileState();

}  // namespace zk
