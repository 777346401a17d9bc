#pragma once
// How the terminal shows the bytes the printer sends: in hexadecimal, or
// as text in which the bytes that are not text stand out as "[1B]".

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace zk {

// The terminal's three colours: the line sent (red), bytes shown as codes
// (green), received text (blue).
enum class TTerminalColour { Sent, Code, Text };

struct TTerminalPiece {
    TTerminalColour colour;
    std::string text;  // code page 1252

    bool operator==(const TTerminalPiece&) const = default;
};

// Hex mode: every byte as "%02X ". Text mode: CR and BEL are dropped, LF and
// bytes from 32 up are text, any other byte ends the text before it and is
// shown as "[%02X]".
std::vector<TTerminalPiece> FormatReceivedBytes(std::span<const std::uint8_t> bytes, bool hexMode);

}  // namespace zk
