// The main menu's printer-memory commands and "Add New Font".

#include "engine/memory/printer_dialogs.h"
#include "engine/memory/printer_memory.h"
#include "ui/dialogs/memory_dialogs.h"
#include "ui/dialogs/memory_form_parts.h"
#include "ui/dialogs/obj_list_dlg.h"
#include "ui/main_window.h"
#include "ui/editor_hooks.h"

namespace zk {

void TZKedit::FormMClick() { ShowPrinterObjects(ObjectKindForm); }

void TZKedit::GraphicsMClick() { ShowPrinterObjects(ObjectKindGraphics); }

void TZKedit::FontsMClick() { ShowPrinterObjects(ObjectKindFont); }

void TZKedit::StoreCurrentMClick()
{
    if (!RefuseDuringExchange()) {
        StoreCurrentLabelDialog();
    }
}

void TZKedit::StoreFormMClick()
{
    if (!RefuseDuringExchange()) {
        StoreFormFileDialog();
    }
}

void TZKedit::StoreGraphicsMClick()
{
    if (!RefuseDuringExchange()) {
        StorePictureFileDialog();
    }
}

void TZKedit::StoreFontMClick()
{
    if (!RefuseDuringExchange()) {
        StoreFontFileDialog();
    }
}

void TZKedit::NewFontMClick() { ShowFontFromForm(); }

}  // namespace zk
