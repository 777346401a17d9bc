// The printer-memory and font dialogs the engine fills and shows.

#include "ui/dialogs/memory_dialogs.h"
#include "ui/qt_ui_services.h"

namespace zk {

void QtUiServices::ShowStoreAsDialog() { ShowStoreAsForm(); }

bool QtUiServices::IsStoreAsDialogVisible() const { return IsStoreAsFormVisible(); }

void QtUiServices::ShowObjectListDialog() { ShowObjectListForm(); }

void QtUiServices::CloseObjectListDialog() { CloseObjectListForm(); }

char QtUiServices::ShowFontsDialog(bool nameFieldShown) { return ShowFontsForm(nameFieldShown); }

}  // namespace zk
