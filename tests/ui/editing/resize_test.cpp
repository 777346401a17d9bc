#include "ui/editing/resize.h"

#include <gtest/gtest.h>

#include "engine/model/label_setup.h"
#include "engine/model/payload_codec.h"
#include "tests/ui/editing/editor_fixture.h"

namespace zk {
namespace {

class ResizeTest : public test::EditorTest {};

TBarcodeFigure Barcode(std::int16_t rotation)
{
    TBarcodeFigure barcode;
    barcode.Type = 1;
    barcode.X = 100;
    barcode.Y = 50;
    barcode.RenderedWidth = 80;
    barcode.Height = 40;
    barcode.Narrow = 2;
    barcode.Rotation = rotation;
    return barcode;
}

TPdf417Figure Pdf417(std::uint8_t rotation)
{
    TPdf417Figure pdf;
    pdf.X = 10;
    pdf.Y = 20;
    pdf.MaxWidth = 170;
    pdf.MaxHeight = 64;
    pdf.Rotation = rotation;
    pdf.Data = "\"PDF\"";
    return pdf;
}

TEST_F(ResizeTest, HandlesByKind)
{
    struct Case {
        const char* name;
        TFigurePayload payload;
        TPoint point;
        int handle;
        TResizeRect rect;  // checked when a handle is found
    };
    TTextFigure text;
    TPictureFigure picture;
    picture.Width = 20;
    picture.Height = 20;
    const Case cases[] = {
        {"bar corner 1", TBarFigure{10, 10, 20, 10, 0}, {10, 10}, 1, {10, 10, 30, 20}},
        {"bar corner 2", TBarFigure{10, 10, 20, 10, 0}, {30, 10}, 2, {10, 10, 30, 20}},
        {"bar corner 3", TBarFigure{10, 10, 20, 10, 0}, {10, 20}, 3, {10, 10, 30, 20}},
        {"bar corner 4", TBarFigure{10, 10, 20, 10, 0}, {30, 20}, 4, {10, 10, 30, 20}},
        {"bar 4 dots off", TBarFigure{10, 10, 20, 10, 0}, {34, 24}, 4, {10, 10, 30, 20}},
        {"bar 5 dots off", TBarFigure{10, 10, 20, 10, 0}, {35, 20}, 0, {}},
        {"small bar takes the first corner", TBarFigure{10, 10, 4, 4, 0}, {12, 12}, 1, {10, 10, 14, 14}},
        {"box as stored", TBoxFigure{50, 50, 10, 10, 2}, {10, 10}, 4, {50, 50, 10, 10}},
        {"box corner 3", TBoxFigure{50, 50, 10, 10, 2}, {50, 10}, 3, {50, 50, 10, 10}},
        {"line start", TLineFigure{0, 0, 100, 50, 2, 0}, {2, 2}, 1, {0, 0, 100, 50}},
        {"line end", TLineFigure{0, 0, 100, 50, 2, 0}, {98, 48}, 4, {0, 0, 100, 50}},
        {"line middle", TLineFigure{0, 0, 100, 50, 2, 0}, {50, 25}, 0, {}},
        {"barcode rot 0 bottom edge", Barcode(0), {140, 94}, 5, {100, 50, 180, 90}},
        {"barcode rot 0 below reach", Barcode(0), {140, 95}, 0, {}},
        {"barcode rot 0 beside edge", Barcode(0), {181, 90}, 0, {}},
        {"barcode rot 0 top edge", Barcode(0), {140, 50}, 0, {}},
        {"barcode rot 1 left edge", Barcode(1), {62, 90}, 6, {60, 50, 100, 130}},
        {"barcode rot 2 top edge", Barcode(2), {50, 6}, 7, {20, 10, 100, 50}},
        {"barcode rot 3 right edge", Barcode(3), {144, 0}, 8, {100, -30, 140, 50}},
        {"pdf417 rot 0", Pdf417(0), {180, 84}, 4, {10, 20, 180, 84}},
        {"pdf417 rot 0 anchor", Pdf417(0), {10, 20}, 0, {}},
        {"pdf417 rot 1", Pdf417(1), {-54, 190}, 3, {-54, 20, 10, 190}},
        {"pdf417 rot 2", Pdf417(2), {-160, -44}, 1, {-160, -44, 10, 20}},
        {"pdf417 rot 3", Pdf417(3), {74, -150}, 2, {10, -150, 74, 20}},
        {"text", text, {0, 0}, 0, {}},
        {"picture", picture, {20, 20}, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClearFigureList();
        ResetEditorState();
        TFigure* figure = Add(c.payload);
        FindResizeHandle(c.point.x, c.point.y);
        EXPECT_EQ(EditorState.ResizeHandle, c.handle);
        if (c.handle != 0) {
            EXPECT_EQ(EditorState.ResizeFigure, figure->Id);
            EXPECT_EQ(EditorState.ResizeRect, c.rect);
        }
    }
}

TEST_F(ResizeTest, TheEarlierFigureWinsAndTheReferencePointCounts)
{
    LabelSetup.LeftMargin = 100;
    TFigure* first = Add(Bar(10, 10, 20, 10));
    Add(Bar(10, 10, 50, 50));
    FindResizeHandle(110, 10);
    EXPECT_EQ(EditorState.ResizeHandle, 1);
    EXPECT_EQ(EditorState.ResizeFigure, first->Id);
    FindResizeHandle(10, 10);
    EXPECT_EQ(EditorState.ResizeHandle, 0);
}

TEST_F(ResizeTest, EachHandleMovesItsCoordinates)
{
    const TResizeRect moved[] = {
        {10, 20, 30, 40},  // 0: no handle
        {13, 25, 30, 40}, {10, 25, 33, 40}, {13, 20, 30, 45}, {10, 20, 33, 45},
        {10, 20, 30, 45}, {13, 20, 30, 40}, {10, 25, 30, 40}, {10, 20, 33, 40},
    };
    for (int handle = 0; handle <= 8; ++handle) {
        SCOPED_TRACE(handle);
        EditorState.ResizeHandle = handle;
        EditorState.ResizeRect = {10, 20, 30, 40};
        MoveResizeHandle(3, 5);
        EXPECT_EQ(EditorState.ResizeRect, moved[handle]);
    }
}

TEST_F(ResizeTest, EndResizeWritesBackWithMinimums)
{
    struct Case {
        const char* name;
        TFigurePayload before;
        int handle;
        TResizeRect rect;
        TFigurePayload after;
    };
    TBarcodeFigure low = Barcode(0);
    low.Height = 24;
    TBarcodeFigure tall = Barcode(0);
    tall.Height = 100;
    TPdf417Figure pdfBig = Pdf417(0);
    pdfBig.MaxWidth = 290;
    pdfBig.MaxHeight = 100;
    TPdf417Figure pdfMin = Pdf417(0);
    pdfMin.MaxWidth = 170;
    pdfMin.MaxHeight = 12;
    TPdf417Figure pdfTurned = Pdf417(1);
    pdfTurned.MaxWidth = 280;
    pdfTurned.MaxHeight = 110;
    const Case cases[] = {
        {"bar to zero width", TBarFigure{10, 10, 20, 20, 1}, 2, {10, 10, 10, 30}, TBarFigure{10, 10, 2, 20, 1}},
        {"bar turned inside out", TBarFigure{30, 40, 5, 5, 0}, 1, {30, 40, 10, 20}, TBarFigure{10, 20, 20, 20, 0}},
        {"bar to zero height", TBarFigure{10, 10, 20, 20, 0}, 4, {10, 10, 30, 11}, TBarFigure{10, 10, 20, 2, 0}},
        {"bar beyond the field", TBarFigure{0, 0, 10, 10, 0}, 4, {0, 0, 40000, 10}, TBarFigure{0, 0, 32767, 10, 0}},
        {"box normalised, 2 wide", TBoxFigure{49, 10, 60, 50, 3}, 2, {50, 50, 49, 10}, TBoxFigure{49, 10, 51, 50, 3}},
        {"line stretched right", TLineFigure{0, 0, 0, 0, 2, 0}, 4, {10, 10, 15, 13}, TLineFigure{10, 10, 26, 13, 2, 0}},
        {"line stretched left", TLineFigure{0, 0, 0, 0, 2, 0}, 1, {20, 10, 15, 13}, TLineFigure{31, 10, 15, 13, 2, 0}},
        {"line ends together", TLineFigure{0, 0, 0, 0, 2, 0}, 1, {10, 10, 10, 10}, TLineFigure{26, 10, 10, 10, 2, 0}},
        {"line 8 long kept", TLineFigure{0, 0, 0, 0, 2, 0}, 4, {10, 10, 18, 10}, TLineFigure{10, 10, 18, 10, 2, 0}},
        {"barcode below 24", Barcode(0), 5, {100, 50, 180, 70}, low},
        {"barcode turned over", Barcode(0), 5, {100, 50, 180, 30}, low},
        {"barcode taller", Barcode(0), 5, {100, 50, 180, 150}, tall},
        {"barcode rot 1 by width", Barcode(1), 6, {0, 50, 100, 130}, [] {
             TBarcodeFigure b = Barcode(1);
             b.Height = 100;
             return b;
         }()},
        {"pdf417 larger", Pdf417(0), 4, {10, 20, 300, 120}, pdfBig},
        {"pdf417 minimums", Pdf417(0), 4, {10, 20, 100, 25}, pdfMin},
        {"pdf417 turned swaps axes", Pdf417(1), 3, {-100, 20, 10, 300}, pdfTurned},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClearFigureList();
        TFigure* figure = Add(c.before);
        EditorState.ResizeFigure = figure->Id;
        EditorState.ResizeHandle = c.handle;
        EditorState.ResizeRect = c.rect;
        EditorState.ResizeWasSelected = 0;
        EditorState.CancelResize = 0;
        EndResize();
        TFigurePayload expected = c.after;
        if (auto* barcode = std::get_if<TBarcodeFigure>(&expected)) {
            // The redraw after the resize refreshes the encoder's extent.
            barcode->ModuleCount = figure->Barcode().ModuleCount;
            barcode->RenderedWidth = figure->Barcode().RenderedWidth;
        }
        EXPECT_EQ(EncodePayload(figure->Payload), EncodePayload(expected));
        EXPECT_FALSE(figure->IsSelected());
    }
}

TEST_F(ResizeTest, EndResizeRestoresTheSelectionAndRedraws)
{
    TFigure* figure = Add(Bar(10, 10, 20, 20));
    EditorState.ResizeFigure = figure->Id;
    EditorState.ResizeHandle = 4;
    EditorState.ResizeRect = {10, 10, 50, 50};
    EditorState.ResizeWasSelected = 1;
    EndResize();
    EXPECT_TRUE(figure->IsSelected());
    EXPECT_EQ(figure->Bar().Width, 40);
    EXPECT_EQ(redraws, 1);
}

TEST_F(ResizeTest, ACancelledResizeOnlyRestoresTheSelection)
{
    TFigure* figure = Add(Pdf417(0));
    const auto before = EncodePayload(figure->Payload);
    FindResizeHandle(180, 84);
    ASSERT_EQ(EditorState.ResizeHandle, 4);
    EditorState.ResizeWasSelected = 1;
    MoveResizeHandle(300, 300);
    EditorState.CancelResize = 1;
    EndResize();
    EXPECT_EQ(EncodePayload(figure->Payload), before);
    EXPECT_EQ(figure->Pdf417().Data, "\"PDF\"");
    EXPECT_TRUE(figure->IsSelected());
    EXPECT_EQ(redraws, 1);
}

}  // namespace
}  // namespace zk
