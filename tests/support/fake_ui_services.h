#pragma once
// A scripted stand-in for the editor's user interface: it records every call
// the engine makes and answers every question from a queue.

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "engine/report/ui_services.h"

namespace zk::test {

class FakeUiServices : public UiServices {
public:
    struct MessageBoxCall {
        std::string caption;
        std::string text;
        bool yesNo;
    };

    FakeUiServices();
    ~FakeUiServices() override;  // uninstalls itself

    // Answers for the next questions, in order; an empty queue answers 0 (No).
    std::deque<std::uint8_t> answers;

    struct FileDialogCall {
        bool save;
        std::string title;
        std::string filter;
        std::string defaultExt;
        std::string initialDir;
    };
    // Paths the next file dialogs return, in order; an empty queue cancels.
    std::deque<std::optional<std::string>> fileAnswers;
    std::vector<FileDialogCall> fileDialogs;
    // Letters the next font choice dialogs return; an empty queue cancels.
    std::deque<char> fontLetters;
    // The nameFieldShown argument of every font choice dialog.
    std::vector<bool> fontDialogs;

    std::vector<MessageBoxCall> messageBoxes;
    // Every busy-window, beep and pause call as one line, e.g. "busy:Printing".
    std::vector<std::string> events;
    bool busyVisible = false;
    std::string busyText;
    int processMessagesCalls = 0;

    std::uint8_t ShowMessageBox(const std::string& caption, const std::string& text, bool yesNo) override;
    bool IsMessageBoxVisible() const override { return busyVisible; }
    void ShowBusyWindow(const std::string& text) override;
    void SetBusyText(const std::string& text) override;
    void CloseBusyWindow() override;
    void ShowBusyError(const std::string& caption, const std::string& text) override;
    void Beep() override;
    void ProcessMessages() override;
    void Pause(int ms) override;
    std::optional<std::string> ChooseOpenFile(const std::string& title, const std::string& filter,
                                              const std::string& defaultExt, const std::string& initialDir) override;
    std::optional<std::string> ChooseSaveFile(const std::string& title, const std::string& filter,
                                              const std::string& defaultExt, const std::string& initialDir) override;
    char ShowFontsDialog(bool nameFieldShown) override;

    // The text of the only message box shown; fails the test otherwise.
    std::string OnlyMessage() const;
};

}  // namespace zk::test
