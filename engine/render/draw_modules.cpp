#include "engine/render/draw_modules.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "engine/barcode/barcode_state.h"
#include "engine/render/label_image.h"

namespace zk {
namespace {

// A rectangle worked out in 64 bits and clipped before it reaches the
// image, so that places far outside it cannot wrap.
void FillClipped(long long x, long long y, long long w, long long h)
{
    const long long x0 = std::max(x, 0LL);
    const long long y0 = std::max(y, 0LL);
    const long long x1 = std::min<long long>(x + w, LabelImage.Width());
    const long long y1 = std::min<long long>(y + h, LabelImage.Height());
    if (x0 >= x1 || y0 >= y1) return;
    LabelImage.FillRect(static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1 - x0),
                        static_cast<int>(y1 - y0), Black);
}

}  // namespace

void DrawModules(int x, int y, int length, int rotation)
{
    if (length <= 0) return;
    const int count = std::clamp(ModuleArrayCount, 0, static_cast<int>(ModuleArraySize));
    const long long len = length;
    // Runs of black columns become one rectangle each.
    std::vector<std::pair<int, int>> runs;  // [first, end) module indexes
    for (int i = 0; i < count;) {
        if (ModuleArray[static_cast<std::size_t>(i)] == 0) {
            ++i;
            continue;
        }
        int end = i;
        while (end < count && ModuleArray[static_cast<std::size_t>(end)] != 0) ++end;
        runs.emplace_back(i, end);
        i = end;
    }
    if ((rotation & 1) == 0) {
        // Upright bars: every row crosses the same bars, so one row of them
        // is laid onto each row in turn, the image walked row by row.
        const int width = LabelImage.Width();
        std::vector<std::uint32_t> bars(static_cast<std::size_t>(width), White);
        int from = width;
        int to = 0;
        for (const auto& [i, e] : runs) {
            const long long left = (rotation & 3) == 0 ? static_cast<long long>(x) + i
                                                       : static_cast<long long>(x) - (e - 1);
            const int a = static_cast<int>(std::clamp<long long>(left, 0, width));
            const int b = static_cast<int>(std::clamp<long long>(left + (e - i), 0, width));
            if (a >= b) continue;
            std::fill(bars.begin() + a, bars.begin() + b, Black);
            from = std::min(from, a);
            to = std::max(to, b);
        }
        if (from >= to) return;
        const long long top = (rotation & 3) == 0 ? y : y - len + 1;
        const int first = static_cast<int>(std::clamp<long long>(top, 0, LabelImage.Height()));
        const int end = static_cast<int>(std::clamp<long long>(top + len, 0, LabelImage.Height()));
        const std::span<const std::uint32_t> used(bars.data() + from, static_cast<std::size_t>(to - from));
        for (int row = first; row < end; ++row) {
            LabelImage.AndRow(from, row, used);
        }
        return;
    }
    for (const auto& [i, e] : runs) {
        const long long run = e - i;
        if ((rotation & 3) == 1) {
            FillClipped(x - len + 1, static_cast<long long>(y) + i, len, run);
        } else {
            FillClipped(x, static_cast<long long>(y) - (e - 1), len, run);
        }
    }
}

}  // namespace zk
