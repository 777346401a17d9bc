#include "engine/labelfile/label_writer.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "engine/config/program_paths.h"
#include "engine/labelfile/label_file_format.h"
#include "engine/labelfile/variable_codec.h"
#include "engine/model/figure_list.h"
#include "engine/model/label_setup.h"
#include "engine/model/variables.h"

namespace zk {

namespace {

void WriteHeader(ByteSink& out)
{
    const TLabelSetup& s = LabelSetup;
    std::array<std::uint8_t, LabelHeaderSize> h{};
    std::memcpy(h.data(), LabelFileMagic, LabelMagicSize);
    PutBe16(&h[LabelHeader::LabelWidth], static_cast<std::uint16_t>(s.LabelWidth));
    PutBe16(&h[LabelHeader::LabelLength], static_cast<std::uint16_t>(s.LabelLength));
    PutBe16(&h[LabelHeader::LeftMargin], static_cast<std::uint16_t>(s.LeftMargin));
    PutBe16(&h[LabelHeader::TopMargin], static_cast<std::uint16_t>(s.TopMargin));
    PutBe16(&h[LabelHeader::LabelOffset], static_cast<std::uint16_t>(s.LabelOffset));
    h[LabelHeader::Flags] = static_cast<std::uint8_t>((s.Orientation & LabelFlagOrientation) |
                                                      (s.NormalSpacing == 0 ? LabelFlagCondensed : 0));
    h[LabelHeader::Darkness] = static_cast<std::uint8_t>(s.Darkness);
    h[LabelHeader::Speed] = static_cast<std::uint8_t>(s.Speed);
    h[LabelHeader::Language] = static_cast<std::uint8_t>(s.Language);
    h[LabelHeader::LabelGap] = static_cast<std::uint8_t>(s.LabelGap);
    h[LabelHeader::PaperType] = static_cast<std::uint8_t>(s.PaperType);
    // At most 15 characters each, so the zero bytes after them hold a NUL.
    const auto date = s.DateFormat.view();
    const auto time = s.TimeFormat.view();
    std::memcpy(&h[LabelHeader::DateFormat], date.data(), date.size());
    std::memcpy(&h[LabelHeader::TimeFormat], time.data(), time.size());
    WriteBytes(h, out);
}

void WriteRecord(std::uint8_t type, std::span<const std::uint8_t> bytes, ByteSink& out)
{
    WriteByte(type, out);
    WriteBigEndian16(static_cast<std::uint32_t>(bytes.size()), out);
    WriteBytes(bytes, out);
}

// The first length bytes of the payload's stored form.
void WritePayloadRecord(std::uint8_t type, const TFigurePayload& payload, std::size_t length, ByteSink& out)
{
    const PayloadBytes bytes = EncodePayload(payload);
    WriteRecord(type, std::span(bytes).first(length), out);
}

void WriteVariables(std::uint8_t type, std::span<const TVariable> table, ByteSink& out)
{
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i].Defined == 0) {
            continue;
        }
        std::uint8_t record[VariableRecordLength];
        record[0] = static_cast<std::uint8_t>(i);
        const VariableBytes bytes = EncodeVariable(table[i]);
        std::copy(bytes.begin(), bytes.end(), record + 1);
        WriteRecord(type, record, out);
    }
}

// Names match by their text, as the reader shares blocks: bytes left after
// the NUL of a stored name do not make it another picture.
bool SameName(const TFigure& figure, const TPictureFigure& picture)
{
    return figure.Is(TFigureKind::Picture) && figure.Picture().Name.view() == picture.Name.view();
}

void WritePicture(TFigure& figure, ByteSink& out)
{
    const TPictureFigure& picture = figure.Picture();
    // The length written is that of the block actually held, so the bytes
    // that follow always match it.
    const bool writesBlock = (figure.Flags & FigureFlag::DataWritten) == 0 && picture.Data;
    TPictureFigure stored = picture;
    stored.DataLength = writesBlock ? static_cast<std::uint16_t>(picture.Data->BlockLength()) : 0;
    WritePayloadRecord(LabelRecord::Picture, stored, PictureStoredSize, out);
    if (!writesBlock) {
        return;
    }
    // Every picture figure of this name shares this block once the file is
    // read back, so that is the count stored (one byte of it); it is the
    // block's RefCount unless figures of one name held different blocks.
    std::uint32_t sharers = 0;
    for (const TFigure* any : Figures()) {
        sharers += SameName(*any, picture) ? 1 : 0;
    }
    const TPictureData& block = *picture.Data;
    WriteByte(static_cast<std::uint8_t>(std::min<std::uint32_t>(sharers, 0xFF)), out);
    WriteByte(block.BytesPerLine, out);
    WriteBytes(block.Rows, out);
    for (TFigure* later = &figure; later != nullptr; later = later->Next) {
        if (SameName(*later, picture)) {
            later->Flags |= FigureFlag::DataWritten;
        }
    }
}

void WriteSoftFont(const TSoftFontFigure& font, ByteSink& out)
{
    const std::size_t length = font.Data ? std::min(font.Data->Bytes.size(), MaxFontDataLength) : 0;
    TSoftFontFigure stored = font;
    stored.DataLength = static_cast<std::int16_t>(static_cast<std::uint16_t>(length));
    WritePayloadRecord(LabelRecord::SoftFont, stored, SoftFontStoredSize, out);
    if (length > 0) {
        WriteBytes(std::span(font.Data->Bytes).first(length), out);
    }
}

void WritePdf417(const TPdf417Figure& pdf, ByteSink& out)
{
    WritePayloadRecord(LabelRecord::Pdf417, pdf, Pdf417StoredSize, out);
    std::string_view text(pdf.Data.c_str());  // up to its first NUL
    text = text.substr(0, 0xFFFE);
    WriteBigEndian16(static_cast<std::uint32_t>(text.size() + 1), out);
    WriteBytes(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()), out);
    WriteByte(0, out);
}

void WriteFigure(TFigure& figure, ByteSink& out)
{
    switch (figure.Kind()) {
    case TFigureKind::Text: {
        TTextFigure stored = figure.Text();
        if (stored.Font > MaxResidentFont) {
            stored.Font = static_cast<std::int16_t>(stored.Font + SoftFontFileShift);
        }
        WritePayloadRecord(LabelRecord::Text, stored, TextRecordHead + stored.Data.length() + 1, out);
        break;
    }
    case TFigureKind::Barcode: {
        WritePayloadRecord(LabelRecord::Barcode, figure.Payload, BarcodeRecordHead + figure.Barcode().Data.length() + 1,
                           out);
        break;
    }
    case TFigureKind::Bar:
        WritePayloadRecord(LabelRecord::Bar, figure.Payload, BarRecordLength, out);
        break;
    case TFigureKind::Line:
        WritePayloadRecord(LabelRecord::Line, figure.Payload, LineRecordLength, out);
        break;
    case TFigureKind::Box:
        WritePayloadRecord(LabelRecord::Box, figure.Payload, BoxRecordLength, out);
        break;
    case TFigureKind::Picture: WritePicture(figure, out); break;
    case TFigureKind::Font: WriteSoftFont(figure.SoftFont(), out); break;
    case TFigureKind::Pdf417: WritePdf417(figure.Pdf417(), out); break;
    }
}

void ClearDataWrittenMarks()
{
    for (TFigure* figure : Figures()) {
        figure->Flags &= static_cast<std::uint8_t>(~FigureFlag::DataWritten);
    }
}

}  // namespace

ByteSink EncodeLabelFile()
{
    ByteSink out;
    out.reserve(LabelHeaderSize + 4096);  // most labels fit without growing
    WriteHeader(out);
    ClearDataWrittenMarks();
    WriteVariables(LabelRecord::Variable, Variables, out);
    WriteVariables(LabelRecord::Counter, Counters, out);
    for (TFigure* figure : Figures()) {
        WriteFigure(*figure, out);
    }
    ClearDataWrittenMarks();
    return out;
}

}  // namespace zk
