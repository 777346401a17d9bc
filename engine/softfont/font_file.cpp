#include "engine/softfont/font_file.h"

#include <algorithm>
#include <string_view>

#include "engine/io/file_head.h"
#include "engine/report/reporting.h"

namespace zk {

namespace {

// ES, the quote, the letter and the closing quote.
constexpr std::size_t ES_COMMAND_LENGTH = 5;
constexpr std::size_t BLOCK_HEADER_LENGTH = 3;

}  // namespace

std::size_t FontHeaderLength(std::span<const std::uint8_t> head)
{
    const auto searched = head.first(std::min(head.size(), FontHeaderSearchLength));
    const auto nul = std::find(searched.begin(), searched.end(), std::uint8_t{0});
    const std::string_view text(reinterpret_cast<const char*>(searched.data()),
                                static_cast<std::size_t>(nul - searched.begin()));
    const std::size_t es = text.find("ES\"");
    if (text.find("EK\"") == std::string_view::npos || es == std::string_view::npos) {
        return 0;
    }
    return es + ES_COMMAND_LENGTH;
}

std::optional<TFontData> FontBlockFromBytes(std::span<const std::uint8_t> bytes)
{
    const std::size_t header = FontHeaderLength(bytes);
    const std::size_t length = bytes.size() > header ? bytes.size() - header : 0;
    if (length < BLOCK_HEADER_LENGTH || bytes[header + 1] != 0 || length > MaxFontDataLength) {
        return std::nullopt;
    }
    TFontData font;
    font.Bytes.assign(bytes.begin() + static_cast<std::ptrdiff_t>(header), bytes.end());
    return font;
}

std::optional<TFontData> ReadFontFile(const std::string& path)
{
    // Enough to tell a block one byte too long behind the longest header.
    const std::size_t limit = FontHeaderSearchLength + ES_COMMAND_LENGTH + MaxFontDataLength + 1;
    const auto head = ReadFileHead(path, limit);
    if (!head) {
        ShowMessageBox("Error", "Can't open input file");
        return std::nullopt;
    }
    auto font = FontBlockFromBytes(head->Bytes);
    if (!font) {
        ShowMessageBox("Error", "Invalid font file");
    }
    return font;
}

}  // namespace zk
