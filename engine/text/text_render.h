#pragma once
// Rendering a text figure, or a barcode's human-readable line, in the
// printer's resident or soft fonts onto the label image.

#include <cstdint>
#include <string_view>

namespace zk {

// Renders one text figure whose data is the expression text (drawn
// unchanged in RawTextMode). x and y are label dots; the reference point
// is added here. Leaves the figure's width in TextRenderState.RenderedWidthSum.
void RenderPrinterText(int x, int y, int rotation, int font, int hmult, int vmult, std::uint16_t attributes,
                       std::string_view text);

// Renders count characters of chars (0: up to the first NUL) in font 1, 3
// or 4, moving exactly pitch dots per character; x and y already include
// the reference point.
void RenderHumanReadable(int x, int y, int rotation, int font, int pitch, std::string_view chars, int count);

}  // namespace zk
