#include "engine/render/draw_modules.h"

#include <algorithm>

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
    int i = 0;
    // Runs of black columns become one rectangle each.
    while (i < count) {
        if (ModuleArray[static_cast<std::size_t>(i)] == 0) {
            ++i;
            continue;
        }
        int end = i;
        while (end < count && ModuleArray[static_cast<std::size_t>(end)] != 0) ++end;
        const long long run = end - i;
        switch (rotation & 3) {
        case 0: FillClipped(static_cast<long long>(x) + i, y, run, len); break;
        case 1: FillClipped(x - len + 1, static_cast<long long>(y) + i, len, run); break;
        case 2: FillClipped(static_cast<long long>(x) - (end - 1), y - len + 1, run, len); break;
        default: FillClipped(x, static_cast<long long>(y) - (end - 1), len, run); break;
        }
        i = end;
    }
}

}  // namespace zk
