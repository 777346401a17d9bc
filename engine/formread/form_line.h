#pragma once
// Reading one line of a stored form (the printer's FI listing) back into
// the label: a figure, a variable or counter definition, or a label setup
// value. ReadFormLine is pure: it says what the line changes;
// ApplyFormLineChange makes the change. A line that does not read cleanly,
// or holds a value out of its range, changes nothing.

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "engine/model/figures.h"
#include "engine/model/label_model.h"
#include "engine/model/variables.h"

namespace zk {

// A V or C definition line; the value comes later from the VI reply.
struct TVarCntDefinition {
    bool Counter = false;
    std::size_t Index = 0;
    TVariable Record;  // Defined, Length, Justification, PadChar, Step, Prompt
};

enum class TSetupField : std::uint8_t { Darkness, Language, Speed, LabelWidth, Orientation, NormalSpacing };

struct TSetupValue {
    TSetupField Field;
    std::int32_t Value = 0;
};

struct TSetupFormat {
    bool Time = false;  // false: DateFormat
    std::string Format;
};

// The Q line: length, gap, offset and the paper type.
struct TLabelSize {
    std::int32_t Length = 0;
    std::int32_t Gap = 0;
    std::int32_t Offset = 0;
    std::int32_t PaperType = 0;
};

using TFormLineChange =
    std::variant<std::monostate, TFigurePayload, TVarCntDefinition, TSetupValue, TSetupFormat, TLabelSize>;

// graphicsNames: the printer's graphics names in upper case; a picture line
// naming anything else changes nothing.
TFormLineChange ReadFormLine(std::string_view line, const std::vector<std::string>& graphicsNames);

// Appends the figure, stores the definition into the model's variables or
// counters, or sets the model's setup value.
void ApplyFormLineChange(const TFormLineChange& change, TLabelModel& label);

}  // namespace zk
