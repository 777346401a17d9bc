#pragma once
// The figure kinds of a label and their payloads. The payloads are also a
// file format (see payload_codec.h): field order here is storage order.

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "engine/model/fixed_string.h"

namespace zk {

enum class TFigureKind : std::uint8_t {
    Text = 0,
    Barcode = 1,
    Bar = 2,
    Line = 3,
    Box = 4,
    Picture = 5,
    Font = 6,
    Pdf417 = 7,
};

// Flags bits of a figure node.
namespace FigureFlag {
inline constexpr std::uint8_t Selected = 0x01;
inline constexpr std::uint8_t SavedSelection = 0x04;
inline constexpr std::uint8_t HitMark = 0x08;
inline constexpr std::uint8_t Turned = 0x10;
inline constexpr std::uint8_t DataWritten = 0x80;
}  // namespace FigureFlag

// Text attribute bits.
namespace TextAttr {
inline constexpr std::uint16_t StyleMask = 0x7F;
inline constexpr std::uint16_t ReverseDirection = 0x80;
inline constexpr std::uint16_t UseEnglish = 0x100;
}  // namespace TextAttr

struct TTextFigure {
    std::int16_t X = 0;
    std::int16_t Y = 0;
    std::int16_t HMult = 1;
    std::int16_t VMult = 1;
    std::int16_t Font = 0;
    std::uint16_t Attributes = 0;
    std::int16_t Rotation = 0;
    std::int16_t RenderedWidth = 0;
    FixedString<68> Data;
};

struct TBarcodeFigure {
    std::int16_t Type = 0;
    std::int16_t X = 0;
    std::int16_t Y = 0;
    std::int16_t Height = 0;
    std::int16_t Narrow = 0;
    std::int16_t Wide = 0;
    std::int16_t HumanReadable = 0;
    std::int16_t Rotation = 0;
    std::int16_t ModuleCount = 0;
    std::int16_t RenderedWidth = 0;
    FixedString<64> Data;
};

struct TBarFigure {
    std::int16_t X = 0;
    std::int16_t Y = 0;
    std::int16_t Width = 0;
    std::int16_t Height = 0;
    std::int16_t Mode = 0;
};

struct TLineFigure {
    std::int16_t X1 = 0;
    std::int16_t Y1 = 0;
    std::int16_t X2 = 0;
    std::int16_t Y2 = 0;
    std::int16_t Thickness = 0;
    std::int16_t Mode = 0;
};

struct TBoxFigure {
    std::int16_t X1 = 0;
    std::int16_t Y1 = 0;
    std::int16_t X2 = 0;
    std::int16_t Y2 = 0;
    std::int16_t Thickness = 0;
};

// Run-length picture rows shared by every picture figure of one name.
// RefCount counts the figures that point at the block; in memory it is wide
// enough never to wrap, the label file keeps one byte of it.
struct TPictureData {
    std::uint32_t RefCount = 0;
    std::uint8_t BytesPerLine = 0;
    std::vector<std::uint8_t> Rows;  // run-length rows as they follow a PCX header

    // The block's length as the file and DataLength count it.
    std::size_t BlockLength() const { return Rows.size() + 2; }
};

struct TPictureFigure {
    std::int16_t X = 0;
    std::int16_t Y = 0;
    std::int16_t Width = 0;
    std::int16_t Height = 0;
    std::uint16_t DataLength = 0;
    FixedString<16> Name;
    // Shared with the other figures of this name; the pointer keeps the
    // memory alive while RefCount carries the figure count.
    std::shared_ptr<TPictureData> Data;
};

// A loadable font block (character count, height, glyph records), at most
// MaxFontDataLength bytes.
struct TFontData {
    std::vector<std::uint8_t> Bytes;
};
inline constexpr std::size_t MaxFontDataLength = 49152;

struct TSoftFontFigure {
    std::int16_t CharCount = 0;
    std::int16_t Height = 0;
    std::uint16_t DataLength = 0;  // up to MaxFontDataLength, beyond a signed 16-bit field
    FixedString<2> Letter;
    std::shared_ptr<TFontData> Data;
};

struct TPdf417Figure {
    std::int16_t X = 0;
    std::int16_t Y = 0;
    std::uint16_t MaxWidth = 0;
    std::uint16_t MaxHeight = 0;
    std::uint16_t MaxCols = 0;
    std::uint16_t MaxRows = 0;
    std::uint8_t SecurityLevel = 0;
    std::uint8_t Compaction = 0;
    std::uint8_t Position = 0;
    std::uint8_t ModuleWidth = 0;
    std::uint8_t ModuleHeight = 0;
    std::uint8_t Rotation = 0;
    std::string Data;  // the figure's own copy of the data text; empty = none
};

// The variant's alternatives are in TFigureKind order, so index() is the kind.
using TFigurePayload = std::variant<TTextFigure, TBarcodeFigure, TBarFigure, TLineFigure, TBoxFigure,
                                    TPictureFigure, TSoftFontFigure, TPdf417Figure>;

inline TFigureKind KindOf(const TFigurePayload& payload)
{
    return static_cast<TFigureKind>(payload.index());
}

// Names a figure for the whole run: a freed node's address may come back
// for another figure, an id never does. Whatever keeps a figure across
// turns of the event loop (a drag, a dialog) holds its id, not its address.
using TFigureId = std::uint64_t;
// A fresh id; 0 is never one.
TFigureId NewFigureId();

// One node of the label's figure list, owned by TFigureList.
struct TFigure {
    TFigure* Prev = nullptr;
    TFigure* Next = nullptr;
    TFigureId Id = NewFigureId();
    std::uint8_t Flags = 0;
    std::uint8_t PasteMark = 0;
    TFigurePayload Payload;

    TFigureKind Kind() const { return KindOf(Payload); }
    bool Is(TFigureKind kind) const { return Kind() == kind; }
    bool IsSelected() const { return (Flags & FigureFlag::Selected) != 0; }

    TTextFigure& Text() { return std::get<TTextFigure>(Payload); }
    TBarcodeFigure& Barcode() { return std::get<TBarcodeFigure>(Payload); }
    TBarFigure& Bar() { return std::get<TBarFigure>(Payload); }
    TLineFigure& Line() { return std::get<TLineFigure>(Payload); }
    TBoxFigure& Box() { return std::get<TBoxFigure>(Payload); }
    TPictureFigure& Picture() { return std::get<TPictureFigure>(Payload); }
    TSoftFontFigure& SoftFont() { return std::get<TSoftFontFigure>(Payload); }
    TPdf417Figure& Pdf417() { return std::get<TPdf417Figure>(Payload); }
    const TTextFigure& Text() const { return std::get<TTextFigure>(Payload); }
    const TBarcodeFigure& Barcode() const { return std::get<TBarcodeFigure>(Payload); }
    const TBarFigure& Bar() const { return std::get<TBarFigure>(Payload); }
    const TLineFigure& Line() const { return std::get<TLineFigure>(Payload); }
    const TBoxFigure& Box() const { return std::get<TBoxFigure>(Payload); }
    const TPictureFigure& Picture() const { return std::get<TPictureFigure>(Payload); }
    const TSoftFontFigure& SoftFont() const { return std::get<TSoftFontFigure>(Payload); }
    const TPdf417Figure& Pdf417() const { return std::get<TPdf417Figure>(Payload); }
};

}  // namespace zk
