// Feeds arbitrary printer replies to the readers of stored forms (FI lines)
// and variables (VI lines), cut into lines as the link cuts them: neither
// may crash, read out of bounds or fill a field past its size.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/formread/receive_form.h"
#include "engine/formread/variable_reply.h"
#include "engine/model/figure_list.h"
#include "engine/model/label_model.h"

namespace {

// What the link makes of a line: control bytes dropped, at most limit characters.
std::string AsReceived(std::string_view raw, std::size_t limit)
{
    std::string line;
    for (const char c : raw) {
        if (static_cast<unsigned char>(c) >= 0x20 && line.size() < limit) {
            line.push_back(c);
        }
    }
    return line;
}

void CheckVariable(const zk::TVariable& record)
{
    if (record.Prompt.length() > 27 || record.Value.length() > 63) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    zk::GraphicsNameList = {"LOGO", "PICT0001"};
    zk::TLabelModel label;
    const std::string_view reply(reinterpret_cast<const char*>(data), size);
    std::size_t lines = 0;
    for (std::size_t start = 0; start <= reply.size();) {
        std::size_t end = reply.find('\n', start);
        if (end == std::string_view::npos) end = reply.size();
        const std::string_view raw = reply.substr(start, end - start);
        zk::ParseFormLine(AsReceived(raw, zk::LongestCommandLine), label);
        if (const auto read = zk::ReadVariableLine(AsReceived(raw, 126), true)) {
            if (read->Index >= (read->Counter ? zk::CounterCount : zk::VariableCount)) {
                std::abort();
            }
            CheckVariable(read->Record);
        }
        ++lines;
        start = end + 1;
    }
    if (zk::CountFigures(label.Figures) > lines) {
        std::abort();
    }
    for (const auto& record : label.Variables) CheckVariable(record);
    for (const auto& record : label.Counters) CheckVariable(record);
    return 0;
}
