// The main menu's and the toolbar's ways into the label setup, settings and
// terminal forms. The menu shows the label setup modeless, so the canvas
// stays usable; the toolbar shows it modally. The settings and the terminal
// use the port, so they do not open while a printer exchange runs.

#include "engine/report/ui_services.h"
#include "ui/dialogs/settings_dlg.h"
#include "ui/dialogs/setup_dlg.h"
#include "ui/dialogs/terminal_dlg.h"
#include "ui/editor_hooks.h"
#include "ui/main_window.h"
#include "ui/toolbar.h"

namespace zk {

void TZKedit::LabelSetupMClick()
{
    TSetupDlg& form = SetupDlg();
    form.show();
    form.raise();
    form.activateWindow();
}

void TZKedit::SettingsMClick()
{
    if (RefuseDuringExchange()) {
        return;
    }
    CallEnumerateSerialPorts();
    SettingsDlg().exec();
}

void TZKedit::TerminalMClick()
{
    if (RefuseDuringExchange()) {
        return;
    }
    TerminalDlg().exec();
}

void TZKToolbar::SetupBtClick()
{
    m_mainWindow.FocusMainWindow();
    TSetupDlg& form = SetupDlg();
    // A copy open from the menu becomes the modal one.
    form.hide();
    form.exec();
}

void TZKToolbar::SettingsBtClick()
{
    m_mainWindow.FocusMainWindow();
    if (RefuseDuringExchange()) {
        return;
    }
    TSettingsDlg& form = SettingsDlg();
    form.FillSettingsDialog();
    form.exec();
}

}  // namespace zk
