#pragma once
// Fixture for drawing barcode figures: the generated printer font loaded
// for the human-readable lines and a label image of the given size.

#include <string_view>

#include "engine/barcode/barcode_types.h"
#include "engine/config/program_paths.h"
#include "engine/model/figures.h"
#include "engine/model/label_setup.h"
#include "engine/render/label_image.h"
#include "engine/text/printer_font.h"
#include "tests/engine/barcode/barcode_test_support.h"
#include "tests/engine/text/font_file_reader.h"
#include "tests/support/engine_fixture.h"

namespace zk::test {

class BarcodeDrawingTest : public EngineTest {
protected:
    BarcodeDrawingTest()
    {
        ProgramPaths.PrinterFontFileName = GeneratedFontFile().string();
        EXPECT_EQ(LoadPrinterFont(), PrinterFontLoaded);
        UseLabel(600, 300);
    }

    static void UseLabel(int width, int height)
    {
        LabelSetup.LabelWidth = width;
        LabelSetup.LabelLength = height;
        LabelImage.Resize(width, height);
    }

    static TBarcodeFigure Figure(BarcodeType type, std::string_view data, int narrow, int x, int y, int height,
                                 int humanReadable = 0, int rotation = 0)
    {
        TBarcodeFigure f = BarcodeFigure(type, data, narrow, 3 * narrow);
        f.X = static_cast<std::int16_t>(x);
        f.Y = static_cast<std::int16_t>(y);
        f.Height = static_cast<std::int16_t>(height);
        f.HumanReadable = static_cast<std::int16_t>(humanReadable);
        f.Rotation = static_cast<std::int16_t>(rotation);
        return f;
    }
};

}  // namespace zk::test
