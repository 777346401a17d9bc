#pragma once
// The barcode encoder's process-wide results: the row of dot columns of the
// last symbol, its completed data text and the flags the figure drawer reads
// for the human-readable line and the invalid-data cross.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zk {

inline constexpr std::size_t ModuleArraySize = 2048;
inline constexpr std::size_t BarcodeTextCapacity = 100;

// The evaluated and completed data of the last barcode: at most
// BarcodeTextCapacity bytes, always NUL-terminated. Every write is bounded.
class TBarcodeText {
public:
    std::string_view view() const { return {m_bytes.data(), m_length}; }
    std::size_t size() const { return m_length; }
    bool empty() const { return m_length == 0; }
    char operator[](std::size_t i) const { return m_bytes[i]; }
    void set(std::size_t i, char c) { m_bytes[i] = c; }

    void assign(std::string_view text);
    void push_back(char c);
    void append(std::string_view text);
    void truncate(std::size_t length);
    void clear() { truncate(0); }

    // The whole field, for the evaluator to write into.
    std::array<char, BarcodeTextCapacity + 1>& bytes() { return m_bytes; }
    // Takes the length from the NUL the evaluator wrote.
    void adoptNulTerminated();

private:
    std::array<char, BarcodeTextCapacity + 1> m_bytes{};
    std::size_t m_length = 0;
};

// One byte per dot column, 1 = black, 0 = white.
extern std::array<std::uint8_t, ModuleArraySize> ModuleArray;
// Columns written to ModuleArray by the last encoding.
extern std::int32_t ModuleArrayCount;
extern TBarcodeText BarcodeText;
// Set when the data had to be replaced or repaired.
extern std::uint8_t BarcodeInvalid;
// 0 for non-EAN/UPC symbols, 4 EAN-8, 6 EAN-13 and UPC-A, 7 UPC-E.
extern std::uint8_t EanGroupKind;
// 0, 2 or 5: the add-on digits at the end of BarcodeText.
extern std::uint8_t AddOnDigits;
// The EAN/UPC check digit as a character.
extern char CheckDigitChar;
// Work value of the last check sum computed.
extern std::int32_t BarcodeCheckSum;

// Empties the module array (count 0, every column white).
void ClearModules();
// Append n black or white columns; columns past the array's end are dropped,
// n <= 0 appends nothing.
void AppendBlack(int n);
void AppendWhite(int n);
// Appends the low `bits` bits of pattern, most significant first, each bit
// `width` columns wide (1 black, 0 white).
void AppendPattern(std::uint32_t pattern, int bits, int width);

void ResetBarcodeState();

}  // namespace zk
