#pragma once
// The 84-byte stored form of a figure payload: little-endian fields packed
// in declaration order, texts as their fixed fields. The label file writes
// the leading bytes of it for each record. Pointer fields are never stored
// and read back empty.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "engine/model/figures.h"

namespace zk {

inline constexpr std::size_t PayloadSize = 84;
using PayloadBytes = std::array<std::uint8_t, PayloadSize>;

// Bytes of each payload before its first pointer field, i.e. what a file
// record can carry.
inline constexpr std::size_t PictureStoredSize = 26;
inline constexpr std::size_t SoftFontStoredSize = 8;
inline constexpr std::size_t Pdf417StoredSize = 18;

PayloadBytes EncodePayload(const TFigurePayload& payload);
// Kind values above 7 are not payloads; the caller checks the kind first.
TFigurePayload DecodePayload(TFigureKind kind, std::span<const std::uint8_t, PayloadSize> bytes);

// Little-endian helpers shared by the binary codecs.
inline void PutLe16(std::uint8_t* at, std::uint16_t value)
{
    at[0] = static_cast<std::uint8_t>(value & 0xFF);
    at[1] = static_cast<std::uint8_t>(value >> 8);
}
inline std::uint16_t GetLe16(const std::uint8_t* at)
{
    return static_cast<std::uint16_t>(at[0] | (at[1] << 8));
}
inline void PutBe16(std::uint8_t* at, std::uint16_t value)
{
    at[0] = static_cast<std::uint8_t>(value >> 8);
    at[1] = static_cast<std::uint8_t>(value & 0xFF);
}
inline std::uint16_t GetBe16(const std::uint8_t* at)
{
    return static_cast<std::uint16_t>((at[0] << 8) | at[1]);
}

}  // namespace zk
