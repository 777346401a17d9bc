#include "engine/expr/data_expression.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <string>

#include "engine/expr/calendar.h"
#include "engine/expr/clock.h"
#include "engine/model/label_setup.h"

namespace zk {

std::uint8_t DataExpressionError = 0;
std::int32_t DataExpressionLength = 0;
TVariable ExpressionWorkVariable;

namespace {

constexpr int MaxVariableOffset = 10000;
constexpr int MaxDayOffset = 3600;
constexpr const char* MonthNames[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                      "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

// The character at i of a format field, NUL past its end.
char At(std::string_view text, std::size_t i) { return i < text.size() ? text[i] : '\0'; }

// A variable's value read as a number, as C atol reads it; a value beyond
// the 64-bit range reads as its bound.
std::int64_t NumericValue(const TVariable& variable)
{
    return std::strtoll(variable.Value.str().c_str(), nullptr, 10);
}

// value + offset, stopping at the 64-bit range's bound as the counters do.
std::int64_t SaturatingSum(std::int64_t value, std::int64_t offset)
{
    std::int64_t sum = 0;
    if (__builtin_add_overflow(value, offset, &sum)) {
        return offset < 0 ? std::numeric_limits<std::int64_t>::min() : std::numeric_limits<std::int64_t>::max();
    }
    return sum;
}

std::string TwoDigits(int value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d", value);
    return text;
}

// Reads the whole expression, so that a failure anywhere in it still fails,
// but keeps at most room characters of the result: once the room is full,
// fields are no longer built, only their syntax is checked. An expression of
// thousands of items thus costs what its text and the caller's room cost.
class Evaluator {
public:
    // stopWhenFull: the caller can't use a result longer than room, so the
    // evaluation ends at the first character that doesn't fit (TooLong()).
    Evaluator(std::string_view expr, bool allowDecimalEscapes, std::size_t room, bool stopWhenFull)
        : m_expr(expr.substr(0, std::min(expr.find('\0'), expr.size()))), m_decimalEscapes(allowDecimalEscapes),
          m_room(room), m_stopWhenFull(stopWhenFull)
    {
        m_result.reserve(std::min(room, m_expr.size()));
    }

    // The whole expression into m_result; false on any failure.
    bool Run()
    {
        while (!AtEnd()) {
            const char c = Peek();
            bool ok = false;
            if (c == '"') {
                ok = QuotedText();
            } else if (c == 'V' || c == 'C') {
                ok = VariableField() && Modifiers();
            } else if (c == 'T') {
                ok = ClockField() && Modifiers();
            }
            if (!ok) {
                return false;
            }
        }
        return true;
    }

    const std::string& Result() const { return m_result; }
    bool TooLong() const { return m_tooLong; }

private:
    bool AtEnd() const { return m_pos >= m_expr.size(); }
    // The room is full and nothing more can change the result but a failure:
    // fields need no longer be built. (A caller that stops at a result too
    // long needs them built, to know whether one still adds characters.)
    bool Skipping() const { return !m_stopWhenFull && m_result.size() >= m_room; }
    // An offset is a sign and at least one digit; a sign alone is not one.
    bool SignedNumberFollows() const { return (Peek() == '+' || Peek() == '-') && IsDigit(Peek(1)); }
    char Peek(std::size_t ahead = 0) const { return At(m_expr, m_pos + ahead); }
    std::string_view Rest() const { return m_expr.substr(std::min(m_pos, m_expr.size())); }

    bool QuotedText()
    {
        ++m_pos;  // the opening quote
        while (!AtEnd()) {
            char c = m_expr[m_pos++];
            if (c == '"') {
                return true;
            }
            if (c == '\\') {
                if (AtEnd()) {
                    return false;
                }
                if (m_decimalEscapes && IsDigit(Peek()) && IsDigit(Peek(1))) {
                    c = static_cast<char>(10 * (Peek() - '0') + (Peek(1) - '0'));
                    m_pos += 2;
                } else {
                    c = m_expr[m_pos++];
                }
            }
            if (!Append(std::string_view(&c, 1))) {
                return false;
            }
        }
        return false;
    }

    // "V" or "C", an index, an optional signed offset; builds the field.
    bool VariableField()
    {
        const bool counter = Peek() == 'C';
        ++m_pos;
        if (!IsDigit(Peek())) {
            return false;
        }
        std::uint16_t index = 0;
        m_pos += ParseUnsignedNumber(Rest(), index);
        const std::size_t limit = counter ? CounterCount : VariableCount;
        if (index >= limit) {
            return false;
        }
        std::int16_t offset = 0;
        const bool offsetGiven = SignedNumberFollows();
        if (offsetGiven) {
            m_pos += ParseSignedNumber(Rest(), offset);
            if (std::abs(offset) > MaxVariableOffset) {
                return false;
            }
        }
        if (Skipping()) {
            m_field.clear();
            return true;
        }
        const int key = static_cast<int>(counter ? VariableCount + index : index);
        if (!offsetGiven && m_lastVariable && m_lastVariable->key == key) {
            m_field = m_lastVariable->text;
            return true;
        }
        ExpressionWorkVariable = counter ? Counters[index] : Variables[index];
        TVariable& work = ExpressionWorkVariable;
        if (offsetGiven) {
            work.Value = std::to_string(SaturatingSum(NumericValue(work), offset));
        }

        const std::size_t length = work.Length;
        const std::string value(work.Value.view().substr(0, length));
        const std::size_t fill = length - value.size();
        m_field.assign(length, static_cast<char>(work.PadChar));
        switch (work.Justification) {
        case 0: m_field = value; break;
        case 1: m_field.replace(0, value.size(), value); break;
        case 2: m_field.replace(fill / 2, value.size(), value); break;
        case 3: m_field.replace(fill, value.size(), value); break;
        default: break;
        }
        if (!offsetGiven) {
            m_lastVariable = RepeatedField{key, m_field};
        }
        return true;
    }

    // "T" and a second letter: time, date or week.
    bool ClockField()
    {
        ++m_pos;
        const char kind = Upper(Peek());
        if (AtEnd() || (kind != 'T' && kind != 'D' && kind != 'W')) {
            return false;
        }
        ++m_pos;
        int offset = 0;
        if (kind != 'T' && !DayOffset(offset)) {
            return false;
        }
        if (Skipping()) {
            m_field.clear();
            return true;
        }
        m_field = ClockText(kind, offset);
        return true;
    }

    // The time, date or week text; the clock is read once per evaluation.
    const std::string& ClockText(char kind, int offset)
    {
        if (m_lastClock && m_lastClock->kind == kind && m_lastClock->offset == offset) {
            return m_lastClock->text;
        }
        if (!m_now) {
            m_now = ClockNow();
        }
        const TClockTime& now = *m_now;
        std::string text;
        if (kind == 'T') {
            text = TimeText(now);
        } else {
            const std::int64_t serial = DaySerial({now.Year, now.Month, now.Day}) + offset;
            text = kind == 'D' ? DateText(DateFromSerial(serial)) : WeekText(serial);
        }
        m_lastClock = ClockItem{kind, offset, std::move(text)};
        return m_lastClock->text;
    }

    // "+" or "-" and digits, or "+V" / "-V" and a variable index; none is 0.
    // A sign followed by anything else is left to the modifiers.
    bool DayOffset(int& offset)
    {
        offset = 0;
        if (Peek() != '+' && Peek() != '-') {
            return true;
        }
        const int sign = Peek() == '-' ? -1 : 1;
        if (Peek(1) == 'V') {
            m_pos += 2;
            if (!IsDigit(Peek())) {
                return false;
            }
            std::uint16_t index = 0;
            m_pos += ParseUnsignedNumber(Rest(), index);
            if (index >= VariableCount) {
                return false;
            }
            const std::int64_t days = NumericValue(Variables[index]);
            if (days > MaxDayOffset || days < -MaxDayOffset) {
                return false;
            }
            offset = sign * static_cast<int>(days);
            return true;
        }
        if (!SignedNumberFollows()) {
            return true;
        }
        std::int16_t days = 0;
        m_pos += ParseSignedNumber(Rest(), days);
        if (std::abs(days) > MaxDayOffset) {
            return false;
        }
        offset = days;
        return true;
    }

    static std::string TimeText(const TClockTime& now)
    {
        const std::string_view format = LabelSetup.TimeFormat.view();
        std::string text;
        for (std::size_t k = 0; k < 3; ++k) {
            const char letter = Upper(At(format, 2 * k));
            if (letter == '\0') {
                break;
            }
            switch (letter) {
            case 'H': text += TwoDigits(now.Hour); break;
            case 'M': text += TwoDigits(now.Minute); break;
            case 'S': text += TwoDigits(now.Second); break;
            default: text += "  "; break;
            }
            const char separator = At(format, 2 * k + 1);
            if (separator == '\0') {
                break;
            }
            text.push_back(separator);
        }
        return text;
    }

    static std::string DateText(const TCalendarDate& date)
    {
        const std::string_view format = LabelSetup.DateFormat.view();
        std::string text;
        for (std::size_t k = 0; k < 3; ++k) {
            const char letter = Upper(At(format, 3 * k));
            const char option = Upper(At(format, 3 * k + 1));
            if (letter == '\0') {
                break;
            }
            if (letter == 'D') {
                text += TwoDigits(date.Day);
            } else if (letter == 'M') {
                text += option == 'N' ? TwoDigits(date.Month) : MonthNames[date.Month - 1];
            } else if (letter == 'Y') {
                char year[16];
                std::snprintf(year, sizeof year, option == '2' ? "%02d" : "%04d",
                              option == '2' ? date.Year % 100 : date.Year);
                text += year;
            }
            const char separator = At(format, 3 * k + 2);
            if (separator == '\0') {
                break;
            }
            text.push_back(separator);
        }
        return text;
    }

    static std::string WeekText(std::int64_t serial)
    {
        const TCalendarDate date = DateFromSerial(serial);
        const std::int64_t januaryFirst = DaySerial({date.Year, 1, 1});
        const long long week = FloorDiv(serial, 7) - FloorDiv(januaryFirst, 7) + 5;
        char text[32];
        std::snprintf(text, sizeof text, "%02lld%01d0", week, IsoWeekday(serial));
        return text;
    }

    // Applies the modifiers that follow a field, then appends the field.
    bool Modifiers()
    {
        while (!AtEnd() && Peek() != '"' && Peek() != 'C' && Peek() != 'T' && Peek() != 'V') {
            const char modifier = m_expr[m_pos++];
            bool ok = true;
            switch (modifier) {
            case '#': StripLeadingZeros(); break;
            case '<': TrimLeading(TakeTrimCharacter()); break;
            case '>': TrimTrailing(TakeTrimCharacter()); break;
            case 'L': KeepFirst(TakeNumber()); break;
            case 'R': KeepLast(TakeNumber()); break;
            case 'M': ok = Middle(); break;
            case 'X': ok = Exchange(); break;
            default: ok = false; break;
            }
            if (!ok) {
                return false;
            }
        }
        return Append(m_field);
    }

    // Adds text to the result, cut to the room; false when the caller
    // stops at a result that doesn't fit and this one doesn't.
    bool Append(std::string_view text)
    {
        const std::size_t free = m_room - std::min(m_room, m_result.size());
        m_result.append(text.substr(0, free));
        if (m_stopWhenFull && text.size() > free) {
            m_tooLong = true;
            return false;
        }
        return true;
    }

    std::uint16_t TakeNumber()
    {
        std::uint16_t n = 0;
        m_pos += ParseUnsignedNumber(Rest(), n);
        return n;
    }

    // The character after "<" or ">", a space at the end of the expression.
    char TakeTrimCharacter() { return AtEnd() ? ' ' : m_expr[m_pos++]; }

    void StripLeadingZeros()
    {
        m_field.erase(0, std::min(m_field.find_first_not_of('0'), m_field.size()));
        if (m_field.empty() || m_field.front() == '.') {
            m_field.insert(m_field.begin(), '0');
        }
    }

    void TrimLeading(char c) { m_field.erase(0, std::min(m_field.find_first_not_of(c), m_field.size())); }

    void TrimTrailing(char c)
    {
        const std::size_t last = m_field.find_last_not_of(c);
        m_field.erase(last == std::string::npos ? 0 : last + 1);
    }

    void KeepFirst(std::size_t n) { m_field.resize(std::min(n, m_field.size())); }

    void KeepLast(std::size_t n)
    {
        if (m_field.size() > n) {
            m_field.erase(0, m_field.size() - n);
        }
    }

    // The position is compared with the length as written, before 0 counts
    // as 1: a position at the field's length empties it.
    bool Middle()
    {
        const std::size_t position = TakeNumber();
        if (Peek() != '.') {
            return false;
        }
        ++m_pos;
        const std::size_t count = std::max<std::size_t>(TakeNumber(), 1);
        const std::size_t start = std::max<std::size_t>(position, 1) - 1;
        m_field = position >= m_field.size() ? std::string() : m_field.substr(start, count);
        return true;
    }

    bool Exchange()
    {
        if (m_pos + 2 > m_expr.size()) {
            return false;
        }
        const char from = m_expr[m_pos];
        const char to = m_expr[m_pos + 1];
        m_pos += 2;
        std::replace(m_field.begin(), m_field.end(), from, to);
        return true;
    }

    std::string_view m_expr;
    bool m_decimalEscapes;
    std::size_t m_room;
    bool m_stopWhenFull;
    bool m_tooLong = false;
    std::size_t m_pos = 0;
    std::string m_result;
    std::string m_field;

    // The records don't change during an evaluation: an item that repeats
    // the item before it of its kind reuses the field that one built.
    struct RepeatedField {
        int key;
        std::string text;
    };
    struct ClockItem {
        char kind;
        int offset;
        std::string text;
    };
    std::optional<RepeatedField> m_lastVariable;
    std::optional<TClockTime> m_now;
    std::optional<ClockItem> m_lastClock;
};

// Copies text into out, cut to fit with its NUL; the length written.
std::size_t CopyBounded(std::span<char> out, std::string_view text)
{
    if (out.empty()) {
        return 0;
    }
    const std::size_t length = std::min(text.size(), out.size() - 1);
    std::memcpy(out.data(), text.data(), length);
    out[length] = '\0';
    return length;
}

}  // namespace

std::size_t ParseUnsignedNumber(std::string_view text, std::uint16_t& value)
{
    std::uint32_t number = 0;
    std::size_t i = 0;
    while (i < text.size() && IsDigit(text[i])) {
        number = std::min<std::uint32_t>(number * 10 + static_cast<std::uint32_t>(text[i] - '0'), 65535);
        ++i;
    }
    value = static_cast<std::uint16_t>(number);
    return i;
}

std::size_t ParseSignedNumber(std::string_view text, std::int16_t& value)
{
    value = 0;
    std::size_t i = 0;
    const bool negative = At(text, 0) == '-';
    if (At(text, 0) == '+' || negative) {
        ++i;
    }
    std::int32_t magnitude = 0;
    while (i < text.size() && IsDigit(text[i])) {
        magnitude = std::min<std::int32_t>(magnitude * 10 + (text[i] - '0'), 32767);
        ++i;
    }
    value = static_cast<std::int16_t>(negative ? -magnitude : magnitude);
    return i;
}

namespace {

EvaluationOutcome Evaluate(std::span<char> out, std::string_view expr, bool allowDecimalEscapes, bool stopWhenFull)
{
    Evaluator evaluator(expr, allowDecimalEscapes, out.empty() ? 0 : out.size() - 1, stopWhenFull);
    const bool done = evaluator.Run();
    if (!done && !evaluator.TooLong()) {
        CopyBounded(out, DataExpressionFailureText);
        DataExpressionError = 1;
        return EvaluationOutcome::Failed;
    }
    DataExpressionError = 0;
    DataExpressionLength = static_cast<std::int32_t>(CopyBounded(out, evaluator.Result()));
    return done ? EvaluationOutcome::Done : EvaluationOutcome::TooLong;
}

}  // namespace

int EvaluateDataExpression(std::span<char> out, std::string_view expr, bool allowDecimalEscapes)
{
    return Evaluate(out, expr, allowDecimalEscapes, false) == EvaluationOutcome::Done ? 1 : 0;
}

EvaluationOutcome EvaluateDataExpressionWithin(std::span<char> out, std::string_view expr, bool allowDecimalEscapes)
{
    return Evaluate(out, expr, allowDecimalEscapes, true);
}

void ResetDataExpressionState()
{
    DataExpressionError = 0;
    DataExpressionLength = 0;
    ExpressionWorkVariable = TVariable{};
    SetClockNow(std::nullopt);
}

}  // namespace zk
