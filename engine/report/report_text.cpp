#include "engine/report/report_text.h"

#include <utility>

namespace zk {

TReportText::TReportText(std::string text)
{
    if (!text.empty()) {
        m_parts.push_back({Kind::Text, std::move(text)});
    }
}

TReportText::TReportText(const char* text) : TReportText(std::string(text != nullptr ? text : "")) {}

TReportText& TReportText::Text(std::string_view text)
{
    m_parts.push_back({Kind::Text, std::string(text)});
    return *this;
}

TReportText& TReportText::FileName(std::string_view path)
{
    m_parts.push_back({Kind::FileName, std::string(path)});
    return *this;
}

std::string TReportText::Joined() const
{
    std::string joined;
    for (const Part& part : m_parts) {
        joined += part.bytes;
    }
    return joined;
}

}  // namespace zk
