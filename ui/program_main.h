#pragma once
// The process entry and the receiving end of the single-instance hand-over.

#include <string>

namespace zk {

class QtUiServices;
class TZKedit;

// A later start hands its label file to the running instance and returns
// 0 without creating a window; the first instance runs the editor until its
// main window closes. Returns 0.
int ProgramMain(int argc, char* argv[]);

// Opens a label that a later start handed over and makes its folder the
// work directory.
void OnOpenFileMessage(const std::string& path);

// The one place a handed-over label is read (the label reader hook).
void OpenHandedOverLabel(const std::string& path);

// Message boxes and the busy window open over the main window, following
// its canvas.
void AnchorMessageBoxToMainWindow(QtUiServices& services, TZKedit& window);

// The directory of a file path, ending in '/' as WorkDir does.
std::string DirectoryPart(const std::string& path);

}  // namespace zk
