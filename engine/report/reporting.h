#pragma once
// The engine's reporting operations over UiServices.

#include <cstdint>
#include <string>

#include "engine/report/report_text.h"

namespace zk {

// 1 = ShowCommunicating shows the busy window and ReportNoResponse closes
// it; exchanges that chain several steps clear it after their first status
// text and set it again before their final report.
extern std::uint8_t StatusBoxEnabled;

std::uint8_t ShowMessageBox(const std::string& caption, const TReportText& text, bool yesNo = false);
void ShowCommunicating(const std::string& text);
// Ends an exchange: "No printer response" when the link failed, else closes
// the busy window when StatusBoxEnabled.
void ReportNoResponse();
void SetMessageBoxError(const std::string& caption, const TReportText& text);

}  // namespace zk
