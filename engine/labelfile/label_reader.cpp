#include "engine/labelfile/label_reader.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <new>
#include <optional>
#include <string>

#include "engine/config/program_paths.h"
#include "engine/labelfile/byte_io.h"
#include "engine/labelfile/label_file_format.h"
#include "engine/labelfile/variable_codec.h"
#include "engine/model/figure_list.h"
#include "engine/model/label_model.h"

namespace zk {

namespace {

std::int32_t AtMost(std::int32_t value, std::int32_t limit) { return std::min(value, limit); }

// The setup values that size the canvas or index tables are kept in the
// ranges the setup dialog allows, as the configuration reader does; the
// margins and the offset are taken as stored.
void ReadHeader(std::span<const std::uint8_t> h, TLabelSetup& s)
{
    s.LabelWidth = std::clamp<std::int32_t>(GetBe16(&h[LabelHeader::LabelWidth]), MinLabelWidth, MaxLabelWidth);
    s.LabelLength = std::clamp<std::int32_t>(GetBe16(&h[LabelHeader::LabelLength]), MinLabelLength, MaxLabelLength);
    s.LeftMargin = static_cast<std::int16_t>(GetBe16(&h[LabelHeader::LeftMargin]));
    s.TopMargin = static_cast<std::int16_t>(GetBe16(&h[LabelHeader::TopMargin]));
    s.LabelOffset = static_cast<std::int16_t>(GetBe16(&h[LabelHeader::LabelOffset]));
    const std::uint8_t flags = h[LabelHeader::Flags];
    s.Orientation = flags & LabelFlagOrientation;
    s.NormalSpacing = (flags & LabelFlagCondensed) != 0 ? 0 : 1;
    s.Darkness = AtMost(h[LabelHeader::Darkness], 15);
    s.Speed = AtMost(h[LabelHeader::Speed], 6);
    const std::int32_t language = h[LabelHeader::Language];
    s.Language = language < CodeTableCount ? language : 0;
    s.LabelGap = AtMost(h[LabelHeader::LabelGap], MaxLabelGap);
    s.PaperType = AtMost(h[LabelHeader::PaperType], 2);
    // Each format ends at its NUL or after 15 characters, whichever is first.
    const auto text = [&h](std::size_t at) {
        const char* chars = reinterpret_cast<const char*>(&h[at]);
        return std::string_view(chars, strnlen(chars, LabelHeader::FormatSize));
    };
    s.DateFormat = text(LabelHeader::DateFormat);
    s.TimeFormat = text(LabelHeader::TimeFormat);
}

enum class Step : std::uint8_t { Next, Stop, TooMany };

Step ReadVariable(std::span<TVariable> table, std::uint16_t length, ByteSource& in)
{
    std::span<const std::uint8_t> bytes;
    if (length == 0 || length > VariableRecordLength || !in.Read(length, bytes)) {
        return Step::Stop;
    }
    const std::uint8_t index = bytes[0];
    if (index >= table.size()) {
        return Step::Next;  // the record is whole, only its slot is unknown
    }
    VariableBytes stored = EncodeVariable(table[index]);
    std::copy(bytes.begin() + 1, bytes.end(), stored.begin());
    table[index] = DecodeVariable(stored);
    return Step::Next;
}

// Appends the figures of one file to their model, and refuses the file
// once it holds more figures than a label can use.
class FigureSink {
public:
    explicit FigureSink(TFigureList& list) : m_list(list) {}

    Step Append(TFigurePayload payload)
    {
        if (m_count == MaxLabelFigures) {
            ReleaseFigureData(payload);
            return Step::TooMany;
        }
        if (AppendFigure(m_list, payload) != 0) {
            ReleaseFigureData(payload);
            return Step::Stop;
        }
        ++m_count;
        return Step::Next;
    }

private:
    TFigureList& m_list;
    std::size_t m_count = 0;
};

Step ReadPicture(TFigurePayload payload, ByteSource& in, FigureSink& sink)
{
    TPictureFigure& picture = std::get<TPictureFigure>(payload);
    if (picture.DataLength != 0) {
        std::span<const std::uint8_t> block;
        // A block holds at least its RefCount and BytesPerLine bytes.
        if (picture.DataLength < 2 || !in.Read(picture.DataLength, block)) {
            return Step::Stop;
        }
        try {
            auto data = std::make_shared<TPictureData>();
            data->BytesPerLine = block[1];
            data->Rows.assign(block.begin() + 2, block.end());
            picture.Data = std::move(data);
        } catch (const std::bad_alloc&) {
            return Step::Stop;
        }
    }
    return sink.Append(std::move(payload));
}

Step ReadSoftFont(TFigurePayload payload, ByteSource& in, FigureSink& sink)
{
    TSoftFontFigure& font = std::get<TSoftFontFigure>(payload);
    const std::size_t length = static_cast<std::uint16_t>(font.DataLength);
    std::span<const std::uint8_t> block;
    if (length > MaxFontDataLength || !in.Read(length, block)) {
        return Step::Stop;
    }
    if (length > 0) {
        try {
            font.Data = std::make_shared<TFontData>(TFontData{{block.begin(), block.end()}});
        } catch (const std::bad_alloc&) {
            return Step::Stop;
        }
    }
    return sink.Append(std::move(payload));
}

Step ReadPdf417(TFigurePayload payload, ByteSource& in, FigureSink& sink)
{
    std::uint16_t length = 0;
    std::span<const std::uint8_t> text;
    if (!in.ReadBigEndian16(length) || !in.Read(length, text)) {
        return Step::Stop;
    }
    // The text ends at its NUL, or with the block when the NUL is missing.
    const auto end = std::find(text.begin(), text.end(), 0);
    try {
        std::get<TPdf417Figure>(payload).Data.assign(text.begin(), end);
    } catch (const std::bad_alloc&) {
        return Step::Stop;
    }
    return sink.Append(std::move(payload));
}

std::optional<TFigureKind> FigureKindOf(std::uint8_t type)
{
    switch (type) {
    case LabelRecord::Text: return TFigureKind::Text;
    case LabelRecord::Barcode: return TFigureKind::Barcode;
    case LabelRecord::Bar: return TFigureKind::Bar;
    case LabelRecord::Line: return TFigureKind::Line;
    case LabelRecord::Box: return TFigureKind::Box;
    case LabelRecord::Picture: return TFigureKind::Picture;
    case LabelRecord::SoftFont: return TFigureKind::Font;
    case LabelRecord::Pdf417: return TFigureKind::Pdf417;
    default: return std::nullopt;
    }
}

Step ReadRecord(ByteSource& in, TLabelModel& model, FigureSink& sink)
{
    std::uint8_t type = 0;
    std::uint16_t length = 0;
    if (!in.ReadByte(type)) {
        return Step::Stop;
    }
    if (type == LabelRecord::Variable || type == LabelRecord::Counter) {
        if (!in.ReadBigEndian16(length)) {
            return Step::Stop;
        }
        return ReadVariable(type == LabelRecord::Variable ? std::span<TVariable>(model.Variables)
                                                          : std::span<TVariable>(model.Counters),
                            length, in);
    }
    const auto kind = FigureKindOf(type);
    std::span<const std::uint8_t> bytes;
    if (!kind || !in.ReadBigEndian16(length) || length > PayloadSize || !in.Read(length, bytes)) {
        return Step::Stop;
    }
    // A short record leaves the rest of the payload zero, so its texts end.
    PayloadBytes scratch{};
    std::copy(bytes.begin(), bytes.end(), scratch.begin());
    TFigurePayload payload = DecodePayload(*kind, scratch);
    switch (*kind) {
    case TFigureKind::Text: {
        TTextFigure& text = std::get<TTextFigure>(payload);
        if (text.Font >= FirstShiftedFont) {
            text.Font = static_cast<std::int16_t>(text.Font - SoftFontFileShift);
        }
        break;
    }
    case TFigureKind::Picture: return ReadPicture(std::move(payload), in, sink);
    case TFigureKind::Font: return ReadSoftFont(std::move(payload), in, sink);
    case TFigureKind::Pdf417: return ReadPdf417(std::move(payload), in, sink);
    default: break;
    }
    return sink.Append(std::move(payload));
}

// Data-less picture figures take the first block of their name; then every
// block counts the figures that share it, whatever the file said.
void SharePictureBlocks(const TFigureList& list)
{
    std::map<std::string, const TPictureFigure*, std::less<>> firstWithData;
    for (const TFigure* figure : Figures(list)) {
        if (figure->Is(TFigureKind::Picture) && figure->Picture().Data) {
            firstWithData.try_emplace(figure->Picture().Name.str(), &figure->Picture());
        }
    }
    for (TFigure* figure : Figures(list)) {
        if (!figure->Is(TFigureKind::Picture)) {
            continue;
        }
        TPictureFigure& picture = figure->Picture();
        if (!picture.Data) {
            const auto donor = firstWithData.find(picture.Name.view());
            picture.Data = donor != firstWithData.end() ? donor->second->Data : nullptr;
            picture.DataLength = donor != firstWithData.end() ? donor->second->DataLength : 0;
        }
        if (picture.Data) {
            picture.Data->RefCount = 0;
        }
    }
    for (TFigure* figure : Figures(list)) {
        if (figure->Is(TFigureKind::Picture) && figure->Picture().Data) {
            ++figure->Picture().Data->RefCount;
        }
    }
}

}  // namespace

LabelReadResult ReadLabelImage(std::span<const std::uint8_t> file)
{
    if (file.size() < LabelHeaderSize || std::memcmp(file.data(), LabelFileMagic, LabelMagicSize) != 0) {
        return LabelReadResult::NotALabel;
    }
    TLabelModel model;
    const TVariable zeroed = DecodeVariable(VariableBytes{});
    model.Variables.fill(zeroed);
    model.Counters.fill(zeroed);
    model.Setup = LabelSetup;
    ReadHeader(file.first(LabelHeaderSize), model.Setup);

    ByteSource in(file.subspan(LabelHeaderSize));
    FigureSink sink(model.Figures);
    LabelReadResult result = LabelReadResult::Complete;
    while (!in.AtEnd()) {
        // An unknown type byte ends the records as the end of the file does.
        const Step step = ReadRecord(in, model, sink);
        if (step == Step::TooMany) {
            return LabelReadResult::TooManyFigures;
        }
        if (step == Step::Stop) {
            result = LabelReadResult::Stopped;
            break;
        }
    }
    SharePictureBlocks(model.Figures);
    PutLabelInPlace(model);
    return result;
}

}  // namespace zk
