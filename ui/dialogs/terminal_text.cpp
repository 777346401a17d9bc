#include "ui/dialogs/terminal_text.h"

#include <cstdio>

namespace zk {

namespace {

constexpr std::uint8_t Bell = 7;
constexpr std::uint8_t LineFeed = 10;
constexpr std::uint8_t CarriageReturn = 13;

std::string ByteCode(std::uint8_t byte, const char* format)
{
    char code[8];
    std::snprintf(code, sizeof code, format, static_cast<unsigned>(byte));
    return code;
}

}  // namespace

std::vector<TTerminalPiece> FormatReceivedBytes(std::span<const std::uint8_t> bytes, bool hexMode)
{
    std::vector<TTerminalPiece> pieces;
    if (bytes.empty()) {
        return pieces;
    }
    if (hexMode) {
        std::string hex;
        hex.reserve(bytes.size() * 3);
        for (std::uint8_t byte : bytes) {
            hex += ByteCode(byte, "%02X ");
        }
        pieces.push_back({TTerminalColour::Code, std::move(hex)});
        return pieces;
    }
    std::string text;
    for (std::uint8_t byte : bytes) {
        if (byte == CarriageReturn || byte == Bell) {
            continue;
        }
        if (byte == LineFeed || byte >= 0x20) {
            text.push_back(static_cast<char>(byte));
            continue;
        }
        if (!text.empty()) {
            pieces.push_back({TTerminalColour::Text, std::move(text)});
            text.clear();
        }
        pieces.push_back({TTerminalColour::Code, ByteCode(byte, "[%02X]")});
    }
    if (!text.empty()) {
        pieces.push_back({TTerminalColour::Text, std::move(text)});
    }
    return pieces;
}

}  // namespace zk
