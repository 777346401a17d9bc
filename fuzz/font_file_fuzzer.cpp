// Feeds arbitrary bytes to the font file reader and renders every
// character of an accepted block, in each rotation, from a soft-font
// figure, both onto the label image and as direct graphics.

#include <cstdint>
#include <span>
#include <string>

#include "engine/engine_state.h"
#include "engine/model/figure_list.h"
#include "engine/model/label_setup.h"
#include "engine/print/graphics_commands.h"
#include "engine/render/label_image.h"
#include "engine/softfont/font_file.h"
#include "engine/text/printer_font.h"
#include "engine/text/text_render.h"
#include "engine/text/text_render_state.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    auto block = zk::FontBlockFromBytes(std::span(data, size));
    if (!block) {
        return 0;
    }
    zk::LabelImage.Resize(320, 320);
    zk::TSoftFontFigure font;
    font.Letter = "A";
    font.CharCount = block->Bytes[0];
    font.Height = block->Bytes[2];
    font.DataLength = static_cast<std::uint16_t>(block->Bytes.size());
    font.Data = std::make_shared<zk::TFontData>(std::move(*block));
    zk::AppendFigure(font);

    // Every code a quoted constant can carry.
    std::string text = "\"";
    for (int code = 1; code < 256; ++code) {
        if (code != '"' && code != '\\') {
            text.push_back(static_cast<char>(code));
        }
    }
    text.push_back('"');
    for (int rotation = 0; rotation < 4; ++rotation) {
        zk::RenderPrinterText(160, 160, rotation, 6, 1 + rotation, 2, zk::TextStyle::Bold, text);
    }
    zk::GlyphGraphicsSender = [](const zk::TGlyphGraphics& g) {
        zk::GlyphGraphics(g.X, g.Y, g.BytesPerRow, g.RowCount, g.RowRepeat, zk::PrinterFont.GlyphRenderBuffer,
                          zk::LabelSetup);
    };
    zk::SendGlyphsAsGraphics = 1;
    zk::RenderPrinterText(0, 0, 1, 6, 2, 3, 0, text);
    zk::ResetEngineState();
    return 0;
}
