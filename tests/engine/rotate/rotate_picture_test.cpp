// Turning pictures: pixels turned one by one and encoded again, the staged
// PCX image, shared blocks turned once, damaged blocks and pictures too big
// to turn.

#include "engine/rotate/rotate_picture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "engine/labelfile/label_file.h"
#include "engine/model/figure_list.h"
#include "engine/model/label_setup.h"
#include "engine/model/payload_codec.h"
#include "engine/picture/pcx_image_buffer.h"
#include "engine/picture/pcx_row_decoder.h"
#include "engine/picture/pcx_row_encoder.h"
#include "engine/render/label_image.h"
#include "engine/render/redraw.h"
#include "engine/rotate/rotate_label.h"
#include "tests/support/engine_fixture.h"

namespace zk {
namespace {

using Bytes = std::vector<std::uint8_t>;
using InkAt = std::function<bool(int x, int y)>;

std::int16_t I16(int v)
{
    return static_cast<std::int16_t>(v);
}

// A block of width x height dots encoded as the loader would: rows of whole
// 16-dot words, paper past the width.
std::shared_ptr<TPictureData> Block(int width, int height, const InkAt& ink)
{
    const int bytesPerLine = ((width + 15) / 16) * 2;
    auto block = std::make_shared<TPictureData>();
    block->RefCount = 1;
    block->BytesPerLine = static_cast<std::uint8_t>(bytesPerLine);
    Bytes row(static_cast<std::size_t>(bytesPerLine));
    for (int y = 0; y < height; ++y) {
        std::fill(row.begin(), row.end(), 0xFF);
        for (int x = 0; x < width; ++x) {
            if (ink(x, y))
                row[static_cast<std::size_t>(x / 8)] &= static_cast<std::uint8_t>(~(0x80u >> (x % 8)));
        }
        EncodePcxRow(row, block->Rows);
    }
    return block;
}

TPictureFigure Picture(int x, int y, int width, int height, std::shared_ptr<TPictureData> block,
                       const char* name = "LOGO")
{
    TPictureFigure p;
    p.X = I16(x);
    p.Y = I16(y);
    p.Width = I16(width);
    p.Height = I16(height);
    p.DataLength = static_cast<std::uint16_t>(block ? block->BlockLength() : 0);
    p.Name = name;
    p.Data = std::move(block);
    return p;
}

// Every row of a block, decoded; empty when the block ends early.
std::vector<Bytes> DecodedRows(const TPictureData& block, int height)
{
    std::vector<Bytes> rows;
    std::size_t pos = 0;
    for (int y = 0; y < height; ++y) {
        Bytes row(block.BytesPerLine);
        if (!DecodePcxRow(block.Rows, pos, row))
            return {};
        rows.push_back(row);
    }
    EXPECT_EQ(pos, block.Rows.size());
    return rows;
}

// A shape with no symmetry, so any wrong turn shows.
bool Pattern(int x, int y)
{
    return x == y || (x * 7 + y * 3) % 5 == 0 || (x < 3 && y > 4);
}

std::vector<std::uint32_t> Snapshot()
{
    return {LabelImage.Bits(), LabelImage.Bits() + LabelImage.Width() * LabelImage.Height()};
}

class RotatePictureTest : public test::EngineTest {
protected:
    RotatePictureTest()
    {
        LabelSetup.LabelWidth = 48;
        LabelSetup.LabelLength = 40;
    }

    TFigure& Add(const TFigurePayload& payload)
    {
        EXPECT_EQ(AppendFigure(payload), 0);
        return *FigureList.FigureTail;
    }

    // The label drawn before the turn; after it each dot (x, y) must sit
    // at (new width - 1 - y, x).
    void ExpectDotsTurned(const std::vector<std::uint32_t>& before, int oldWidth, int oldLength)
    {
        ASSERT_EQ(LabelImage.Width(), oldLength);
        ASSERT_EQ(LabelImage.Height(), oldWidth);
        int ink = 0;
        for (int y = 0; y < oldLength; ++y) {
            for (int x = 0; x < oldWidth; ++x) {
                const std::uint32_t dot = before[static_cast<std::size_t>(y * oldWidth + x)];
                ink += dot == Black;
                ASSERT_EQ(LabelImage.Pixel(oldLength - 1 - y, x), dot) << "dot " << x << "," << y;
            }
        }
        EXPECT_GT(ink, 0);
    }
};

TEST_F(RotatePictureTest, SmallPictureIsTurnedAndEncodedAgainIntoTheStagingBuffer)
{
    // 3 x 2 dots, ink at (0, 0) and (2, 0).
    auto block = std::make_shared<TPictureData>();
    block->RefCount = 1;
    block->BytesPerLine = 2;
    block->Rows = {0x5F, 0xC1, 0xFF, 0xC2, 0xFF};
    TPictureFigure picture = Picture(0, 0, 3, 2, block);

    ASSERT_TRUE(RotatePictureData(picture));

    // 2 x 3 dots, ink at (1, 0) and (1, 2): 0xBF is written as a run inside
    // the row, 0xFF as a run at its end.
    EXPECT_EQ(picture.Width, 2);
    EXPECT_EQ(picture.Height, 3);
    ASSERT_NE(picture.Data, block);
    EXPECT_EQ(picture.Data->BytesPerLine, 2);
    const Bytes rows = {0xC1, 0xBF, 0xC1, 0xFF, 0xC2, 0xFF, 0xC1, 0xBF, 0xC1, 0xFF};
    EXPECT_EQ(picture.Data->Rows, rows);
    EXPECT_EQ(picture.DataLength, 12);
    EXPECT_EQ(picture.Data->RefCount, 1u);

    const auto image = PcxImageBuffer.Image();
    ASSERT_EQ(image.size(), PcxHeaderSize + rows.size());
    EXPECT_EQ(image[PcxField::Manufacturer], 10);
    EXPECT_EQ(image[PcxField::Version], 5);
    EXPECT_EQ(image[PcxField::Encoding], 1);
    EXPECT_EQ(image[PcxField::BitsPerPixel], 1);
    EXPECT_EQ(GetLe16(&image[PcxField::Xmin]), 0);
    EXPECT_EQ(GetLe16(&image[PcxField::Ymin]), 0);
    EXPECT_EQ(GetLe16(&image[PcxField::Xmax]), 1);
    EXPECT_EQ(GetLe16(&image[PcxField::Ymax]), 2);
    EXPECT_EQ(GetLe16(&image[PcxField::HResolution]), 120);
    EXPECT_EQ(GetLe16(&image[PcxField::VResolution]), 120);
    for (int n = 0; n < 16; ++n) {
        for (int c = 0; c < 3; ++c) EXPECT_EQ(image[PcxField::Palette + 3 * n + c], 15 - n);
    }
    EXPECT_EQ(image[PcxField::Planes], 1);
    EXPECT_EQ(GetLe16(&image[PcxField::BytesPerLine]), 2);
    EXPECT_EQ(GetLe16(&image[PcxField::PaletteInfo]), 1);
    EXPECT_TRUE(std::equal(rows.begin(), rows.end(), image.begin() + PcxHeaderSize));
}

TEST_F(RotatePictureTest, DrawnPictureTurnsDotByDot)
{
    // 21 x 13: the turned rows are 13 dots padded to 16, the old ones 21 to 32.
    Add(Picture(6, 9, 21, 13, Block(21, 13, Pattern)));
    LabelImage.Resize(48, 40);
    RedrawLabel(RedrawPreview);
    const auto before = Snapshot();

    ASSERT_TRUE(RotateLabelCW());

    ExpectDotsTurned(before, 48, 40);
    const TPictureFigure& picture = FigureList.FigureHead->Picture();
    EXPECT_EQ(picture.X, 40 - 9 - 13);
    EXPECT_EQ(picture.Y, 6);
    EXPECT_EQ(picture.Width, 13);
    EXPECT_EQ(picture.Height, 21);
    EXPECT_EQ(picture.Data->BytesPerLine, 2);
    EXPECT_EQ(picture.DataLength, picture.Data->BlockLength());
    EXPECT_EQ(DecodedRows(*picture.Data, 21).size(), 21u);
}

// Blocks that show less than their size: what drawing leaves out stays paper
// once turned, and the turned block holds every row.
TEST_F(RotatePictureTest, DamagedOrNarrowBlocksTurnWhatTheyShow)
{
    const Bytes whole = Block(12, 6, Pattern)->Rows;
    const struct {
        const char* name;
        int width;
        std::uint8_t bytesPerLine;
        Bytes rows;
    } cases[] = {
        {"ends inside a row", 12, 2,
         Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(whole.size() / 2))},
        {"ends after a count byte", 12, 2, {0x00, 0x0F, 0xC3}},
        {"no rows at all", 12, 2, {}},
        {"wider than its bytes", 30, 2, whole},
        {"no bytes per line", 12, 0, whole},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ClearFigureList();
        LabelSetup.LabelWidth = 48;
        LabelSetup.LabelLength = 40;
        auto block = std::make_shared<TPictureData>();
        block->RefCount = 1;
        block->BytesPerLine = c.bytesPerLine;
        block->Rows = c.rows;
        // A bar keeps the image from being all paper in the empty cases.
        Add(TBarFigure{0, 0, 2, 1, 0});
        Add(Picture(3, 4, c.width, 6, block));
        LabelImage.Resize(48, 40);
        RedrawLabel(RedrawPreview);
        const auto before = Snapshot();

        ASSERT_TRUE(RotateLabelCW());

        ExpectDotsTurned(before, 48, 40);
        const TPictureFigure& picture = FigureList.FigureTail->Picture();
        EXPECT_EQ(picture.Width, 6);
        EXPECT_EQ(picture.Height, c.width);
        EXPECT_EQ(DecodedRows(*picture.Data, c.width).size(), static_cast<std::size_t>(c.width));
    }
}

TEST_F(RotatePictureTest, SharedBlockIsTurnedOnceAndStaysShared)
{
    auto block = Block(10, 4, Pattern);
    block->RefCount = 2;
    const std::weak_ptr<TPictureData> oldBlock = block;
    Add(Picture(1, 2, 10, 4, block));
    Add(TBarFigure{0, 0, 5, 5, 0});
    Add(Picture(20, 30, 10, 4, block));
    // Another block under the same name is turned on its own.
    Add(Picture(5, 5, 10, 4, Block(10, 4, [](int x, int) { return x == 0; })));
    block.reset();

    ASSERT_TRUE(RotateLabelCW());

    const TPictureFigure& first = FigureList.FigureHead->Picture();
    const TPictureFigure& second = FigureList.FigureHead->Next->Next->Picture();
    const TPictureFigure& other = FigureList.FigureTail->Picture();
    EXPECT_TRUE(oldBlock.expired());
    ASSERT_EQ(first.Data, second.Data);
    EXPECT_EQ(first.Data->RefCount, 2u);
    EXPECT_EQ(first.Data->Rows, Block(4, 10, [](int x, int y) { return Pattern(y, 3 - x); })->Rows);
    for (const TPictureFigure* picture : {&first, &second}) {
        EXPECT_EQ(picture->Width, 4);
        EXPECT_EQ(picture->Height, 10);
        EXPECT_EQ(picture->DataLength, first.Data->BlockLength());
    }
    EXPECT_EQ(first.X, 40 - 2 - 4);
    EXPECT_EQ(first.Y, 1);
    EXPECT_EQ(second.X, 40 - 30 - 4);
    EXPECT_EQ(second.Y, 20);

    ASSERT_NE(other.Data, first.Data);
    EXPECT_EQ(other.Data->RefCount, 1u);
    EXPECT_EQ(other.Data->Rows, Block(4, 10, [](int, int y) { return y == 0; })->Rows);
    for (const TFigure* figure : Figures()) EXPECT_EQ(figure->Flags, 0);
}

TEST_F(RotatePictureTest, FourTurnsGiveTheSameBlockBack)
{
    auto block = Block(21, 13, Pattern);
    const Bytes rows = block->Rows;
    Add(Picture(6, 9, 21, 13, block));
    Add(Picture(30, 1, 21, 13, block));
    block->RefCount = 2;
    block.reset();
    Add(Picture(0, 0, 0, 0, nullptr, "EMPTY"));
    Bytes stored;
    for (const TFigure* figure : Figures()) {
        const PayloadBytes bytes = EncodePayload(figure->Payload);
        stored.insert(stored.end(), bytes.begin(), bytes.end());
    }

    for (int turn = 0; turn < 4; ++turn) ASSERT_TRUE(RotateLabelCW());

    Bytes after;
    for (const TFigure* figure : Figures()) {
        const PayloadBytes bytes = EncodePayload(figure->Payload);
        after.insert(after.end(), bytes.begin(), bytes.end());
    }
    EXPECT_EQ(after, stored);
    const TPictureFigure& picture = FigureList.FigureHead->Picture();
    EXPECT_EQ(picture.Data->Rows, rows);
    EXPECT_EQ(picture.Data->RefCount, 2u);
    EXPECT_EQ(FigureList.FigureHead->Next->Picture().Data, picture.Data);
    EXPECT_EQ(FigureList.FigureTail->Picture().Data, nullptr);
}

// Turned pictures must still fit a picture block: at most 126 bytes a row
// and the staging buffer. Refused, the label stays as it was.
TEST_F(RotatePictureTest, PicturesTooBigToTurnAreRefused)
{
    // Turned, every row byte alternates between two values of 0xC0 and up,
    // so each takes two bytes: 400 rows of 252 bytes.
    const InkAt busy = [](int, int y) {
        const int turnedX = 1007 - y;
        const std::uint8_t value = (turnedX / 8) % 2 != 0 ? 0xC3 : 0xCC;
        return (value & (0x80u >> (turnedX % 8))) == 0;
    };
    const struct {
        const char* name;
        int width;
        int height;
        InkAt ink;
        bool turns;
    } cases[] = {
        {"1008 dots turned wide", 8, 1008, Pattern, true},
        {"1009 dots turned wide", 8, 1009, Pattern, false},
        {"rows too busy for the buffer", 400, 1008, busy, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ClearFigureList();
        ui.messageBoxes.clear();
        LabelSetup.LabelWidth = 48;
        LabelSetup.LabelLength = 40;
        auto block = Block(c.width, c.height, c.ink);
        const Bytes rows = block->Rows;
        Add(TBarFigure{1, 2, 3, 4, 0});
        Add(Picture(0, 0, c.width, c.height, block));
        block.reset();

        EXPECT_EQ(RotateLabelCW(), c.turns);

        if (c.turns) {
            EXPECT_TRUE(ui.messageBoxes.empty());
            EXPECT_EQ(FigureList.FigureTail->Picture().Data->BytesPerLine, 126);
            continue;
        }
        ASSERT_EQ(ui.messageBoxes.size(), 1u);
        EXPECT_EQ(ui.messageBoxes[0].caption, "Error");
        EXPECT_EQ(ui.messageBoxes[0].text, "Can't rotate. Picture too big");
        EXPECT_EQ(LabelSetup.LabelWidth, 48);
        EXPECT_EQ(FigureList.FigureHead->Bar().X, 1);
        const TPictureFigure& picture = FigureList.FigureTail->Picture();
        EXPECT_EQ(picture.Width, c.width);
        EXPECT_EQ(picture.Data->Rows, rows);
    }
}

}  // namespace
}  // namespace zk
