// The texts of the figure list's rows for every figure kind, and which
// figure a row stands for.

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "engine/model/figure_list.h"
#include "tests/ui/editing/editor_fixture.h"
#include "ui/dialogs/fig_list_rows.h"

namespace zk {
namespace {

class FigListRowsTest : public test::EditorTest {};

TTextFigure Text(std::int16_t font, std::int16_t hMult, std::int16_t vMult, std::int16_t rotation, const char* data)
{
    TTextFigure text;
    text.X = 12;
    text.Y = 34;
    text.Font = font;
    text.HMult = hMult;
    text.VMult = vMult;
    text.Rotation = rotation;
    text.Data = data;
    return text;
}

TBarcodeFigure Barcode(std::int16_t type, std::int16_t rotation, const char* data)
{
    TBarcodeFigure barcode;
    barcode.Type = type;
    barcode.X = 5;
    barcode.Y = 6;
    barcode.Rotation = rotation;
    barcode.Data = data;
    return barcode;
}

TPictureFigure Picture()
{
    TPictureFigure picture;
    picture.X = 7;
    picture.Y = 8;
    picture.Width = 120;
    picture.Height = 45;
    picture.Name = "LOGO1";
    return picture;
}

TPdf417Figure Pdf417(std::uint8_t rotation, const char* data)
{
    TPdf417Figure pdf;
    pdf.X = 9;
    pdf.Y = 10;
    pdf.MaxWidth = 300;
    pdf.MaxHeight = 90;
    pdf.Rotation = rotation;
    pdf.Data = data;
    return pdf;
}

struct RowCase {
    const char* name;
    TFigurePayload payload;
    TFigureListCells cells;  // column 0 and 1 are checked apart
};

// Printer text 0x81 is u-umlaut in the printer's code page 437; the grid
// gets code page 1252 (0xFC).
const RowCase ROW_CASES[] = {
    {"TextResident", Text(3, 1, 1, 0, "Price \x81"), {"", "", "Text  (Font 3)", "12", "34", "None", "Price \xFC"}},
    {"TextMultiplied", Text(0, 2, 3, 1, "A"), {"", "", "Text  (Font 0, Multiplied 2x3)", "12", "34", "90 deg", "A"}},
    {"TextOnlyOneMultiplier", Text(5, 1, 2, 2, ""), {"", "", "Text  (Font 5, Multiplied 1x2)", "12", "34", "180 deg", ""}},
    {"TextSoftFont", Text(6, 1, 1, 3, "x"), {"", "", "Text  (Loadable font K)", "12", "34", "270 deg", "x"}},
    {"TextSoftFontMultiplied", Text(6, 4, 4, 0, "x"),
     {"", "", "Text  (Loadable font K, Multiplied 4x4)", "12", "34", "None", "x"}},
    {"TextMissingSoftFont", Text(9, 1, 1, 0, "x"), {"", "", "Text  (Loadable font ?)", "12", "34", "None", "x"}},
    {"TextRotationOutOfRange", Text(1, 1, 1, 7, "x"), {"", "", "Text  (Font 1)", "12", "34", "", "x"}},
    {"Barcode", Barcode(3, 1, "12\x81"), {"", "", "Barcode  Code 128 auto A, B, C modes", "5", "6", "90 deg", "12\xFC"}},
    {"BarcodeFirstType", Barcode(0, 0, "A"), {"", "", "Barcode  Code 39", "5", "6", "None", "A"}},
    {"BarcodeUnknownType", Barcode(99, 0, "A"), {"", "", "Barcode  ", "5", "6", "None", "A"}},
    {"Bar", TBarFigure{11, 22, 33, 44, 0}, {"", "", "Rectangle  (Size 33x44)", "11", "22", "", ""}},
    {"Line", TLineFigure{1, 2, -3, 4, 2, 0}, {"", "", "Line  (1,2 to -3,4)", "", "", "", ""}},
    {"BoxDrawnBackwards", TBoxFigure{100, 80, 40, 20, 2}, {"", "", "Box  (Size 60x60)", "40", "20", "", ""}},
    {"Box", TBoxFigure{10, 20, 50, 25, 2}, {"", "", "Box  (Size 40x5)", "10", "20", "", ""}},
    {"Picture", Picture(), {"", "", "Picture  \"LOGO1\"  (Size 120x45)", "7", "8", "", ""}},
    {"Pdf417", Pdf417(2, "PDF \x81"), {"", "", "Barcode PDF417  (Max. size 300x90)", "9", "10", "180 deg", "PDF \xFC"}},
    {"Pdf417WithoutData", Pdf417(3, ""), {"", "", "Barcode PDF417  (Max. size 300x90)", "9", "10", "270 deg", ""}},
};

void PrintTo(const RowCase& c, std::ostream* os)
{
    *os << c.name;
}

class FigListRowCaseTest : public FigListRowsTest, public ::testing::WithParamInterface<RowCase> {};

TEST_P(FigListRowCaseTest, ShowsTheFigureAsTheGridRow)
{
    const RowCase& c = GetParam();
    Add(SoftFont("K", 20));  // font 6
    Add(c.payload);
    const TFigure* figure = FigureOfListRow(1);
    ASSERT_NE(figure, nullptr);
    TFigureListCells cells = FigureListCells(*figure, 1);
    EXPECT_EQ(cells[0], " 1");
    EXPECT_EQ(cells[1], "");
    cells[0] = cells[1] = "";
    EXPECT_EQ(cells, c.cells);
}

INSTANTIATE_TEST_SUITE_P(Kinds, FigListRowCaseTest, ::testing::ValuesIn(ROW_CASES),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FigListRowsTest, SoftFontLetterFollowsTheFontNumber)
{
    Add(SoftFont("A", 20));
    Add(SoftFont("B", 20));
    Add(Text(7, 1, 1, 0, ""));
    EXPECT_EQ(FigureListCells(*FigureOfListRow(1), 1)[2], "Text  (Loadable font B)");
}

TEST_F(FigListRowsTest, RowsCountOnlyFiguresOtherThanSoftFonts)
{
    EXPECT_EQ(ListedFigureCount(), 0);
    EXPECT_EQ(FigureOfListRow(1), nullptr);
    Add(SoftFont("A", 20));
    TFigure* first = Add(Bar(1, 1, 4, 4));
    Add(SoftFont("B", 20));
    TFigure* second = Add(Line(0, 0, 10, 10));
    EXPECT_EQ(ListedFigureCount(), 2);
    EXPECT_EQ(FigureOfListRow(0), nullptr);
    EXPECT_EQ(FigureOfListRow(1), first);
    EXPECT_EQ(FigureOfListRow(2), second);
    EXPECT_EQ(FigureOfListRow(3), nullptr);
    EXPECT_EQ(FigureOfListRow(-1), nullptr);
}

TEST_F(FigListRowsTest, RowNumberAndSelectionMark)
{
    Add(Bar(1, 1, 4, 4));
    TFigure* selected = Add(Bar(1, 1, 4, 4), FigureFlag::Selected);
    const TFigureListCells cells = FigureListCells(*selected, 12);
    EXPECT_EQ(cells[0], " 12");
    EXPECT_EQ(cells[1], "#");
}

TEST_F(FigListRowsTest, SwappingContentsKeepsTheNodesAndTheirLinks)
{
    TFigure* a = Add(Bar(1, 2, 3, 4), FigureFlag::Selected);
    a->PasteMark = 1;
    TFigure* b = Add(Pdf417(0, "text"));
    SwapFigureContents(*a, *b);
    EXPECT_EQ(Nodes(), (std::vector<const TFigure*>{a, b}));
    ASSERT_TRUE(a->Is(TFigureKind::Pdf417));
    EXPECT_EQ(a->Pdf417().Data, "text");
    EXPECT_EQ(a->Flags, 0);
    EXPECT_EQ(a->PasteMark, 0);
    ASSERT_TRUE(b->Is(TFigureKind::Bar));
    EXPECT_EQ(b->Bar().X, 1);
    EXPECT_EQ(b->Flags, FigureFlag::Selected);
    EXPECT_EQ(b->PasteMark, 1);
    EXPECT_EQ(a->Next, b);
    EXPECT_EQ(b->Prev, a);
}

}  // namespace
}  // namespace zk
