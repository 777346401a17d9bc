#include "engine/text/text_render_state.h"

namespace zk {

TGlyphGeometry GlyphGeometry;
TTextRenderState TextRenderState;
std::array<std::uint8_t, 256> GlyphRepackBuffer{};
std::array<std::uint8_t, 65536> BoldGlyphBuffer{};
std::uint8_t ArabicGlyphSet = 0;
std::uint8_t UseEnglishTable = 0;
std::uint8_t RawTextMode = 0;
std::uint8_t SendGlyphsAsGraphics = 0;
std::uint8_t RedrawForDriverPrint = 0;
TGlyphGraphicsSender GlyphGraphicsSender;

void ResetTextRenderState()
{
    GlyphGeometry = {};
    TextRenderState = {};
    ArabicGlyphSet = 0;
    UseEnglishTable = 0;
    RawTextMode = 0;
    SendGlyphsAsGraphics = 0;
    RedrawForDriverPrint = 0;
    GlyphGraphicsSender = nullptr;
}

}  // namespace zk
