#include "ui/dialogs/memory_dialogs.h"

#include "ui/dialogs/files_dlg.h"
#include "ui/dialogs/font_from_dlg.h"
#include "ui/dialogs/fonts_dlg.h"
#include "ui/dialogs/obj_list_dlg.h"
#include "ui/dialogs/store_as_dlg.h"
#include "ui/main_window.h"

namespace zk {

namespace {

template <typename Form>
void ExecForm(Form* form)
{
    if (form != nullptr) {
        form->exec();
        return;
    }
    Form once(ZKedit);
    once.exec();
}

}  // namespace

void InstallMemoryDialogs(QWidget* parent)
{
    // Owned by parent; each form clears its global when it goes.
    new TFilesDlg(parent);
    new TObjListDlg(parent);
    new TStoreAsDlg(parent);
    new TFontsDlg(parent);
    new TFontFromDlg(parent);
}

void ShowStoreAsForm() { ExecForm(StoreAsForm); }

bool IsStoreAsFormVisible() { return StoreAsForm != nullptr && StoreAsForm->isVisible(); }

void ShowObjectListForm() { ExecForm(ObjListForm); }

void CloseObjectListForm()
{
    if (ObjListForm != nullptr && ObjListForm->isVisible()) {
        ObjListForm->reject();
    }
}

char ShowFontsForm(bool nameFieldShown)
{
    if (FontsDlg != nullptr) {
        return FontsDlg->Choose(nameFieldShown);
    }
    TFontsDlg once(ZKedit);
    return once.Choose(nameFieldShown);
}

void ShowFilesForm() { ExecForm(FilesDlg); }

void ShowFontFromForm() { ExecForm(FontFromDlg); }

}  // namespace zk
