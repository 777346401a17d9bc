// Turning the label: every figure kind moved to its turned place, four
// turns back to the start, the refusals, and the canvas sized afterwards.

#include "engine/rotate/rotate_label.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

#include "engine/labelfile/label_file.h"
#include "engine/link/exchange_guard.h"
#include "engine/model/figure_list.h"
#include "engine/model/label_setup.h"
#include "engine/model/payload_codec.h"
#include "engine/render/label_image.h"
#include "engine/render/redraw.h"
#include "tests/support/engine_fixture.h"

namespace zk {
namespace {

std::int16_t I16(int v) { return static_cast<std::int16_t>(v); }

TTextFigure Text(int x, int y, int rotation)
{
    TTextFigure t;
    t.X = I16(x);
    t.Y = I16(y);
    t.HMult = 2;
    t.VMult = 3;
    t.Font = 4;
    t.Attributes = TextAttr::UseEnglish | 1;
    t.Rotation = I16(rotation);
    t.RenderedWidth = 77;
    t.Data = "\"Text\"";
    return t;
}

TBarcodeFigure Barcode(int x, int y, int rotation)
{
    TBarcodeFigure b;
    b.Type = 8;
    b.X = I16(x);
    b.Y = I16(y);
    b.Height = 80;
    b.Narrow = 2;
    b.Wide = 3;
    b.HumanReadable = 2;
    b.Rotation = I16(rotation);
    b.ModuleCount = 95;
    b.RenderedWidth = 190;
    b.Data = "\"123456789012\"";
    return b;
}

TPdf417Figure Pdf417(int x, int y, int rotation)
{
    TPdf417Figure p;
    p.X = I16(x);
    p.Y = I16(y);
    p.MaxWidth = 170;
    p.MaxHeight = 64;
    p.MaxCols = 16;
    p.MaxRows = 30;
    p.SecurityLevel = 3;
    p.Position = 1;
    p.ModuleWidth = 6;
    p.ModuleHeight = 24;
    p.Rotation = static_cast<std::uint8_t>(rotation);
    p.Data = "\"PDF417\"";
    return p;
}

TSoftFontFigure SoftFont()
{
    TSoftFontFigure f;
    f.CharCount = 2;
    f.Height = 16;
    f.DataLength = 4;
    f.Letter = "A";
    f.Data = std::make_shared<TFontData>(TFontData{{1, 2, 3, 4}});
    return f;
}

// The stored bytes of every figure, head first.
std::vector<PayloadBytes> StoredFigures()
{
    std::vector<PayloadBytes> stored;
    for (const TFigure* figure : Figures()) {
        stored.push_back(EncodePayload(figure->Payload));
    }
    return stored;
}

class RotateLabelTest : public test::EngineTest {
protected:
    RotateLabelTest()
    {
        LabelSetup.LabelWidth = 384;
        LabelSetup.LabelLength = 200;
        // The editor's hook: sizing and redrawing are watched, and the
        // figures keep the fields a redraw would refresh.
        LabelLoadedHook = [this](LabelLoadTarget target) { hookCalls.push_back(target); };
    }

    void Add(const TFigurePayload& payload) { ASSERT_EQ(AppendFigure(payload), 0); }

    std::vector<LabelLoadTarget> hookCalls;
};

TEST_F(RotateLabelTest, EveryKindMovesToItsTurnedPlace)
{
    Add(Text(10, 20, 3));
    Add(Barcode(40, 30, 1));
    Add(TBarFigure{0, 0, 100, 20, 1});
    Add(TLineFigure{40, 40, 140, 90, 4, 2});
    Add(TBoxFigure{5, 6, 50, 60, 3});
    Add(SoftFont());
    Add(Pdf417(12, 34, 3));

    ASSERT_TRUE(RotateLabelCW());

    EXPECT_EQ(LabelSetup.LabelWidth, 200);
    EXPECT_EQ(LabelSetup.LabelLength, 384);
    const std::vector<PayloadBytes> expected = {
        EncodePayload(Text(179, 10, 0)),
        EncodePayload(Barcode(169, 40, 2)),
        EncodePayload(TBarFigure{180, 0, 20, 100, 1}),
        EncodePayload(TLineFigure{159, 40, 109, 140, 4, 2}),
        EncodePayload(TBoxFigure{193, 5, 139, 50, 3}),
        EncodePayload(SoftFont()),
        EncodePayload(Pdf417(165, 12, 0)),
    };
    EXPECT_EQ(StoredFigures(), expected);
    // What a figure owns stays with it.
    const TFigure* font = FigureList.FigureHead->Next->Next->Next->Next->Next;
    EXPECT_EQ(font->SoftFont().Data->Bytes, (std::vector<std::uint8_t>{1, 2, 3, 4}));
    EXPECT_EQ(FigureList.FigureTail->Pdf417().Data, "\"PDF417\"");
    EXPECT_EQ(hookCalls, std::vector<LabelLoadTarget>{LabelLoadTarget::Editor});
}

TEST_F(RotateLabelTest, RotationCodesStepOnModuloFour)
{
    const struct {
        int before;
        int after;
    } rows[] = {{0, 1}, {1, 2}, {2, 3}, {3, 0}, {5, 2}, {-1, 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.before);
        ClearFigureList();
        Add(Text(0, 0, row.before));
        Add(Barcode(0, 0, row.before));
        LabelSetup.LabelLength = 200;
        ASSERT_TRUE(RotateLabelCW());
        EXPECT_EQ(FigureList.FigureHead->Text().Rotation, row.after);
        EXPECT_EQ(FigureList.FigureTail->Barcode().Rotation, row.after);
    }
}

TEST_F(RotateLabelTest, FourTurnsBringEveryFigureBack)
{
    Add(Text(10, 20, 3));
    Add(Barcode(-40, 300, 0));
    Add(TBarFigure{7, 190, 100, 20, 0});
    Add(TLineFigure{40, 40, 140, 90, 4, 0});
    Add(TBoxFigure{100, 10, 20, 150, 2});
    Add(SoftFont());
    Add(Pdf417(12, 34, 2));
    const std::vector<PayloadBytes> before = StoredFigures();

    for (int turn = 0; turn < 4; ++turn) {
        ASSERT_TRUE(RotateLabelCW());
    }

    EXPECT_EQ(LabelSetup.LabelWidth, 384);
    EXPECT_EQ(LabelSetup.LabelLength, 200);
    EXPECT_EQ(StoredFigures(), before);
    EXPECT_EQ(hookCalls.size(), 4u);
}

TEST_F(RotateLabelTest, CoordinatesStopAtTheFieldLimits)
{
    constexpr int Min = std::numeric_limits<std::int16_t>::min();
    constexpr int Max = std::numeric_limits<std::int16_t>::max();
    Add(Text(5, Min, 0));
    Add(TBarFigure{0, Min, 10, -5, 0});
    Add(TLineFigure{1, Max, 2, Min, 1, 0});

    ASSERT_TRUE(RotateLabelCW());

    EXPECT_EQ(FigureList.FigureHead->Text().X, Max);
    EXPECT_EQ(FigureList.FigureHead->Text().Y, 5);
    EXPECT_EQ(FigureList.FigureHead->Next->Bar().X, Max);
    const TLineFigure& line = FigureList.FigureTail->Line();
    EXPECT_EQ(line.X1, 200 - Max - 1);
    EXPECT_EQ(line.Y1, 1);
    EXPECT_EQ(line.X2, Max);
    EXPECT_EQ(line.Y2, 2);
}

TEST_F(RotateLabelTest, TurnedMarksAreClearedBeforeAndAfterAndOtherFlagsStay)
{
    Add(TBarFigure{0, 0, 100, 20, 0});
    Add(Text(10, 20, 0));
    FigureList.FigureHead->Flags = FigureFlag::Selected | FigureFlag::Turned;
    FigureList.FigureTail->Flags = FigureFlag::Turned;

    ASSERT_TRUE(RotateLabelCW());

    EXPECT_EQ(FigureList.FigureHead->Flags, FigureFlag::Selected);
    EXPECT_EQ(FigureList.FigureTail->Flags, 0);
    EXPECT_EQ(FigureList.FigureHead->Bar().X, 180);
}

TEST_F(RotateLabelTest, LabelsLongerThan608DotsAreRefused)
{
    Add(Text(10, 20, 0));
    const std::vector<PayloadBytes> before = StoredFigures();
    LabelSetup.LabelLength = 609;

    EXPECT_FALSE(RotateLabelCW());

    EXPECT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].caption, "Error");
    EXPECT_EQ(ui.OnlyMessage(), "Can't rotate. Label too long");
    EXPECT_EQ(LabelSetup.LabelWidth, 384);
    EXPECT_EQ(LabelSetup.LabelLength, 609);
    EXPECT_EQ(StoredFigures(), before);
    EXPECT_TRUE(hookCalls.empty());

    LabelSetup.LabelLength = 608;
    ui.messageBoxes.clear();
    EXPECT_TRUE(RotateLabelCW());
    EXPECT_TRUE(ui.messageBoxes.empty());
    EXPECT_EQ(LabelSetup.LabelWidth, 608);
    EXPECT_EQ(LabelSetup.LabelLength, 384);
    EXPECT_EQ(FigureList.FigureHead->Text().X, 608 - 20 - 1);
}

TEST_F(RotateLabelTest, WhileAnExchangeRunsItOnlyBeeps)
{
    Add(Text(10, 20, 0));
    const std::vector<PayloadBytes> before = StoredFigures();
    {
        TExchangeGuard exchange;
        EXPECT_FALSE(RotateLabelCW());
    }
    EXPECT_EQ(ui.events, std::vector<std::string>{"beep"});
    EXPECT_EQ(LabelSetup.LabelWidth, 384);
    EXPECT_EQ(StoredFigures(), before);
    EXPECT_TRUE(hookCalls.empty());
}

TEST_F(RotateLabelTest, WithoutAnEditorTheLabelImageIsResizedAndRedrawn)
{
    LabelLoadedHook = nullptr;
    LabelImage.Resize(384, 200);
    Add(TBarFigure{0, 0, 100, 20, 0});

    ASSERT_TRUE(RotateLabelCW());

    EXPECT_EQ(LabelImage.Width(), 200);
    EXPECT_EQ(LabelImage.Height(), 384);
    EXPECT_EQ(DrawnFigureCount, 1);
    EXPECT_EQ(LabelImage.Pixel(180, 0), Black);
    EXPECT_EQ(LabelImage.Pixel(199, 99), Black);
    EXPECT_EQ(LabelImage.Pixel(179, 0), White);
    EXPECT_EQ(LabelImage.Pixel(180, 100), White);
}

}  // namespace
}  // namespace zk
