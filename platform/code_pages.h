#pragma once
// Single-byte code pages as Unicode tables, and the conversions the program
// needs between them: the printer's code page 437 and the dialogs' code page
// 1252, and 1252 to and from Unicode at the widget border.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zk::platform {

enum class CodePage : std::uint8_t {
    Cp437, Cp856, Cp866, Cp912, Cp775, Cp1250, Cp1251, Cp1252,
    Cp1257, Cp1253, Cp1254, Cp1255, Cp864, Cp860, Cp1256,
};
inline constexpr std::size_t CodePageCount = 15;

// Code points of the bytes 0x80..0xFF; 0 where the code page has no character.
using CodePageHalf = std::array<char32_t, 128>;
extern const std::array<CodePageHalf, CodePageCount> CodePageUpperHalves;

// The character of one byte (bytes below 0x80 are ASCII); 0 when undefined.
char32_t ToUnicode(CodePage page, std::uint8_t byte);
// The byte of a character in the code page, or fallback when it has none.
std::uint8_t FromUnicode(CodePage page, char32_t ch, std::uint8_t fallback = '?');

// The target bytes of the source bytes 0x80..0xFF.
using ByteTable = std::array<std::uint8_t, 128>;
extern const ByteTable Cp437ToCp1252Table;
extern const ByteTable Cp1252ToCp437Table;
// The 1252 bytes of the control codes 0x00..0x1F of 437: the character 437
// draws there where 1252 text is converted to that code (pilcrow and
// section sign), else the code itself.
using ControlTable = std::array<std::uint8_t, 32>;
extern const ControlTable Cp437ControlsToCp1252;

// Each byte of 0x80 or more replaced by its table entry, the others kept.
std::string ThroughTable(std::string_view text, const ByteTable& table);

// Code page 437 to 1252 and back, byte for byte, as an English-language
// desktop converts them: the same character where the other code page has
// it, else its best fit (an accented letter its base letter, box drawing
// '+', '-' or '|', other marks a look-alike), else '?'. The pilcrow and the
// section sign are at 437's control codes 0x14 and 0x15, where 437 draws
// them; the other bytes below 0x80 are kept.
std::string Cp437ToCp1252(std::string_view text);
std::string Cp1252ToCp437(std::string_view text);

// Code page 1252 bytes to and from UTF-8, for the widget border.
std::string Cp1252ToUtf8(std::string_view text);
std::string Utf8ToCp1252(std::string_view utf8);

}  // namespace zk::platform
