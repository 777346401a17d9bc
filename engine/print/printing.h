#pragma once
// Test printing, storing the label as a form in the printer and the short
// print commands, over the serial link. Every operation opens the port
// itself and stops at the first refused byte (WriteAborted).

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace zk {

// Sends the label as a print stream and prints Settings.PrintCopies copies;
// on success the port is closed, the exchange reported, the counters
// advanced by one step and the label redrawn. After a refused byte
// (WriteAborted) it returns false at once, the port still open and the busy
// window up: the caller, which holds an exchange guard of its own, closes
// and reports. False when nothing was printed.
bool PrintLabel();

// Stores the label in the printer as form name with its pictures and soft
// fonts, then selects it. Leaves StatusBoxEnabled at 0 and the report to
// the caller, which also restores StatusBoxEnabled; the port is closed.
void StoreCurrentForm(const std::string& name);

// The definition lines of the defined variables and counters, escaped as
// the print and store streams want them.
void SendVarCntDefinitions();

// Sends the bytes one by one; false at the first refused byte.
bool SendRawBytes(std::span<const std::uint8_t> bytes);
bool SendRawBytes(std::string_view bytes);

// Selects formName and prints Settings.PrintSets sets of
// Settings.PrintCopies copies; the caller reports and advances the
// counters. False when a byte was refused.
bool PrintStoredForm(const std::string& formName);

// Resumes an interrupted print and reports.
void ContinuePrint();

// Advances every defined counter by labels times its step.
void IncrementCounters(std::int64_t labels);

// Sends one byte of a picture row with the bits beyond width whitened.
bool SendPictureByte(std::uint8_t byte, int width, int byteIndex);

// The direct-graphics hand-off of the text renderer: sends one glyph block
// of the glyph render buffer as raw graphics. Nothing once a byte of the
// stream was refused.
void SendGlyphGraphics(int x, int y, int bytesPerRow, int rows, int vMult);

// A 1-bit bitmap, rows top first, each scan line BytesPerScanLine bytes.
struct TMonoBitmapView {
    int Width = 0;
    int Height = 0;
    std::size_t BytesPerScanLine = 0;
    std::span<const std::uint8_t> Bits;
};

// Prints the bitmap as one raw graphic on a label of its size. False when
// a byte was refused or the bitmap's bytes do not cover its rows.
bool TestPrintBitmap(const TMonoBitmapView& bitmap);

}  // namespace zk
