#include "engine/pdf417/pdf417_compaction.h"

#include <algorithm>
#include <string_view>

namespace zk {
namespace {

// Mode latch and shift codewords (ISO/IEC 15438, 5.4.1).
constexpr int TEXT_LATCH = 900;
constexpr int BYTE_LATCH = 901;
constexpr int NUMERIC_LATCH = 902;
constexpr int BYTE_SHIFT = 913;
constexpr int BYTE_LATCH_6 = 924;

// Text compaction sub-modes as a bit set.
enum SubMode : std::uint8_t { PUNCT = 1, MIXED = 2, LOWER = 4, ALPHA = 8 };

// Text compaction sub-mode tables of ISO/IEC 15438 (5.4.2): the characters of
// each sub-mode in value order, from value 0. Values 25..29 of the sub-modes
// are latches and shifts, apart from the space (26 in alpha, lower and mixed).
constexpr std::string_view ALPHA_CHARS = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr std::string_view LOWER_CHARS = "abcdefghijklmnopqrstuvwxyz";
constexpr std::string_view MIXED_CHARS = "0123456789&\r\t,:#-.$/+%*=^";
constexpr std::string_view PUNCT_CHARS = ";<>@[\\]_`~!\r\t,:\n-.$/\"|*()?{}'";
constexpr int SPACE_VALUE = 26;
static_assert(ALPHA_CHARS.size() == 26 && LOWER_CHARS.size() == 26);
static_assert(MIXED_CHARS.size() == 25 && PUNCT_CHARS.size() == 29);

struct TTextChar {
    std::uint8_t Value = 0;
    std::uint8_t SubModes = 0;  // 0: text compaction cannot encode it
};

constexpr auto BuildTextTable()
{
    std::array<TTextChar, 128> table{};
    const auto add = [&table](std::string_view chars, SubMode mode) {
        for (std::size_t v = 0; v < chars.size(); ++v) {
            TTextChar& entry = table[static_cast<unsigned char>(chars[v])];
            // A character in two sub-modes has the same value in both.
            entry.Value = static_cast<std::uint8_t>(v);
            entry.SubModes |= mode;
        }
    };
    add(ALPHA_CHARS, ALPHA);
    add(LOWER_CHARS, LOWER);
    add(MIXED_CHARS, MIXED);
    add(PUNCT_CHARS, PUNCT);
    table[' '] = {SPACE_VALUE, ALPHA | LOWER | MIXED};
    return table;
}

constexpr auto TEXT_TABLE = BuildTextTable();

TTextChar TextChar(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte < TEXT_TABLE.size() ? TEXT_TABLE[byte] : TTextChar{};
}

bool IsText(char c) { return TextChar(c).SubModes != 0; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

enum class Mode { Text, Numeric, Byte };

struct TCompactor {
    std::string_view Data;
    TPdf417Codewords& Out;
    std::size_t Pos = 0;    // read position
    std::size_t Start = 0;  // first pending character of the current mode
    std::uint8_t Sub = ALPHA;
    int Half = -1;  // pending first value of a text pair

    std::size_t Pending() const { return Pos - Start; }

    template <typename Pred>
    std::size_t RunFrom(std::size_t i, Pred pred) const
    {
        std::size_t end = i;
        while (end < Data.size() && pred(Data[end])) ++end;
        return end - i;
    }
    std::size_t DigitRun() const { return RunFrom(Pos, IsDigit); }
    std::size_t TextRun() const { return RunFrom(Pos, IsText); }
    std::size_t NonTextRun() const { return RunFrom(Pos, [](char c) { return !IsText(c); }); }

    void PushText(int value)
    {
        if (Half < 0) {
            Half = value;
        } else {
            Out.Append(30 * Half + value);
            Half = -1;
        }
    }
};

// Characters Start .. Start + count - 1 in byte compaction.
void Pdf417ByteCompaction(TCompactor& c, std::size_t count)
{
    if (count == 0) return;
    c.Out.Append(count % 6 == 0 ? BYTE_LATCH_6 : BYTE_LATCH);
    std::size_t i = c.Start;
    const std::size_t end = c.Start + count;
    for (; end - i >= 6; i += 6) {
        std::uint64_t value = 0;
        for (std::size_t k = 0; k < 6; ++k) value = (value << 8) | static_cast<unsigned char>(c.Data[i + k]);
        std::array<int, 5> digits{};
        for (int k = 4; k >= 0; --k) {
            digits[static_cast<std::size_t>(k)] = static_cast<int>(value % 900);
            value /= 900;
        }
        for (int d : digits) c.Out.Append(d);
    }
    for (; i < end; ++i) c.Out.Append(static_cast<unsigned char>(c.Data[i]));
}

// Digits Start .. Start + count - 1 in numeric compaction: groups of up to 44
// digits, each read as the number "1" followed by the group, in base 900.
void Pdf417NumericCompaction(TCompactor& c, std::size_t count)
{
    if (count == 0) return;
    c.Out.Append(NUMERIC_LATCH);
    for (std::size_t done = 0; done < count;) {
        const std::size_t group = std::min<std::size_t>(44, count - done);
        std::array<std::uint8_t, 45> number{};  // decimal digits, most significant first
        std::size_t length = 0;
        number[length++] = 1;
        for (std::size_t k = 0; k < group; ++k) {
            number[length++] = static_cast<std::uint8_t>(c.Data[c.Start + done + k] - '0');
        }
        std::array<int, 16> base900{};  // least significant first; 10^45 < 900^16
        std::size_t produced = 0;
        std::size_t first = 0;  // first non-zero digit of number
        while (first < length) {
            int remainder = 0;
            for (std::size_t k = first; k < length; ++k) {
                const int current = remainder * 10 + number[k];
                number[k] = static_cast<std::uint8_t>(current / 900);
                remainder = current % 900;
            }
            base900[produced++] = remainder;
            while (first < length && number[first] == 0) ++first;
        }
        while (produced > 0) c.Out.Append(base900[--produced]);
        done += group;
    }
}

// Characters Start .. Start + count - 1 in text compaction, continuing from
// the current sub-mode.
void Pdf417TextCompaction(TCompactor& c, std::size_t count)
{
    if (count == 0) return;
    const std::size_t end = c.Start + count;
    for (std::size_t i = c.Start; i < end; ++i) {
        const TTextChar ch = TextChar(c.Data[i]);
        if ((ch.SubModes & c.Sub) == 0) {
            const std::uint8_t next = i + 1 < end ? TextChar(c.Data[i + 1]).SubModes : 0;
            switch (c.Sub) {
            case ALPHA:
                if (ch.SubModes & MIXED) {
                    c.PushText(28);
                    c.Sub = MIXED;
                } else if ((ch.SubModes & PUNCT) && (next & PUNCT)) {
                    c.PushText(28);
                    c.PushText(25);
                    c.Sub = PUNCT;
                } else if (ch.SubModes & PUNCT) {
                    c.PushText(29);
                } else {
                    c.PushText(27);
                    c.Sub = LOWER;
                }
                break;
            case LOWER:
                if ((ch.SubModes & ALPHA) && (next & ALPHA)) {
                    c.PushText(28);
                    c.PushText(28);
                    c.Sub = ALPHA;
                } else if (ch.SubModes & ALPHA) {
                    c.PushText(27);
                } else if (ch.SubModes & MIXED) {
                    c.PushText(28);
                    c.Sub = MIXED;
                } else if ((ch.SubModes & PUNCT) && (next & PUNCT)) {
                    c.PushText(28);
                    c.PushText(25);
                    c.Sub = PUNCT;
                } else {
                    c.PushText(29);
                }
                break;
            case MIXED:
                if (ch.SubModes & ALPHA) {
                    c.PushText(28);
                    c.Sub = ALPHA;
                } else if (ch.SubModes & LOWER) {
                    c.PushText(27);
                    c.Sub = LOWER;
                } else if (next & PUNCT) {
                    c.PushText(25);
                    c.Sub = PUNCT;
                } else {
                    c.PushText(29);
                }
                break;
            default:  // PUNCT
                c.PushText(29);
                if (ch.SubModes & ALPHA) {
                    c.Sub = ALPHA;
                } else if (ch.SubModes & LOWER) {
                    c.PushText(27);
                    c.Sub = LOWER;
                } else {
                    c.PushText(28);
                    c.Sub = MIXED;
                }
                break;
            }
        }
        c.PushText(ch.Value);
    }
    if (c.Half >= 0) {
        // The pad 29 is a punctuation shift in alpha, lower and mixed, which a
        // following byte shift or latch cancels, but an alpha latch in
        // punctuation: the reader then continues in alpha, and so must we.
        c.PushText(29);
        if (c.Sub == PUNCT) c.Sub = ALPHA;
    }
}

}  // namespace

void Pdf417Compact(std::string_view data, bool byteOnly, TPdf417Codewords& codewords)
{
    TCompactor c{data, codewords};
    if (byteOnly) {
        Pdf417ByteCompaction(c, data.size());
        return;
    }
    Mode mode = Mode::Text;
    const auto flush = [&c, &mode] {
        if (mode == Mode::Text) {
            Pdf417TextCompaction(c, c.Pending());
        } else if (mode == Mode::Byte) {
            Pdf417ByteCompaction(c, c.Pending());
        }
        c.Start = c.Pos;
    };
    while (c.Pos < data.size() && !codewords.Overflow) {
        switch (mode) {
        case Mode::Text:
            if (c.DigitRun() >= 10) {
                flush();
                mode = Mode::Numeric;
            } else if (const std::size_t others = c.NonTextRun(); others == 0) {
                ++c.Pos;
            } else if (others == 1) {
                flush();
                codewords.Append(BYTE_SHIFT);
                codewords.Append(static_cast<unsigned char>(data[c.Pos]));
                c.Start = ++c.Pos;
            } else {
                flush();
                mode = Mode::Byte;
            }
            break;
        case Mode::Numeric:
            c.Pos += c.DigitRun();
            Pdf417NumericCompaction(c, c.Pending());
            c.Start = c.Pos;
            if (c.TextRun() < 2) {
                mode = Mode::Byte;
            } else {
                codewords.Append(TEXT_LATCH);
                mode = Mode::Text;
                c.Sub = ALPHA;
            }
            break;
        case Mode::Byte:
            c.Sub = ALPHA;
            if (c.DigitRun() >= 4) {
                flush();
                mode = Mode::Numeric;
            } else if (c.TextRun() < 4) {
                ++c.Pos;
            } else {
                flush();
                codewords.Append(TEXT_LATCH);
                mode = Mode::Text;
            }
            break;
        }
    }
    flush();
}

}  // namespace zk
