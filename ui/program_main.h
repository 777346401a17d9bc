#pragma once
// The process entry and the receiving end of the single-instance hand-over.

#include <string>

namespace zk {

// A later start hands its label file to the running instance and returns
// 0 without creating a window; the first instance runs the editor until its
// main window closes. Returns 0.
int ProgramMain(int argc, char* argv[]);

// Opens a label that a later start handed over and makes its folder the
// work directory.
void OnOpenFileMessage(const std::string& path);

// The one place a handed-over label is read (the label reader hook).
void OpenHandedOverLabel(const std::string& path);

// The directory of a file path, ending in '/' as WorkDir does.
std::string DirectoryPart(const std::string& path);

}  // namespace zk
