#pragma once
// The label file (*.zlb): a 64-byte header of big-endian numbers, then
// records of a type byte, a big-endian 16-bit length and that many bytes
// (figure payloads in their little-endian stored form), some followed by
// the data block they own.

#include <cstddef>
#include <cstdint>

namespace zk {

inline constexpr std::size_t LabelMagicSize = 12;  // "ZK7300 FILE" and its NUL
inline constexpr std::size_t LabelHeaderSize = 64;

// Header offsets.
namespace LabelHeader {
inline constexpr std::size_t LabelWidth = 12;
inline constexpr std::size_t LabelLength = 14;
inline constexpr std::size_t LeftMargin = 16;
inline constexpr std::size_t TopMargin = 18;
inline constexpr std::size_t LabelOffset = 20;
inline constexpr std::size_t Flags = 22;  // bit 0 Orientation, bit 1 condensed text
inline constexpr std::size_t Darkness = 23;
inline constexpr std::size_t Speed = 24;
inline constexpr std::size_t Language = 25;
inline constexpr std::size_t LabelGap = 26;
inline constexpr std::size_t PaperType = 27;
inline constexpr std::size_t DateFormat = 32;
inline constexpr std::size_t TimeFormat = 48;
inline constexpr std::size_t FormatSize = 16;
}  // namespace LabelHeader

inline constexpr std::uint8_t LabelFlagOrientation = 0x01;
inline constexpr std::uint8_t LabelFlagCondensed = 0x02;

namespace LabelRecord {
inline constexpr std::uint8_t Variable = 'V';
inline constexpr std::uint8_t Counter = 'C';
inline constexpr std::uint8_t Text = 'A';
inline constexpr std::uint8_t Barcode = 'B';
inline constexpr std::uint8_t Bar = 'R';
inline constexpr std::uint8_t Line = 'L';
inline constexpr std::uint8_t Box = 'X';
inline constexpr std::uint8_t Picture = 'G';
inline constexpr std::uint8_t SoftFont = 'E';
inline constexpr std::uint8_t Pdf417 = 'b';
}  // namespace LabelRecord

// An index byte and the 96-byte variable.
inline constexpr std::size_t VariableRecordLength = 97;
// Fixed parts of the text and barcode records before their Data.
inline constexpr std::size_t TextRecordHead = 16;
inline constexpr std::size_t BarcodeRecordHead = 20;
inline constexpr std::size_t BarRecordLength = 10;
inline constexpr std::size_t LineRecordLength = 12;
inline constexpr std::size_t BoxRecordLength = 10;

// The most figures a label may hold, soft fonts counted. It is ten times
// what a busy label holds, and few enough that the costliest file the
// reader accepts (every figure as costly to draw as its kind can be, on the
// largest label) reads and draws in a fraction of a second, as the
// open-label browser does on the window's thread for each file selected
// (bench/label_file_limit_bench.cpp). The reader refuses a file with more,
// the writer refuses to save more, and a form read back from the printer
// with more is not loaded.
inline constexpr std::size_t MaxLabelFigures = 500;

// Soft fonts above the resident fonts 0..5 are stored 59 higher, and read
// back 59 lower from 64 on.
inline constexpr std::int16_t MaxResidentFont = 5;
inline constexpr std::int16_t SoftFontFileShift = 59;
inline constexpr std::int16_t FirstShiftedFont = 64;

}  // namespace zk
