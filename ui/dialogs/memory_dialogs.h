#pragma once
// The five printer-memory and font forms for the whole run, and the
// showings the engine asks for through its user-interface services.

#include <cstdint>

class QWidget;

namespace zk {

// The forms become children of parent (the main window), which owns them.
void InstallMemoryDialogs(QWidget* parent);

// Each showing uses the form made at start-up or, without one, a form made
// for that showing.
void ShowStoreAsForm();
bool IsStoreAsFormVisible();
void ShowObjectListForm();
void CloseObjectListForm();
char ShowFontsForm(bool nameFieldShown);
void ShowFilesForm();
void ShowFontFromForm();

}  // namespace zk
