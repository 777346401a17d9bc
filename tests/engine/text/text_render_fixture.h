#pragma once
// Fixture for text rendering tests: the generated font file loaded, a
// 600 x 600 label and its image, and the black dots of the image.

#include "engine/config/program_paths.h"
#include "engine/model/label_setup.h"
#include "engine/render/label_image.h"
#include "engine/text/printer_font.h"
#include "tests/engine/text/font_file_reader.h"
#include "tests/support/engine_fixture.h"

namespace zk::test {

class TextRenderTest : public EngineTest {
protected:
    static constexpr int LabelSize = 600;

    TextRenderTest() : file(ReadBytes(GeneratedFontFile()))
    {
        ProgramPaths.PrinterFontFileName = GeneratedFontFile().string();
        EXPECT_EQ(LoadPrinterFont(), PrinterFontLoaded);
        LabelSetup.LabelWidth = LabelSize;
        LabelSetup.LabelLength = LabelSize;
        LabelImage.Resize(LabelSize, LabelSize);
    }

    static DotSet BlackDots()
    {
        DotSet dots;
        for (int y = 0; y < LabelImage.Height(); ++y) {
            for (int x = 0; x < LabelImage.Width(); ++x) {
                if (LabelImage.Pixel(x, y) == Black) dots.insert({x, y});
            }
        }
        return dots;
    }

    DotGlyph Glyph(int font, char c, int language = 0) const
    {
        return ResidentGlyph(file, font, language, static_cast<unsigned char>(c));
    }

    std::vector<std::uint8_t> file;
};

}  // namespace zk::test
