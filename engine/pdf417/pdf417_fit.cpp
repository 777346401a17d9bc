#include "engine/pdf417/pdf417_fit.h"

#include <algorithm>

#include "engine/pdf417/pdf417_reed_solomon.h"

namespace zk {
namespace {

// A figure's limits, with columns and rows kept within the standard (a figure
// read from a file may ask for more than the dialog allows).
struct TLimits {
    std::int64_t Width, Height, Cols, Rows;
};

TLimits LimitsOf(const TPdf417Figure& figure)
{
    return {figure.MaxWidth, figure.MaxHeight, std::min<std::int64_t>(figure.MaxCols, Pdf417MaxAllColumns),
            std::min<std::int64_t>(figure.MaxRows, Pdf417MaxRows)};
}

// Rows times columns is the symbol's codeword count, which may not pass 928.
// Padding a fitted symbol up to full rows can go beyond that; then fewer
// columns and more rows are tried, within the row limit.
bool KeepWithinCodewordLimit(std::int64_t total, std::int64_t rowLimit, TPdf417Layout& layout)
{
    for (std::int64_t c = layout.Columns; c > 0; --c) {
        const std::int64_t r = std::max<std::int64_t>((total + c - 1) / c, layout.Rows);
        if (r > rowLimit) return false;
        if (r * c <= Pdf417MaxCodewords) {
            layout.Columns = static_cast<int>(c);
            layout.Rows = static_cast<int>(r);
            return true;
        }
    }
    return false;
}

}  // namespace

int Pdf417ChooseLevel(std::uint8_t securityLevel, int count)
{
    if (securityLevel != 0) return std::min(securityLevel - 1, Pdf417MaxLevel);
    if (count <= 31) return 1;
    if (count <= 63) return 2;
    if (count <= 127) return 3;
    if (count <= 255) return 4;
    if (count <= 511) return 5;
    return 6;
}

bool Pdf417FitSymbol(const TPdf417Figure& figure, int total, TPdf417Layout& layout)
{
    const TLimits lim = LimitsOf(figure);
    const std::int64_t a = figure.ModuleWidth;
    const std::int64_t h = figure.ModuleHeight;
    const std::int64_t t = total;
    if (a == 0 || h == 0) return false;
    std::int64_t q = lim.Width / (17 * a);  // all columns
    if (q < 5) q = 0;
    q = std::min(q, lim.Cols);
    std::int64_t p = std::min(lim.Height / h, lim.Rows);
    if (q == 0 || p < 3 || (q - 4) * p < t) return false;
    for (;;) {
        if (h * p * lim.Width < 17 * a * q * lim.Height) {
            // The height is the less used: trade a column for rows.
            if (q < 6) {
                while ((q - 4) * (p - 1) >= t && p > 3) --p;
                break;
            }
            if ((q - 5) * p < t) break;
            --q;
        } else {
            if (p < 4) {
                while ((q - 5) * p >= t && q > 5) --q;
                break;
            }
            if ((q - 4) * (p - 1) < t) break;
            --p;
        }
    }
    while ((q - 4) * (p - 1) >= t && p > 3) --p;
    layout.Columns = static_cast<int>(q - 4);
    layout.Rows = static_cast<int>(p);
    layout.ModuleWidth = static_cast<int>(a);
    layout.RowHeight = static_cast<int>(h);
    return KeepWithinCodewordLimit(t, std::min(lim.Height / h, lim.Rows), layout);
}

bool Pdf417FitShrink(const TPdf417Figure& figure, int total, TPdf417Layout& layout)
{
    const TLimits lim = LimitsOf(figure);
    std::int64_t a = figure.ModuleWidth;
    std::int64_t h = figure.ModuleHeight;
    const std::int64_t t = total;
    if (a == 0 || h == 0) return false;
    for (;;) {
        // The data columns follow the rectangle's width, not MaxCols; only the
        // symbol's own limit of 30 data columns holds them back.
        std::int64_t c = lim.Width / (17 * a) - 4;
        if (c < 0) c = 0;
        c = std::min<std::int64_t>(c, Pdf417MaxAllColumns - 4);
        const std::int64_t p = lim.Height / h;
        if (c > 0 && p > 2 && c * p >= t && c * lim.Rows >= t) {
            const std::int64_t r = (t + c - 1) / c;
            if (r < 3) return false;
            layout.Columns = static_cast<int>(c);
            layout.Rows = static_cast<int>(r);
            layout.ModuleWidth = static_cast<int>(a);
            if (!KeepWithinCodewordLimit(t, std::min(p, lim.Rows), layout)) return false;
            // Give the rows back what height the rectangle has to spare.
            layout.RowHeight = static_cast<int>(
                std::min<std::int64_t>(figure.ModuleHeight, std::max(h, lim.Height / layout.Rows)));
            return true;
        }
        if (h / a < 4) {
            if (a < 2) return false;
            if (a > 2) {
                --a;
                continue;
            }
            if (h <= 6) return false;
        }
        --h;
    }
}

}  // namespace zk
