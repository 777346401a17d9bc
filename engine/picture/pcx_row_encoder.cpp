#include "engine/picture/pcx_row_encoder.h"

namespace zk {

namespace {

void EmitRun(std::vector<std::uint8_t>& out, int count, std::uint8_t value)
{
    out.push_back(static_cast<std::uint8_t>(0xC0 | count));
    out.push_back(value);
}

}  // namespace

void EncodePcxRow(std::span<const std::uint8_t> row, std::vector<std::uint8_t>& out)
{
    int count = 0;
    std::uint8_t prev = 0;
    for (const std::uint8_t b : row) {
        if (count > 0 && b == prev) {
            if (count >= MaxPcxRun) {
                EmitRun(out, count, prev);
                count = 0;
            }
        } else if (count > 0) {
            if (count == 1 && prev < 100) {
                out.push_back(prev);
            } else {
                EmitRun(out, count, prev);
            }
            count = 0;
        }
        prev = b;
        ++count;
    }
    if (count > 0) {
        if (count == 1 && prev < 64) {
            out.push_back(prev);
        } else {
            EmitRun(out, count, prev);
        }
    }
}

}  // namespace zk
