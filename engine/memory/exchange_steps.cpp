#include "engine/memory/exchange_steps.h"

#include <filesystem>

#include "engine/expr/data_expression.h"
#include "engine/link/comm_link.h"
#include "engine/link/serial_link.h"
#include "engine/report/reporting.h"
#include "engine/report/ui_services.h"

namespace zk {

unsigned LeadingNumber(std::string_view text)
{
    std::uint16_t value = 0;
    ParseUnsignedNumber(text, value);
    return value;
}

bool ReceiveCount(unsigned& count)
{
    std::string line;
    ReceiveLineDroppingRest(line, CountLineSize);
    count = 0;
    if (CommLink.LinkError != 0) {
        return false;
    }
    count = LeadingNumber(line);
    return true;
}

bool ReceiveNames(unsigned count, std::size_t lineSize, const std::function<void(std::string)>& add)
{
    std::string line;
    for (unsigned i = 0; i < count; ++i) {
        ReceiveLineDroppingRest(line, lineSize);
        if (CommLink.LinkError != 0) {
            return false;
        }
        // A name cut to the line's size would name another object, or none.
        if (CommLink.LineTooLong == 0) {
            add(line);
        }
    }
    return true;
}

bool ReceiveNameList(std::size_t lineSize, const std::function<void(std::string)>& add)
{
    unsigned count = 0;
    return ReceiveCount(count) && ReceiveNames(count, lineSize, add);
}

void AbandonExchange(bool statusShown)
{
    ClosePort();
    if (statusShown) {
        ReportNoResponse();
    }
}

void ReportCantOpenOutputFile()
{
    constexpr const char* caption = "Error";
    constexpr const char* text = "Can't open output file";
    if (Ui().IsMessageBoxVisible()) {
        SetMessageBoxError(caption, text);
    } else {
        ShowMessageBox(caption, text, false);
    }
}

bool FileExists(const std::string& path)
{
    std::error_code error;
    return std::filesystem::exists(path, error);
}

std::string FolderOf(const std::string& path)
{
    std::string folder = std::filesystem::path(path).parent_path().string();
    if (folder.empty() || folder.back() != '/') {
        folder.push_back('/');
    }
    return folder;
}

}  // namespace zk
