#include "tests/support/fake_ui_services.h"

#include <gtest/gtest.h>

namespace zk::test {

FakeUiServices::FakeUiServices() { SetUiServices(this); }

FakeUiServices::~FakeUiServices() { SetUiServices(nullptr); }

std::uint8_t FakeUiServices::ShowMessageBox(const std::string& caption, const std::string& text, bool yesNo)
{
    messageBoxes.push_back({caption, text, yesNo});
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

void FakeUiServices::ShowBusyError(const std::string& caption, const std::string& text)
{
    busyVisible = true;
    busyText = text;
    events.push_back("error:" + caption + ":" + text);
}

void FakeUiServices::Beep() { events.push_back("beep"); }

void FakeUiServices::ProcessMessages() { ++processMessagesCalls; }

void FakeUiServices::Pause(int ms) { events.push_back("pause:" + std::to_string(ms)); }

namespace {

std::optional<std::string> NextFileAnswer(std::deque<std::optional<std::string>>& answers)
{
    if (answers.empty()) {
        return std::nullopt;
    }
    auto answer = answers.front();
    answers.pop_front();
    return answer;
}

}  // namespace

std::optional<std::string> FakeUiServices::ChooseOpenFile(const std::string& title, const std::string& filter,
                                                          const std::string& defaultExt, const std::string& initialDir)
{
    fileDialogs.push_back({false, title, filter, defaultExt, initialDir});
    return NextFileAnswer(fileAnswers);
}

std::optional<std::string> FakeUiServices::ChooseSaveFile(const std::string& title, const std::string& filter,
                                                          const std::string& defaultExt, const std::string& initialDir)
{
    fileDialogs.push_back({true, title, filter, defaultExt, initialDir});
    return NextFileAnswer(fileAnswers);
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
