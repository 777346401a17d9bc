#pragma once
// The engine's one way to reach the user. The editor implements it with its
// message box, busy window and dialogs; tests implement it with a scripted
// fake. The engine never includes a widget toolkit.

#include <cstdint>
#include <string>

#include "engine/report/file_dialog_options.h"
#include "engine/report/report_text.h"

namespace zk {

class UiServices {
public:
    virtual ~UiServices() = default;

    // Modal box with OK, or Yes/No when yesNo; 1 for OK or Yes, 0 otherwise.
    virtual std::uint8_t ShowMessageBox(const std::string& caption, const TReportText& text, bool yesNo) = 0;
    virtual bool IsMessageBoxVisible() const = 0;

    // The busy window: shown or retitled, closed, or turned into an error box.
    virtual void ShowBusyWindow(const std::string& text) = 0;
    virtual void SetBusyText(const std::string& text) = 0;
    virtual void CloseBusyWindow() = 0;
    virtual void ShowBusyError(const std::string& caption, const TReportText& text) = 0;

    virtual void Beep() = 0;
    // Lets pending window messages run, so the window stays live during waits.
    // Marked as such, so that the link can tell an action taken meanwhile
    // from a step of the exchange that waits.
    void ProcessMessages();
    // Waits about ms milliseconds while pending messages keep running.
    void Pause(int ms);

    // The main window's save dialog; the chosen path, empty when cancelled.
    virtual std::string SaveFileDialog(const FileDialogOptions& options)
    {
        (void)options;
        return {};
    }

    // The printer-memory dialogs, shown modally over the engine data they
    // show (engine/memory/printer_dialogs.h). The store-as dialog calls back
    // into StoreAsConfirm or SelectFormAndReceiveVariables itself; the object
    // list sets ObjListChosenName in its name-pick mode and is closed by a
    // form load.
    virtual void ShowStoreAsDialog() {}
    virtual bool IsStoreAsDialogVisible() const { return false; }
    virtual void ShowObjectListDialog() {}
    virtual void CloseObjectListDialog() {}

    // The open-label browser, modal. It leaves its choice in SelectedLabelPath
    // and OpenLabelAccepted (engine/labelfile/label_file.h).
    virtual void ShowOpenLabelBrowser() {}

    // The main window's open dialog; the chosen path, empty when cancelled.
    virtual std::string OpenFileDialog(const FileDialogOptions& options)
    {
        (void)options;
        return {};
    }

    // The font choice dialog over FontsDlgList (engine/softfont/font_lists.h):
    // the letter picked from the list or, when nameFieldShown, typed into its
    // name field; 0 when cancelled.
    virtual char ShowFontsDialog(bool nameFieldShown)
    {
        (void)nameFieldShown;
        return 0;
    }

protected:
    // What ProcessMessages and Pause do.
    virtual void RunPendingMessages() = 0;
    virtual void WaitRunningMessages(int ms) = 0;
};

// The services in force; a silent default until the editor or a test
// installs its own.
UiServices& Ui();
void SetUiServices(UiServices* services);

}  // namespace zk
