#include "tests/support/fake_ui_services.h"

#include <gtest/gtest.h>

#include "engine/memory/printer_dialogs.h"

namespace zk::test {

FakeUiServices::FakeUiServices() { SetUiServices(this); }

FakeUiServices::~FakeUiServices() { SetUiServices(nullptr); }

std::uint8_t FakeUiServices::ShowMessageBox(const std::string& caption, const TReportText& text, bool yesNo)
{
    messageBoxes.push_back({caption, text.Joined(), yesNo, text});
    if (answers.empty()) {
        return 0;
    }
    const std::uint8_t answer = answers.front();
    answers.pop_front();
    return answer;
}

void FakeUiServices::ShowBusyWindow(const std::string& text)
{
    busyVisible = true;
    busyText = text;
    events.push_back("busy:" + text);
}

void FakeUiServices::SetBusyText(const std::string& text)
{
    busyText = text;
    events.push_back("text:" + text);
}

void FakeUiServices::CloseBusyWindow()
{
    busyVisible = false;
    events.push_back("close");
}

void FakeUiServices::ShowBusyError(const std::string& caption, const TReportText& text)
{
    busyVisible = true;
    busyText = text.Joined();
    busyError = text;
    events.push_back("error:" + caption + ":" + busyText);
}

void FakeUiServices::Beep() { events.push_back("beep"); }

void FakeUiServices::RunPendingMessages()
{
    ++processMessagesCalls;
    if (onProcessMessages) {
        onProcessMessages();
    }
}

void FakeUiServices::WaitRunningMessages(int ms) { events.push_back("pause:" + std::to_string(ms)); }

std::string FakeUiServices::SaveFileDialog(const FileDialogOptions& options)
{
    saveFileDialogs.push_back(options);
    if (saveFileChoices.empty()) {
        return {};
    }
    std::string choice = saveFileChoices.front();
    saveFileChoices.pop_front();
    return choice;
}

void FakeUiServices::ShowStoreAsDialog()
{
    events.push_back("dialog:StoreAs");
    storeAsVisible = true;
    if (storeAsUser) {
        storeAsUser();
    }
    storeAsVisible = false;
    StoreAsDialogClosed();
}

void FakeUiServices::ShowObjectListDialog()
{
    events.push_back("dialog:ObjList");
    if (objectListUser) {
        objectListUser();
    }
}

void FakeUiServices::CloseObjectListDialog() { events.push_back("close:ObjList"); }

void FakeUiServices::ShowOpenLabelBrowser()
{
    ++openLabelBrowserCalls;
    if (openLabelBrowser) {
        openLabelBrowser();
    }
}

std::string FakeUiServices::OpenFileDialog(const FileDialogOptions& options)
{
    openFileDialogs.push_back(options);
    if (openFileChoices.empty()) {
        return {};
    }
    std::string choice = openFileChoices.front();
    openFileChoices.pop_front();
    return choice;
}

char FakeUiServices::ShowFontsDialog(bool nameFieldShown)
{
    fontDialogs.push_back(nameFieldShown);
    if (fontLetters.empty()) {
        return 0;
    }
    const char letter = fontLetters.front();
    fontLetters.pop_front();
    return letter;
}

std::string FakeUiServices::OnlyMessage() const
{
    EXPECT_EQ(messageBoxes.size(), 1u);
    return messageBoxes.empty() ? std::string() : messageBoxes.back().text;
}

}  // namespace zk::test
