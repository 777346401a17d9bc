#include "engine/formread/form_line.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "engine/barcode/barcode_types.h"
#include "engine/expr/data_expression.h"
#include "engine/formread/quoted_text.h"
#include "engine/model/figure_list.h"
#include "engine/model/label_setup.h"

namespace zk {

namespace {

// Limits of the figure fields, as the figure dialogs allow them.
constexpr int TextCoordinateLimit = 2047;
constexpr int CoordinateMin = -2046;
constexpr int CoordinateMax = 2047;
constexpr int MaxMultiplier = 8;
constexpr int MaxRotation = 3;
constexpr int MaxThickness = 80;
constexpr int MaxSize = 2047;
constexpr int MaxPromptLength = 26;
// The longest label a form line may give: the printer's limit, below the setup's.
constexpr int MaxFormLabelLength = 1650;
// A picture name the figure's Name field holds whole.
constexpr std::size_t MaxPictureNameLength = 15;

// Walks one line left to right; every reader stops at the first character
// it does not take.
class LineCursor {
public:
    explicit LineCursor(std::string_view line) : m_text(line) {}

    bool AtEnd() const { return m_pos >= m_text.size(); }
    char Peek() const { return AtEnd() ? '\0' : m_text[m_pos]; }
    std::string_view Rest() const { return m_text.substr(std::min(m_pos, m_text.size())); }
    void Skip(std::size_t count = 1) { m_pos = std::min(m_pos + count, m_text.size()); }

    bool Take(char c)
    {
        if (Peek() != c || AtEnd()) {
            return false;
        }
        ++m_pos;
        return true;
    }

    int Signed()
    {
        std::int16_t value = 0;
        m_pos += ParseSignedNumber(Rest(), value);
        return value;
    }

    int Unsigned()
    {
        std::uint16_t value = 0;
        m_pos += ParseUnsignedNumber(Rest(), value);
        return value;
    }

    // A signed number followed by separator (none: the line's end) within lo..hi.
    std::optional<int> SignedField(int lo, int hi, char separator = ',')
    {
        const int value = Signed();
        if (!EndField(separator) || value < lo || value > hi) {
            return std::nullopt;
        }
        return value;
    }

    std::optional<int> UnsignedField(int hi, char separator = ',') { return UnsignedInRange(0, hi, separator); }

    std::optional<int> UnsignedInRange(int lo, int hi, char separator)
    {
        const int value = Unsigned();
        if (!EndField(separator) || value < lo || value > hi) {
            return std::nullopt;
        }
        return value;
    }

    // The characters up to the next separator, which is taken too.
    std::optional<std::string_view> Token(char separator)
    {
        const std::string_view rest = Rest();
        const std::size_t end = rest.find(separator);
        if (end == std::string_view::npos) {
            return std::nullopt;
        }
        m_pos += end + 1;
        return rest.substr(0, end);
    }

    // A quoted string that ends the line.
    std::optional<std::string> QuotedToEnd()
    {
        std::string text;
        const auto end = ReadQuotedString(Rest(), text);
        if (!end || *end != Rest().size()) {
            return std::nullopt;
        }
        m_pos = m_text.size();
        return text;
    }

private:
    bool EndField(char separator) { return separator == '\0' ? AtEnd() : Take(separator); }

    std::string_view m_text;
    std::size_t m_pos = 0;
};

// Reads one field into var; a field that does not read cleanly skips the
// whole line.
#define FIELD(var, expr)   \
    const auto var = expr; \
    if (!var) return {}

std::optional<int> IndexOf(std::string_view letters, char c)
{
    const std::size_t at = letters.find(c);
    if (c == '\0' || at == std::string_view::npos) {
        return std::nullopt;
    }
    return static_cast<int>(at);
}

TFormLineChange ReadText(LineCursor in)
{
    TTextFigure text;
    FIELD(x, in.SignedField(-TextCoordinateLimit, TextCoordinateLimit));
    FIELD(y, in.SignedField(-TextCoordinateLimit, TextCoordinateLimit));
    FIELD(rotation, in.UnsignedField(MaxRotation));
    const char font = in.Peek();
    if (std::isalpha(static_cast<unsigned char>(font)) != 0) {
        // A soft font's letter; ReceiveForm turns it into the font's number.
        text.Font = static_cast<std::int16_t>(std::toupper(static_cast<unsigned char>(font)));
    } else if (font >= '0' && font <= '5') {
        text.Font = static_cast<std::int16_t>(font - '0');
    } else {
        return {};
    }
    in.Skip();
    std::uint16_t attributes = 0;
    if (in.Take('*')) {
        attributes |= TextAttr::UseEnglish;
    }
    if (!in.Take(',')) {
        return {};
    }
    FIELD(hMult, in.SignedField(1, MaxMultiplier));
    FIELD(vMult, in.SignedField(1, MaxMultiplier));
    FIELD(style, IndexOf("NRBW", in.Peek()));
    in.Skip();
    if (!in.Take(',')) {
        return {};
    }
    if (in.Take('*')) {
        attributes |= TextAttr::ReverseDirection;
    }
    text.X = static_cast<std::int16_t>(*x);
    text.Y = static_cast<std::int16_t>(*y);
    text.Rotation = static_cast<std::int16_t>(*rotation);
    text.HMult = static_cast<std::int16_t>(*hMult);
    text.VMult = static_cast<std::int16_t>(*vMult);
    text.Attributes = static_cast<std::uint16_t>(attributes | *style);
    text.Data = in.Rest();
    return TFigurePayload{text};
}

std::optional<int> BarcodeTypeOf(std::string_view code)
{
    for (int type = 0; type < BarcodeTypeCount; ++type) {
        if (BarcodeTypes[static_cast<std::size_t>(type)].TypeCode == code) {
            return type;
        }
    }
    return std::nullopt;
}

std::optional<int> HumanReadableOf(std::string_view letters)
{
    if (letters == "N") return 0;
    if (letters == "B" || letters == "BL") return 1;
    if (letters == "BC") return 2;
    if (letters == "BR") return 3;
    return std::nullopt;
}

TFormLineChange ReadBarcode(LineCursor in)
{
    FIELD(x, in.SignedField(-TextCoordinateLimit, TextCoordinateLimit));
    FIELD(y, in.SignedField(-TextCoordinateLimit, TextCoordinateLimit));
    FIELD(rotation, in.UnsignedField(MaxRotation));
    FIELD(code, in.Token(','));
    FIELD(type, BarcodeTypeOf(*code));
    FIELD(narrow, in.SignedField(1, MaxMultiplier));
    FIELD(wide, in.SignedField(1, MaxMultiplier));
    FIELD(height, in.UnsignedField(255));
    FIELD(readableLetters, in.Token(','));
    FIELD(readable, HumanReadableOf(*readableLetters));
    TBarcodeFigure barcode;
    barcode.X = static_cast<std::int16_t>(*x);
    barcode.Y = static_cast<std::int16_t>(*y);
    barcode.Rotation = static_cast<std::int16_t>(*rotation);
    barcode.Type = static_cast<std::int16_t>(*type);
    barcode.Narrow = static_cast<std::int16_t>(*narrow);
    barcode.Wide = static_cast<std::int16_t>(*wide);
    barcode.Height = static_cast<std::int16_t>(*height);
    barcode.HumanReadable = static_cast<std::int16_t>(*readable);
    barcode.Data = in.Rest();
    return TFigurePayload{barcode};
}

TFormLineChange ReadDefinition(LineCursor in, bool counter)
{
    TVarCntDefinition definition;
    definition.Counter = counter;
    FIELD(index, in.UnsignedField(counter ? static_cast<int>(CounterCount) - 1 : static_cast<int>(VariableCount) - 1));
    FIELD(length, in.UnsignedField(24));
    FIELD(justification, IndexOf("NLCR", in.Peek()));
    in.Skip();
    if (in.AtEnd()) {
        return {};
    }
    char pad = ' ';
    if (!in.Take(',')) {
        pad = in.Peek();
        in.Skip();
        if (!in.Take(',')) {
            return {};
        }
    }
    int step = 0;
    if (counter) {
        FIELD(counterStep, in.SignedField(-100, 100));
        step = *counterStep;
    }
    FIELD(prompt, in.QuotedToEnd());
    if (prompt->size() > MaxPromptLength) {
        return {};
    }
    definition.Index = static_cast<std::size_t>(*index);
    TVariable& record = definition.Record;
    record.Defined = 1;
    record.Length = static_cast<std::uint8_t>(*length);
    record.Justification = static_cast<std::uint8_t>(*justification);
    record.PadChar = static_cast<std::uint8_t>(pad);
    record.Step = static_cast<std::int8_t>(step);
    record.Prompt = *prompt;
    return definition;
}

// D, I, S and q: one unsigned number within lo..hi that ends the line.
TFormLineChange ReadSetupNumber(LineCursor in, TSetupField field, int lo, int hi)
{
    FIELD(value, in.UnsignedInRange(lo, hi, '\0'));
    return TSetupValue{field, *value};
}

TFormLineChange ReadLabelSize(LineCursor in)
{
    TLabelSize size;
    FIELD(length, in.UnsignedInRange(MinLabelLength, MaxFormLabelLength, ','));
    const bool blackLine = in.Take('B');
    // The printer takes gaps up to 120 dots; a label keeps at most the setup's.
    const int gap = in.Unsigned();
    if (gap > MaxLabelGap) {
        return {};
    }
    if (!in.AtEnd()) {
        FIELD(offset, in.SignedField(-80, 80, '\0'));
        size.Offset = *offset;
    }
    size.Length = *length;
    size.Gap = gap;
    size.PaperType = blackLine ? 2 : 0;
    return size;
}

TFormLineChange ReadPicture(LineCursor in, const std::vector<std::string>& graphicsNames)
{
    FIELD(x, in.SignedField(CoordinateMin, CoordinateMax));
    FIELD(y, in.SignedField(CoordinateMin, CoordinateMax));
    FIELD(name, in.QuotedToEnd());
    std::string upper = *name;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); });
    if (name->size() > MaxPictureNameLength ||
        std::find(graphicsNames.begin(), graphicsNames.end(), upper) == graphicsNames.end()) {
        return {};
    }
    TPictureFigure picture;
    picture.X = static_cast<std::int16_t>(*x);
    picture.Y = static_cast<std::int16_t>(*y);
    picture.Name = *name;
    return TFigurePayload{picture};
}

TFormLineChange ReadLine(LineCursor in)
{
    FIELD(x1, in.SignedField(CoordinateMin, CoordinateMax));
    FIELD(y1, in.SignedField(CoordinateMin, CoordinateMax));
    const int thickness = in.Unsigned();
    int mode = 0;
    if (const auto letter = IndexOf("OEW", in.Peek())) {
        mode = *letter;
        in.Skip();
    }
    if (!in.Take(',') || thickness > MaxThickness) {
        return {};
    }
    FIELD(x2, in.SignedField(CoordinateMin, CoordinateMax));
    FIELD(y2, in.SignedField(CoordinateMin, CoordinateMax, '\0'));
    TLineFigure line;
    line.X1 = static_cast<std::int16_t>(*x1);
    line.Y1 = static_cast<std::int16_t>(*y1);
    line.X2 = static_cast<std::int16_t>(*x2);
    line.Y2 = static_cast<std::int16_t>(*y2);
    line.Thickness = static_cast<std::int16_t>(thickness);
    line.Mode = static_cast<std::int16_t>(mode);
    return TFigurePayload{line};
}

TFormLineChange ReadBar(LineCursor in, int mode)
{
    FIELD(x, in.SignedField(CoordinateMin, CoordinateMax));
    FIELD(y, in.SignedField(CoordinateMin, CoordinateMax));
    FIELD(width, in.UnsignedField(MaxSize));
    FIELD(height, in.UnsignedField(MaxSize, '\0'));
    TBarFigure bar;
    bar.X = static_cast<std::int16_t>(*x);
    bar.Y = static_cast<std::int16_t>(*y);
    bar.Width = static_cast<std::int16_t>(*width);
    bar.Height = static_cast<std::int16_t>(*height);
    bar.Mode = static_cast<std::int16_t>(mode);
    return TFigurePayload{bar};
}

TFormLineChange ReadBox(LineCursor in)
{
    FIELD(x1, in.SignedField(CoordinateMin, CoordinateMax));
    FIELD(y1, in.SignedField(CoordinateMin, CoordinateMax));
    FIELD(thickness, in.UnsignedField(MaxThickness));
    FIELD(x2, in.SignedField(CoordinateMin, CoordinateMax));
    FIELD(y2, in.SignedField(CoordinateMin, CoordinateMax, '\0'));
    TBoxFigure box;
    box.X1 = static_cast<std::int16_t>(*x1);
    box.Y1 = static_cast<std::int16_t>(*y1);
    box.X2 = static_cast<std::int16_t>(*x2);
    box.Y2 = static_cast<std::int16_t>(*y2);
    box.Thickness = static_cast<std::int16_t>(*thickness);
    return TFigurePayload{box};
}

// Sets one PDF417 option from its letter and number; false when the number
// is out of the option's range.
bool SetPdf417Option(TPdf417Figure& pdf, char option, int value)
{
    auto inRange = [value](int lo, int hi) { return value >= lo && value <= hi; };
    switch (option) {
    case 's':
        if (!inRange(0, 8)) return false;
        pdf.SecurityLevel = static_cast<std::uint8_t>(value + 1);
        return true;
    case 'c':
        if (!inRange(0, 1)) return false;
        pdf.Compaction = static_cast<std::uint8_t>(value);
        return true;
    case 'f':
        if (!inRange(0, 1)) return false;
        pdf.Position = static_cast<std::uint8_t>(value);
        return true;
    case 'x':
        if (!inRange(2, 9)) return false;
        pdf.ModuleWidth = static_cast<std::uint8_t>(value);
        pdf.ModuleHeight = static_cast<std::uint8_t>(4 * value);
        return true;
    case 'y':
        if (!inRange(4, 99)) return false;
        pdf.ModuleHeight = static_cast<std::uint8_t>(value);
        return true;
    case 'r':
        if (!inRange(3, 90)) return false;
        pdf.MaxRows = static_cast<std::uint16_t>(value);
        return true;
    case 'l':
        if (!inRange(5, 34)) return false;
        pdf.MaxCols = static_cast<std::uint16_t>(value);
        return true;
    case 'o':
        if (!inRange(0, 3)) return false;
        pdf.Rotation = static_cast<std::uint8_t>(value);
        return true;
    default:
        return false;
    }
}

TFormLineChange ReadPdf417(LineCursor in)
{
    FIELD(x, in.SignedField(CoordinateMin, CoordinateMax));
    FIELD(y, in.SignedField(CoordinateMin, CoordinateMax));
    if (!in.Take('P') || !in.Take(',')) {
        return {};
    }
    FIELD(maxWidth, in.UnsignedField(MaxSize));
    FIELD(maxHeight, in.UnsignedField(MaxSize));
    TPdf417Figure pdf;
    pdf.X = static_cast<std::int16_t>(*x);
    pdf.Y = static_cast<std::int16_t>(*y);
    pdf.MaxWidth = static_cast<std::uint16_t>(*maxWidth);
    pdf.MaxHeight = static_cast<std::uint16_t>(*maxHeight);
    pdf.ModuleWidth = 6;
    pdf.ModuleHeight = 24;
    pdf.MaxRows = 90;
    pdf.MaxCols = 34;
    pdf.SecurityLevel = 0;
    pdf.Compaction = 0;
    pdf.Position = 1;
    pdf.Rotation = 0;
    while (IndexOf("scfxyrlo", in.Peek())) {
        const char option = in.Peek();
        in.Skip();
        FIELD(value, in.UnsignedField(0xFFFF));
        if (!SetPdf417Option(pdf, option, *value)) {
            return {};
        }
    }
    pdf.Data = std::string(in.Rest());
    return TFigurePayload{pdf};
}

}  // namespace

TFormLineChange ReadFormLine(std::string_view line, const std::vector<std::string>& graphicsNames)
{
    if (line.empty()) {
        return {};
    }
    LineCursor in(line.substr(1));
    const std::string_view rest = line.substr(1);
    switch (line[0]) {
    case 'A':
        return ReadText(in);
    case 'B':
        return ReadBarcode(in);
    case 'V':
        return ReadDefinition(in, false);
    case 'C':
        return ReadDefinition(in, true);
    case 'D':
        return ReadSetupNumber(in, TSetupField::Darkness, 0, 15);
    case 'I':
        return ReadSetupNumber(in, TSetupField::Language, 0, 15);
    case 'S':
        return ReadSetupNumber(in, TSetupField::Speed, 0, 6);
    case 'q':
        return ReadSetupNumber(in, TSetupField::LabelWidth, MinLabelWidth, MaxLabelWidth);
    case 'Q':
        return ReadLabelSize(in);
    case 'Z':
        if (rest == "T" || rest == "B") {
            return TSetupValue{TSetupField::Orientation, rest == "B" ? 1 : 0};
        }
        return {};
    case 'j':
        if (rest == "0" || rest == "1") {
            return TSetupValue{TSetupField::NormalSpacing, rest == "0" ? 1 : 0};
        }
        return {};
    case 'T':
        if (rest.starts_with("D") || rest.starts_with("T")) {
            return TSetupFormat{rest[0] == 'T', std::string(rest.substr(1))};
        }
        return {};
    case 'G':
        if (in.Take('G')) {
            return ReadPicture(in, graphicsNames);
        }
        return {};
    case 'L':
        if (in.Take('S')) {
            return ReadLine(in);
        }
        if (const auto mode = IndexOf("OEW", in.Peek())) {
            in.Skip();
            return ReadBar(in, *mode);
        }
        return {};
    case 'X':
        return ReadBox(in);
    case 'b':
        return ReadPdf417(in);
    default:
        return {};
    }
}

void ApplyFormLineChange(const TFormLineChange& change, TLabelModel& label)
{
    if (const auto* figure = std::get_if<TFigurePayload>(&change)) {
        AppendFigure(label.Figures, *figure);
    } else if (const auto* definition = std::get_if<TVarCntDefinition>(&change)) {
        TVariable& record =
            definition->Counter ? label.Counters[definition->Index] : label.Variables[definition->Index];
        const TVariable& read = definition->Record;
        record.Defined = read.Defined;
        record.Length = read.Length;
        record.Justification = read.Justification;
        record.PadChar = read.PadChar;
        record.Step = read.Step;
        record.Prompt = read.Prompt;
    } else if (const auto* value = std::get_if<TSetupValue>(&change)) {
        switch (value->Field) {
        case TSetupField::Darkness: label.Setup.Darkness = value->Value; break;
        case TSetupField::Language: label.Setup.Language = value->Value; break;
        case TSetupField::Speed: label.Setup.Speed = value->Value; break;
        case TSetupField::LabelWidth: label.Setup.LabelWidth = value->Value; break;
        case TSetupField::Orientation: label.Setup.Orientation = value->Value; break;
        case TSetupField::NormalSpacing: label.Setup.NormalSpacing = value->Value; break;
        }
    } else if (const auto* format = std::get_if<TSetupFormat>(&change)) {
        (format->Time ? label.Setup.TimeFormat : label.Setup.DateFormat) = format->Format;
    } else if (const auto* size = std::get_if<TLabelSize>(&change)) {
        label.Setup.LabelLength = size->Length;
        label.Setup.LabelGap = size->Gap;
        label.Setup.LabelOffset = size->Offset;
        label.Setup.PaperType = size->PaperType;
    }
}

}  // namespace zk
