#include "tests/ui/dialogs/every_dialog.h"

#include <filesystem>
#include <fstream>
#include <string>

#include "engine/model/variables.h"
#include "ui/dialogs/align_dlg.h"
#include "ui/dialogs/color_to_bw.h"
#include "ui/dialogs/fig_list_dlg.h"
#include "ui/dialogs/info_open.h"
#include "ui/dialogs/new_var_dlg.h"
#include "ui/dialogs/print_dialogs.h"
#include "ui/dialogs/settings_dlg.h"
#include "ui/dialogs/setup_dlg.h"
#include "ui/dialogs/terminal_dlg.h"
#include "ui/dialogs/ttf_dlg.h"

namespace zk::test {

EveryDialogTest::EveryDialogTest()
{
    // A translation file the settings list names.
    std::filesystem::create_directories(UserDir());
    std::ofstream(UserDir() + "Windows Cyrillic 1251.trn") << std::string(256, ' ');
}

EveryDialogTest::~EveryDialogTest() { EnumerateSerialPortsHook = nullptr; }

std::vector<QDialog*> EveryDialogTest::MakeEveryDialog()
{
    TZKedit& main = StartWindow();
    SettingsDlg();
    SetupDlg();
    ColorToBW();
    InstallPrintDialogs(&main);
    new TTtfDlg(&main);
    new TAlignDlg(&main);
    new TFigListDlg(&main);
    new TInfoOpen(&main);
    TerminalDlg();
    // The new-values form is laid out for its rows before it shows.
    Variables[0].Defined = 1;
    Variables[0].Prompt = "Batch";
    NewVarDlg().PrepareNewValuesDialog(1, true);
    // The port list the start-up read is the machine's: the terminal and
    // the settings' port list get the emulator's alone.
    m_printer.emplace();
    EnumerateSerialPortsHook = [] {};

    std::vector<QDialog*> dialogs{&services.MsgBoxDlg()};
    for (QDialog* dialog : main.findChildren<QDialog*>()) {
        if (dialog->isWindow()) {
            dialogs.push_back(dialog);
        }
    }
    return dialogs;
}

}  // namespace zk::test
