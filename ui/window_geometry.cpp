#include "ui/window_geometry.h"

#include <algorithm>

namespace zk {

namespace {

constexpr int DialogInset = 24;
constexpr int ToolbarGap = 4;
constexpr int CanvasInset = 4;

}  // namespace

QRect InitialWindowGeometry(QSize desktop)
{
    const int w = desktop.width();
    const int h = desktop.height();
    return QRect(w / 8, h / 8, w * 3 / 4, h * 3 / 4);
}

QPoint DialogPosition(QPoint origin, QSize client, QSize dialog, int x, int y, QPoint scroll)
{
    if (x != -1) {
        return origin + QPoint(x, y) + scroll;
    }
    const int freeWidth = client.width() - dialog.width();
    const int freeHeight = client.height() - dialog.height();
    const int left = freeWidth < DialogInset ? DialogInset : freeWidth / 2;
    const int top = freeHeight < DialogInset ? DialogInset : freeHeight / 4;
    return origin + QPoint(left, top);
}

QPoint KeepInside(QPoint topLeft, QSize frame, QRect area)
{
    const auto keep = [](int at, int size, int first, int room) {
        return std::max(first, std::min(at, first + room - size));
    };
    return {keep(topLeft.x(), frame.width(), area.left(), area.width()),
            keep(topLeft.y(), frame.height(), area.top(), area.height())};
}

QPoint KeepInsideClearOf(QPoint topLeft, QSize frame, QRect area, std::span<const QRect> inSight, int step)
{
    const auto clear = [&](QPoint at) {
        const QRect placed(at, frame);
        return std::none_of(inSight.begin(), inSight.end(), [&](const QRect& shown) { return placed.intersects(shown); });
    };
    const QPoint kept = KeepInside(topLeft, frame, area);
    if (clear(kept) || step <= 0) {
        return kept;
    }
    // Past the area's height every step lands on one of its edges again.
    for (int steps = 1; steps <= area.height() / step + 1; ++steps) {
        for (const int direction : {1, -1}) {
            const QPoint moved = KeepInside(topLeft + QPoint(0, direction * steps * step), frame, area);
            if (clear(moved)) {
                return moved;
            }
        }
    }
    return kept;
}

QPoint ToolbarPosition(int mainWindowLeft, QPoint clientTopRight, int toolbarWidth, int toolbarPos)
{
    const int outsideLeft = mainWindowLeft - toolbarWidth - ToolbarGap;
    const int left = toolbarPos == 1 && outsideLeft > 0 ? outsideLeft : clientTopRight.x() - toolbarWidth - ToolbarGap;
    return QPoint(left, clientTopRight.y() + ToolbarGap);
}

QSize ToolbarClientSize(int statusLineHeight)
{
    return QSize(64, statusLineHeight + 224);
}

QPoint LabelCanvasPosition(int mainWindowLeft, int toolbarPos)
{
    if (toolbarPos == 1 && mainWindowLeft < 68) {
        return QPoint(72, CanvasInset);
    }
    return QPoint(CanvasInset, CanvasInset);
}

}  // namespace zk
