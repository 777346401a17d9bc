#pragma once
// A scripted stand-in for the editor's user interface: it records every call
// the engine makes and answers every question from a queue.

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "engine/report/ui_services.h"

namespace zk::test {

class FakeUiServices : public UiServices {
public:
    struct MessageBoxCall {
        std::string caption;
        std::string text;  // the parts joined
        bool yesNo;
        TReportText message;
    };

    FakeUiServices();
    ~FakeUiServices() override;  // uninstalls itself

    // Answers for the next questions, in order; an empty queue answers 0 (No).
    std::deque<std::uint8_t> answers;

    std::vector<MessageBoxCall> messageBoxes;
    // Every busy-window, beep and pause call as one line, e.g. "busy:Printing".
    std::vector<std::string> events;
    bool busyVisible = false;
    std::string busyText;
    int processMessagesCalls = 0;
    // Runs at every "let pending window messages run", when set.
    std::function<void()> onProcessMessages;

    std::uint8_t ShowMessageBox(const std::string& caption, const TReportText& text, bool yesNo) override;
    bool IsMessageBoxVisible() const override { return busyVisible; }
    void ShowBusyWindow(const std::string& text) override;
    void SetBusyText(const std::string& text) override;
    void CloseBusyWindow() override;
    // The last error the busy window turned into.
    TReportText busyError;
    void ShowBusyError(const std::string& caption, const TReportText& text) override;
    void Beep() override;

    // Paths the save dialog answers with, in order; an empty queue cancels.
    std::deque<std::string> saveFileChoices;
    std::vector<FileDialogOptions> saveFileDialogs;
    std::string SaveFileDialog(const FileDialogOptions& options) override;

    // The printer-memory dialogs: each showing is recorded in events
    // ("dialog:StoreAs", "dialog:ObjList") and runs the
    // scripted user, who may read and set the engine's dialog data and call
    // back into the engine. The store-as dialog closes as the real one does
    // (StoreAsDialogClosed).
    std::function<void()> storeAsUser;
    std::function<void()> objectListUser;
    bool storeAsVisible = false;
    void ShowStoreAsDialog() override;
    bool IsStoreAsDialogVisible() const override { return storeAsVisible; }
    void ShowObjectListDialog() override;
    void CloseObjectListDialog() override;

    // Plays the user in the open-label browser (sets the hand-over values,
    // may preview); unset, the browser closes without a choice.
    std::function<void()> openLabelBrowser;
    int openLabelBrowserCalls = 0;
    void ShowOpenLabelBrowser() override;

    // Paths the open dialog answers with, in order; an empty queue cancels.
    std::deque<std::string> openFileChoices;
    std::vector<FileDialogOptions> openFileDialogs;
    std::string OpenFileDialog(const FileDialogOptions& options) override;

    // Letters the next font choice dialogs return; an empty queue cancels.
    std::deque<char> fontLetters;
    // The nameFieldShown argument of every font choice dialog.
    std::vector<bool> fontDialogs;
    char ShowFontsDialog(bool nameFieldShown) override;

    // The text of the only message box shown; fails the test otherwise.
    std::string OnlyMessage() const;

protected:
    void RunPendingMessages() override;
    void WaitRunningMessages(int ms) override;
};

}  // namespace zk::test
