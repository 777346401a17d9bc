#include "engine/model/payload_codec.h"

#include <cstring>
#include <type_traits>

namespace zk {

namespace {

// Walks the payload bytes field by field in one direction.
class Writer {
public:
    explicit Writer(PayloadBytes& bytes) : m_bytes(bytes) {}
    void i16(std::int16_t value) { u16(static_cast<std::uint16_t>(value)); }
    void u16(std::uint16_t value)
    {
        PutLe16(&m_bytes[m_at], value);
        m_at += 2;
    }
    void u8(std::uint8_t value) { m_bytes[m_at++] = value; }
    template <std::size_t N, bool Nul>
    void text(const FixedString<N, Nul>& field)
    {
        std::memcpy(&m_bytes[m_at], field.bytes().data(), N);
        m_at += N;
    }

private:
    PayloadBytes& m_bytes;
    std::size_t m_at = 0;
};

class Reader {
public:
    explicit Reader(std::span<const std::uint8_t, PayloadSize> bytes) : m_bytes(bytes) {}
    std::int16_t i16() { return static_cast<std::int16_t>(u16()); }
    std::uint16_t u16()
    {
        const std::uint16_t value = GetLe16(&m_bytes[m_at]);
        m_at += 2;
        return value;
    }
    std::uint8_t u8() { return m_bytes[m_at++]; }
    template <std::size_t N, bool Nul>
    void text(FixedString<N, Nul>& field)
    {
        std::memcpy(field.bytes().data(), &m_bytes[m_at], N);
        if constexpr (Nul) {
            field.bytes()[N - 1] = '\0';  // a stored field always ends inside itself
        }
        m_at += N;
    }

private:
    std::span<const std::uint8_t, PayloadSize> m_bytes;
    std::size_t m_at = 0;
};

// One field list per payload, used for both directions.
template <typename IO, typename T>
void Fields(IO& io, T& f)
{
    using P = std::remove_const_t<T>;
    auto i16 = [&io](auto& v) {
        if constexpr (std::is_same_v<IO, Writer>) io.i16(v); else v = io.i16();
    };
    auto u16 = [&io](auto& v) {
        if constexpr (std::is_same_v<IO, Writer>) io.u16(v); else v = io.u16();
    };
    auto u8 = [&io](auto& v) {
        if constexpr (std::is_same_v<IO, Writer>) io.u8(v); else v = io.u8();
    };
    auto text = [&io](auto& v) { io.text(v); };

    if constexpr (std::is_same_v<P, TTextFigure>) {
        i16(f.X); i16(f.Y); i16(f.HMult); i16(f.VMult); i16(f.Font);
        u16(f.Attributes); i16(f.Rotation); i16(f.RenderedWidth); text(f.Data);
    } else if constexpr (std::is_same_v<P, TBarcodeFigure>) {
        i16(f.Type); i16(f.X); i16(f.Y); i16(f.Height); i16(f.Narrow); i16(f.Wide);
        i16(f.HumanReadable); i16(f.Rotation); i16(f.ModuleCount); i16(f.RenderedWidth);
        text(f.Data);
    } else if constexpr (std::is_same_v<P, TBarFigure>) {
        i16(f.X); i16(f.Y); i16(f.Width); i16(f.Height); i16(f.Mode);
    } else if constexpr (std::is_same_v<P, TLineFigure>) {
        i16(f.X1); i16(f.Y1); i16(f.X2); i16(f.Y2); i16(f.Thickness); i16(f.Mode);
    } else if constexpr (std::is_same_v<P, TBoxFigure>) {
        i16(f.X1); i16(f.Y1); i16(f.X2); i16(f.Y2); i16(f.Thickness);
    } else if constexpr (std::is_same_v<P, TPictureFigure>) {
        i16(f.X); i16(f.Y); i16(f.Width); i16(f.Height); u16(f.DataLength); text(f.Name);
    } else if constexpr (std::is_same_v<P, TSoftFontFigure>) {
        i16(f.CharCount); i16(f.Height); u16(f.DataLength); text(f.Letter);
    } else if constexpr (std::is_same_v<P, TPdf417Figure>) {
        i16(f.X); i16(f.Y);
        u16(f.MaxWidth); u16(f.MaxHeight); u16(f.MaxCols); u16(f.MaxRows);
        u8(f.SecurityLevel); u8(f.Compaction); u8(f.Position);
        u8(f.ModuleWidth); u8(f.ModuleHeight); u8(f.Rotation);
    }
}

}  // namespace

PayloadBytes EncodePayload(const TFigurePayload& payload)
{
    PayloadBytes bytes{};
    Writer writer(bytes);
    std::visit([&writer](const auto& figure) {
        auto copy = figure;  // the field list takes references
        Fields(writer, copy);
    }, payload);
    return bytes;
}

TFigurePayload DecodePayload(TFigureKind kind, std::span<const std::uint8_t, PayloadSize> bytes)
{
    Reader reader(bytes);
    auto read = [&reader](auto figure) -> TFigurePayload {
        Fields(reader, figure);
        return figure;
    };
    switch (kind) {
    case TFigureKind::Text: return read(TTextFigure{});
    case TFigureKind::Barcode: return read(TBarcodeFigure{});
    case TFigureKind::Bar: return read(TBarFigure{});
    case TFigureKind::Line: return read(TLineFigure{});
    case TFigureKind::Box: return read(TBoxFigure{});
    case TFigureKind::Picture: return read(TPictureFigure{});
    case TFigureKind::Font: return read(TSoftFontFigure{});
    case TFigureKind::Pdf417: break;
    }
    return read(TPdf417Figure{});
}

}  // namespace zk
