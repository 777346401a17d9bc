// A picture reaches the printer (GW raw graphics) and a turned label with
// the same dots the screen shows: runs end with their row, and the rows from
// the one the data end inside are paper.

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "engine/print/graphics_commands.h"
#include "engine/render/label_image.h"
#include "engine/render/picture_figure.h"
#include "engine/rotate/rotate_picture.h"
#include "tests/engine/render/render_test_support.h"
#include "tests/support/engine_fixture.h"

namespace zk {
namespace {

struct PictureCase {
    const char* name;
    int width;
    int height;
    std::uint8_t bytesPerLine;
    std::vector<std::uint8_t> rows;
    const char* dots;  // '#' ink, '.' paper, rows ended by '\n'
};

// Shown by the test runner instead of the case's bytes.
void PrintTo(const PictureCase& c, std::ostream* os) { *os << c.name; }

const PictureCase CASES[] = {
    {"run cut at the row end, data end", 16, 2, 2, {0xC4, 0x00},
     "################\n"
     "................\n"},
    {"run cut at the row end, next row follows", 16, 2, 2, {0xC3, 0x00, 0x0F, 0x3C},
     "################\n"
     "####....##....##\n"},
    {"runs that fit their rows", 16, 2, 2, {0xC2, 0x00, 0xC2, 0xFF},
     "################\n"
     "................\n"},
    {"data end inside the first row", 16, 2, 2, {0x00},
     "................\n"
     "................\n"},
    {"run count without its value", 16, 2, 2, {0x00, 0x00, 0xC2},
     "################\n"
     "................\n"},
    {"pad bits beyond the width", 12, 1, 2, {0xC2, 0x00}, "############\n"},
};

class PicturePrintMatchesScreenTest : public test::EngineTest, public ::testing::WithParamInterface<PictureCase> {
protected:
    static TPictureFigure Figure(int width, int height, std::uint8_t bytesPerLine, std::vector<std::uint8_t> rows)
    {
        auto data = std::make_shared<TPictureData>();
        data->RefCount = 1;
        data->BytesPerLine = bytesPerLine;
        data->Rows = std::move(rows);
        TPictureFigure figure;
        figure.Width = static_cast<std::int16_t>(width);
        figure.Height = static_cast<std::int16_t>(height);
        figure.DataLength = static_cast<std::uint16_t>(data->BlockLength());
        figure.Data = std::move(data);
        return figure;
    }

    static std::string Drawn(const TPictureFigure& figure)
    {
        LabelImage.Resize(40, 40);
        DrawPictureFigure(figure);
        return test::Pixels(0, 0, figure.Width, figure.Height);
    }

    // The dots of a GW command's rows, the bits past the width left out.
    static std::string Printed(const TPictureFigure& figure)
    {
        const std::string command = PictureGraphics(figure);
        const std::string head = "GW0,0," + std::to_string(figure.Data->BytesPerLine) + "," +
                                 std::to_string(figure.Height) + ",";
        EXPECT_EQ(command.substr(0, head.size()), head);
        const std::size_t rowBytes = figure.Data->BytesPerLine;
        EXPECT_EQ(command.size(), head.size() + rowBytes * static_cast<std::size_t>(figure.Height) + 2);
        std::string dots;
        for (int y = 0; y < figure.Height; ++y) {
            for (int x = 0; x < figure.Width; ++x) {
                const std::size_t at =
                    head.size() + static_cast<std::size_t>(y) * rowBytes + static_cast<std::size_t>(x / 8);
                const auto byte = static_cast<std::uint8_t>(command.at(at));
                dots.push_back((byte & (0x80u >> (x % 8))) == 0 ? '#' : '.');
            }
            dots.push_back('\n');
        }
        return dots;
    }

    // The dots turned clockwise: (x, y) goes to (height - 1 - y, x).
    static std::string TurnedDots(const std::string& dots, int width, int height)
    {
        std::string turned;
        for (int y = 0; y < width; ++y) {
            for (int x = 0; x < height; ++x) {
                turned.push_back(dots[static_cast<std::size_t>((height - 1 - x) * (width + 1) + y)]);
            }
            turned.push_back('\n');
        }
        return turned;
    }
};

TEST_P(PicturePrintMatchesScreenTest, DrawnPrintedAndTurnedAlike)
{
    const PictureCase& c = GetParam();
    const TPictureFigure figure = Figure(c.width, c.height, c.bytesPerLine, c.rows);
    EXPECT_EQ(Drawn(figure), c.dots);
    EXPECT_EQ(Printed(figure), c.dots);

    const auto turned = TurnPicture(figure);
    ASSERT_TRUE(turned);
    const std::vector<std::uint8_t> turnedRows(turned->Image.begin() + static_cast<std::ptrdiff_t>(PcxHeaderSize),
                                               turned->Image.end());
    LabelImage.Clear();
    EXPECT_EQ(Drawn(Figure(turned->Width, turned->Height, turned->BytesPerLine, turnedRows)),
              TurnedDots(c.dots, c.width, c.height));
}

INSTANTIATE_TEST_SUITE_P(Rows, PicturePrintMatchesScreenTest, ::testing::ValuesIn(CASES),
                         [](const auto& info) {
                             std::string name;
                             for (const char* p = info.param.name; *p; ++p) {
                                 name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             }
                             return name;
                         });

}  // namespace
}  // namespace zk
