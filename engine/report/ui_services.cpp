#include "engine/report/ui_services.h"

#include <chrono>
#include <thread>

#include "engine/link/exchange_guard.h"

namespace zk {

namespace {

// Answers every question with No and shows nothing: what a program without
// a user interface gets.
class SilentUiServices final : public UiServices {
public:
    std::uint8_t ShowMessageBox(const std::string&, const TReportText&, bool) override { return 0; }
    bool IsMessageBoxVisible() const override { return false; }
    void ShowBusyWindow(const std::string&) override {}
    void SetBusyText(const std::string&) override {}
    void CloseBusyWindow() override {}
    void ShowBusyError(const std::string&, const TReportText&) override {}
    void Beep() override {}

protected:
    void RunPendingMessages() override {}
    void WaitRunningMessages(int ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
};

SilentUiServices silentServices;
UiServices* currentServices = &silentServices;

}  // namespace

void UiServices::ProcessMessages()
{
    const TWindowMessagesScope messages;
    RunPendingMessages();
}

void UiServices::Pause(int ms)
{
    const TWindowMessagesScope messages;
    WaitRunningMessages(ms);
}

UiServices& Ui() { return *currentServices; }

void SetUiServices(UiServices* services)
{
    currentServices = services != nullptr ? services : &silentServices;
}

}  // namespace zk
