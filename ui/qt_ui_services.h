#pragma once
// The editor's implementation of the engine's user-interface services: the
// message box and busy window (TMsgBoxDlg), the beep and the event pump.

#include <functional>
#include <optional>

#include "engine/report/ui_services.h"
#include "ui/msg_box_dlg.h"

namespace zk {

class QtUiServices : public UiServices {
public:
    QtUiServices();
    ~QtUiServices() override;  // uninstalls itself when it is the services in force

    // The one form, created at start-up, used as busy window and, when it is
    // not on screen, as message box.
    TMsgBoxDlg& MsgBoxDlg() { return m_box; }
    // Where boxes open; the main window sets this once it exists.
    void SetAnchorSource(std::function<std::optional<TBoxAnchor>()> source);

    std::uint8_t ShowMessageBox(const std::string& caption, const TReportText& text, bool yesNo) override;
    bool IsMessageBoxVisible() const override;
    std::string SaveFileDialog(const FileDialogOptions& options) override;
    std::string OpenFileDialog(const FileDialogOptions& options) override;
    void ShowOpenLabelBrowser() override;
    void ShowStoreAsDialog() override;
    bool IsStoreAsDialogVisible() const override;
    void ShowObjectListDialog() override;
    void CloseObjectListDialog() override;
    char ShowFontsDialog(bool nameFieldShown) override;
    void ShowBusyWindow(const std::string& text) override;
    void SetBusyText(const std::string& text) override;
    void CloseBusyWindow() override;
    void ShowBusyError(const std::string& caption, const TReportText& text) override;
    void Beep() override;

protected:
    void RunPendingMessages() override;
    void WaitRunningMessages(int ms) override;

private:
    TMsgBoxDlg m_box;
};

}  // namespace zk
