#pragma once
// Byte sink and source for the label file: whole files are built and read
// in memory, then written atomically.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "engine/model/payload_codec.h"

namespace zk {

using ByteSink = std::vector<std::uint8_t>;

inline void WriteByte(std::uint8_t value, ByteSink& out) { out.push_back(value); }

// The low 16 bits, high byte first.
inline void WriteBigEndian16(std::uint32_t value, ByteSink& out)
{
    std::uint8_t bytes[2];
    PutBe16(bytes, static_cast<std::uint16_t>(value & 0xFFFF));
    out.insert(out.end(), bytes, bytes + 2);
}

inline void WriteBytes(std::span<const std::uint8_t> bytes, ByteSink& out)
{
    out.insert(out.end(), bytes.begin(), bytes.end());
}

// Reads forward through a file's bytes; every read first checks that the
// bytes are there, so nothing is ever read past the end.
class ByteSource {
public:
    explicit ByteSource(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    std::size_t Position() const { return m_at; }
    std::size_t Remaining() const { return m_bytes.size() - m_at; }
    bool AtEnd() const { return m_at >= m_bytes.size(); }

    bool ReadByte(std::uint8_t& value)
    {
        if (Remaining() < 1) return false;
        value = m_bytes[m_at++];
        return true;
    }
    // Two bytes, high byte first, as unsigned.
    bool ReadBigEndian16(std::uint16_t& value)
    {
        if (Remaining() < 2) return false;
        value = GetBe16(&m_bytes[m_at]);
        m_at += 2;
        return true;
    }
    // The same, sign-extended.
    bool ReadBigEndian16Signed(std::int16_t& value)
    {
        std::uint16_t raw = 0;
        if (!ReadBigEndian16(raw)) return false;
        value = static_cast<std::int16_t>(raw);
        return true;
    }
    // The next count bytes, or false (and nothing consumed) when fewer remain.
    bool Read(std::size_t count, std::span<const std::uint8_t>& bytes)
    {
        if (Remaining() < count) return false;
        bytes = m_bytes.subspan(m_at, count);
        m_at += count;
        return true;
    }

private:
    std::span<const std::uint8_t> m_bytes;
    std::size_t m_at = 0;
};

}  // namespace zk
