#include "engine/report/reporting.h"

#include "engine/link/comm_link.h"
#include "engine/report/ui_services.h"

namespace zk {

std::uint8_t StatusBoxEnabled = 1;

std::uint8_t ShowMessageBox(const std::string& caption, const TReportText& text, bool yesNo)
{
    return Ui().ShowMessageBox(caption, text, yesNo);
}

void ShowCommunicating(const std::string& text)
{
    if (StatusBoxEnabled == 1) {
        Ui().ShowBusyWindow(text);
    } else {
        Ui().SetBusyText(text);
    }
}

void ReportNoResponse()
{
    if (CommLink.LinkError != 0) {
        Ui().ShowBusyError("Error", "No printer response");
        Ui().Beep();
    } else if (StatusBoxEnabled == 1) {
        Ui().CloseBusyWindow();
    }
}

void SetMessageBoxError(const std::string& caption, const TReportText& text)
{
    Ui().ShowBusyError(caption, text);
}

}  // namespace zk
