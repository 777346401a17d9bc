#include "engine/barcode/barcode_state.h"

#include <algorithm>
#include <cstring>

namespace zk {

std::array<std::uint8_t, ModuleArraySize> ModuleArray{};
std::int32_t ModuleArrayCount = 0;
TBarcodeText BarcodeText;
std::uint8_t BarcodeInvalid = 0;
std::uint8_t EanGroupKind = 0;
std::uint8_t AddOnDigits = 0;
char CheckDigitChar = '0';
std::int32_t BarcodeCheckSum = 0;

void TBarcodeText::assign(std::string_view text)
{
    m_length = std::min(text.size(), BarcodeTextCapacity);
    std::memcpy(m_bytes.data(), text.data(), m_length);
    m_bytes[m_length] = '\0';
}

void TBarcodeText::push_back(char c)
{
    if (m_length < BarcodeTextCapacity) {
        m_bytes[m_length++] = c;
        m_bytes[m_length] = '\0';
    }
}

void TBarcodeText::append(std::string_view text)
{
    for (char c : text) {
        push_back(c);
    }
}

void TBarcodeText::truncate(std::size_t length)
{
    m_length = std::min(length, m_length);
    m_bytes[m_length] = '\0';
}

void TBarcodeText::adoptNulTerminated()
{
    m_bytes[BarcodeTextCapacity] = '\0';
    m_length = std::strlen(m_bytes.data());
}

void ClearModules()
{
    ModuleArray.fill(0);
    ModuleArrayCount = 0;
}

namespace {

void AppendColumns(int n, std::uint8_t value)
{
    const int room = static_cast<int>(ModuleArraySize) - ModuleArrayCount;
    const int count = std::clamp(n, 0, room);
    std::fill_n(ModuleArray.begin() + ModuleArrayCount, count, value);
    ModuleArrayCount += count;
}

}  // namespace

void AppendBlack(int n)
{
    AppendColumns(n, 1);
}

void AppendWhite(int n)
{
    AppendColumns(n, 0);
}

void AppendPattern(std::uint32_t pattern, int bits, int width)
{
    for (int bit = bits - 1; bit >= 0; --bit) {
        AppendColumns(width, static_cast<std::uint8_t>((pattern >> bit) & 1U));
    }
}

void ResetBarcodeState()
{
    ClearModules();
    BarcodeText.clear();
    BarcodeInvalid = 0;
    EanGroupKind = 0;
    AddOnDigits = 0;
    CheckDigitChar = '0';
    BarcodeCheckSum = 0;
}

}  // namespace zk
