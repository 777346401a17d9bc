// The draw-versus-edit protocol through modal dialogs: drawing appends one
// figure with the drag's geometry, editing changes the figure and appends
// nothing, and a cancelled dialog changes nothing.

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "engine/labelfile/label_file_format.h"
#include "engine/model/label_setup.h"
#include "tests/ui/dialogs/dialog_fixture.h"
#include "ui/dialogs/pdf417_dlg.h"
#include "ui/dialogs/text_dlg.h"
#include "ui/editing/mouse_editing.h"

namespace zk::test {
namespace {

struct DrawCase {
    std::uint8_t tool;
    const char* dialog;
    const char* caption;
    TPoint start, end;
    // The geometry of the appended figure as text, see Geometry below.
    const char* geometry;
};

void PrintTo(const DrawCase& c, std::ostream* os)
{
    *os << c.dialog;
}

std::string Geometry(const TFigure& f)
{
    auto join = [](std::initializer_list<int> values) {
        std::string text;
        for (int v : values) {
            text += (text.empty() ? "" : ",") + std::to_string(v);
        }
        return text;
    };
    switch (f.Kind()) {
    case TFigureKind::Text: return join({f.Text().X, f.Text().Y});
    case TFigureKind::Barcode: return join({f.Barcode().X, f.Barcode().Y});
    case TFigureKind::Bar: return join({f.Bar().X, f.Bar().Y, f.Bar().Width, f.Bar().Height});
    case TFigureKind::Line: return join({f.Line().X1, f.Line().Y1, f.Line().X2, f.Line().Y2});
    case TFigureKind::Box: return join({f.Box().X1, f.Box().Y1, f.Box().X2, f.Box().Y2});
    case TFigureKind::Pdf417: return join({f.Pdf417().X, f.Pdf417().Y, f.Pdf417().MaxWidth, f.Pdf417().MaxHeight});
    default: return "?";
    }
}

class DrawWithDialog : public FigureDialogTest, public ::testing::WithParamInterface<DrawCase> {};

TEST_P(DrawWithDialog, OkAppendsOneFigureWithTheDragGeometry)
{
    const DrawCase& c = GetParam();
    Add(TBarFigure{1, 1, 5, 5, 0});
    QString caption;
    WhenModalNamed(c.dialog, [&caption](QWidget* dialog) {
        caption = dialog->windowTitle();
        ClickOk(dialog);
    });
    DrawFigureWithDialog(c.tool, c.start, c.end);

    EXPECT_EQ(caption.toStdString(), c.caption);
    ASSERT_EQ(CountFigures(), 2u);
    const TFigure& drawn = *FigureList.FigureTail;
    EXPECT_EQ(drawn.Kind(), static_cast<TFigureKind>(c.tool));
    EXPECT_EQ(Geometry(drawn), c.geometry);
    EXPECT_EQ(drawn.Flags, 0);
    EXPECT_EQ(DialogAccepted, 1);
    EXPECT_EQ(AddNewFigure, 1);
    EXPECT_EQ(redraws, 1);
}

TEST_P(DrawWithDialog, EscAndCancelAppendNothing)
{
    const DrawCase& c = GetParam();
    WhenModalNamed(c.dialog, [](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
    DrawFigureWithDialog(c.tool, c.start, c.end);
    EXPECT_EQ(CountFigures(), 0u);
    EXPECT_EQ(DialogAccepted, 0);

    WhenModalNamed(c.dialog, [](QWidget* dialog) { ClickCancel(dialog); });
    DrawFigureWithDialog(c.tool, c.start, c.end);
    EXPECT_EQ(CountFigures(), 0u);
    EXPECT_EQ(DialogAccepted, 0);
    EXPECT_EQ(redraws, 0);
}

// A label that holds as many figures as it can save takes no drawn one:
// the tool's dialog does not open.
TEST_P(DrawWithDialog, AFullLabelRefusesBeforeTheDialogOpens)
{
    const DrawCase& c = GetParam();
    FillLabel(MaxLabelFigures);
    QDialog* dialog = DialogNamed(c.dialog);
    ASSERT_NE(dialog, nullptr);
    QSignalSpy closed(dialog, &QDialog::finished);
    CloseModalsForTheRestOfTheTest(::testing::UnitTest::GetInstance()->current_test_info());
    DrawFigureWithDialog(c.tool, c.start, c.end);

    EXPECT_EQ(closed.count(), 0);
    EXPECT_EQ(CountFigures(), MaxLabelFigures);
    EXPECT_EQ(ui.OnlyMessage(), "Label can't hold more than 500 figures");
    EXPECT_EQ(ui.messageBoxes[0].caption, "Error");
    EXPECT_EQ(DialogAccepted, 0);
    EXPECT_EQ(redraws, 0);
}

// The dialog's own event loop may let the label fill up meanwhile: OK then
// appends nothing and the dialog stays open for the user to cancel.
TEST_P(DrawWithDialog, OkOnALabelFilledMeanwhileAppendsNothing)
{
    const DrawCase& c = GetParam();
    FillLabel(MaxLabelFigures - 1);
    bool stillOpen = false;
    WhenModalNamed(c.dialog, [&stillOpen](QWidget* dialog) {
        FillLabel(MaxLabelFigures);
        ClickOk(dialog);
        stillOpen = dialog->isVisible();
        ClickCancel(dialog);
    });
    DrawFigureWithDialog(c.tool, c.start, c.end);

    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(CountFigures(), MaxLabelFigures);
    EXPECT_EQ(ui.OnlyMessage(), "Label can't hold more than 500 figures");
    EXPECT_EQ(DialogAccepted, 0);
    EXPECT_EQ(redraws, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Tools, DrawWithDialog,
    ::testing::Values(DrawCase{0, "TextDlg", "Draw Text", {30, 50}, {90, 70}, "30,50"},
                      DrawCase{1, "BarcodeDlg", "Draw Barcode", {-20, 10}, {90, 70}, "-20,10"},
                      DrawCase{2, "BarDlg", "Draw Rectangle", {90, 70}, {30, 50}, "30,50,60,20"},
                      DrawCase{3, "LineDlg", "Draw Diagonal Line", {30, 50}, {30, 50}, "46,66,30,50"},
                      DrawCase{4, "BoxDlg", "Draw Box", {30, 50}, {30, 50}, "30,50,42,62"},
                      DrawCase{7, "Pdf417Dlg", "Draw barcode PDF417", {30, 50}, {31, 51}, "30,50,170,12"}));

TEST_F(FigureDialogTest, TheDrawnFigureTakesTheTypedValues)
{
    WhenModalNamed("BarDlg", [](QWidget* dialog) {
        EXPECT_EQ(Text(dialog, "RectLeft"), "10");
        EXPECT_EQ(Text(dialog, "RectWidth"), "4");
        SetText(dialog, "RectWidth", "250");
        Choose(dialog, "RectColor", 2);
        ClickOk(dialog);
    });
    DrawFigureWithDialog(2, {10, 20}, {10, 20});
    ASSERT_EQ(CountFigures(), 1u);
    const TBarFigure& bar = FigureList.FigureTail->Bar();
    EXPECT_EQ(bar.X, 10);
    EXPECT_EQ(bar.Width, 250);
    EXPECT_EQ(bar.Height, 4);
    EXPECT_EQ(bar.Mode, 2);
    // The template keeps the accepted values for the next figure.
    EXPECT_EQ(BarTemplate.Width, 250);
    EXPECT_EQ(BarTemplate.Mode, 2);
}

TEST_F(FigureDialogTest, ADragOnTheCanvasOpensTheToolsDialogRelativeToTheReferencePoint)
{
    LabelSetup.LeftMargin = 8;
    LabelSetup.TopMargin = 16;
    EditorState.DrawingTool = 4;
    QString caption;
    WhenModalNamed("BoxDlg", [&caption](QWidget* dialog) {
        caption = dialog->windowTitle();
        ClickOk(dialog);
    });
    EditorMouseDown(TMouseButton::Left, false, 108, 116);
    EditorMouseMove(208, 216);
    EditorMouseUp(208, 216);
    EXPECT_EQ(caption, "Draw Box");
    ASSERT_EQ(CountFigures(), 1u);
    EXPECT_EQ(Geometry(*FigureList.FigureTail), "100,100,200,200");
}

// One figure of each kind with values other than the templates' defaults.
std::vector<TFigurePayload> SampleFigures()
{
    TTextFigure text{11, 12, 2, 3, 1, 0x181, 1, 77, {}};
    text.Data = "\"Hello\"";
    TBarcodeFigure barcode{3, 21, 22, 60, 1, 4, 3, 2, 19, 88, {}};
    barcode.Data = "\"ABC\"";
    TPdf417Figure pdf;
    pdf.X = 5;
    pdf.Y = 6;
    pdf.MaxWidth = 200;
    pdf.MaxHeight = 100;
    pdf.MaxCols = 10;
    pdf.MaxRows = 20;
    pdf.SecurityLevel = 3;
    pdf.Compaction = 1;
    pdf.Position = 0;
    pdf.ModuleWidth = 3;
    pdf.ModuleHeight = 9;
    pdf.Rotation = 2;
    pdf.Data = "\"own text\"";
    return {text, barcode, TBarFigure{31, 32, 33, 34, 1}, TLineFigure{41, 42, 43, 44, 5, 2},
            TBoxFigure{51, 52, 53, 54, 6}, pdf};
}

// The first field of each kind's dialog and the template value it shows.
struct FirstField {
    const char* dialog;
    const char* control;
};

FirstField FirstFieldOf(TFigureKind kind)
{
    switch (kind) {
    case TFigureKind::Text: return {"TextDlg", "StartX"};
    case TFigureKind::Barcode: return {"BarcodeDlg", "StartX"};
    case TFigureKind::Bar: return {"BarDlg", "RectLeft"};
    case TFigureKind::Line: return {"LineDlg", "StartX"};
    case TFigureKind::Box: return {"BoxDlg", "BoxLeft"};
    case TFigureKind::Pdf417: return {"Pdf417Dlg", "StartX"};
    default: return {"?", "?"};
    }
}

// The figure's X (X1 for lines and boxes): its dialog's first field.
std::int16_t& FirstXOf(TFigurePayload& payload)
{
    switch (KindOf(payload)) {
    case TFigureKind::Text: return std::get<TTextFigure>(payload).X;
    case TFigureKind::Barcode: return std::get<TBarcodeFigure>(payload).X;
    case TFigureKind::Bar: return std::get<TBarFigure>(payload).X;
    case TFigureKind::Line: return std::get<TLineFigure>(payload).X1;
    case TFigureKind::Box: return std::get<TBoxFigure>(payload).X1;
    default: return std::get<TPdf417Figure>(payload).X;
    }
}

std::int16_t FirstX(TFigurePayload payload)
{
    return FirstXOf(payload);
}

void SetFirstX(TFigurePayload& payload, std::int16_t x)
{
    FirstXOf(payload) = x;
}

// The extents the renderer writes back after each drawing.
void ClearMeasuredFields(TFigurePayload& payload)
{
    if (auto* text = std::get_if<TTextFigure>(&payload)) {
        text->RenderedWidth = 0;
    }
    if (auto* barcode = std::get_if<TBarcodeFigure>(&payload)) {
        barcode->ModuleCount = 0;
        barcode->RenderedWidth = 0;
    }
}

TEST_F(FigureDialogTest, EditingChangesTheFigureAndAppendsNothing)
{
    for (const TFigurePayload& sample : SampleFigures()) {
        ClearFigureList();
        TFigure* figure = Add(sample);
        Add(TBarFigure{0, 0, 4, 4, 0});
        const FirstField field = FirstFieldOf(figure->Kind());
        QString shown;
        QString caption;
        WhenModalNamed(field.dialog, [&](QWidget* dialog) {
            shown = Text(dialog, field.control);
            caption = dialog->windowTitle();
            SetText(dialog, field.control, "-300");
            ClickOk(dialog);
        });
        EXPECT_TRUE(EditFigureWithDialog(*figure)) << field.dialog;
        EXPECT_TRUE(caption.startsWith("Edit ")) << caption.toStdString();
        EXPECT_EQ(CountFigures(), 2u) << field.dialog;
        EXPECT_EQ(AddNewFigure, 1);
        EXPECT_EQ(shown.toInt(), FirstX(sample)) << field.dialog;
        // The typed X went in, everything else came back as it was, apart
        // from what the redraw measures anew.
        TFigure expected;
        expected.Payload = sample;
        SetFirstX(expected.Payload, -300);
        ClearMeasuredFields(expected.Payload);
        ClearMeasuredFields(figure->Payload);
        EXPECT_EQ(Snapshot(*figure), Snapshot(expected)) << field.dialog;
    }
}

TEST_F(FigureDialogTest, CancelledEditLeavesTheFigureByteIdentical)
{
    for (const TFigurePayload& sample : SampleFigures()) {
        ClearFigureList();
        TFigure* figure = Add(sample);
        const std::string before = Snapshot(*figure);
        const FirstField field = FirstFieldOf(figure->Kind());
        for (bool useEsc : {false, true}) {
            WhenModalNamed(field.dialog, [&](QWidget* dialog) {
                SetText(dialog, field.control, "99");
                for (QComboBox* box : dialog->findChildren<QComboBox*>()) {
                    box->setCurrentIndex(0);
                }
                if (useEsc) {
                    QTest::keyClick(dialog, Qt::Key_Escape);
                } else {
                    ClickCancel(dialog);
                }
            });
            EXPECT_FALSE(EditFigureWithDialog(*figure)) << field.dialog;
            EXPECT_EQ(Snapshot(*figure), before) << field.dialog;
            EXPECT_EQ(CountFigures(), 1u);
            EXPECT_EQ(AddNewFigure, 1);
        }
    }
    EXPECT_EQ(redraws, 0);
}

TEST_F(FigureDialogTest, ARightClickEditsTheFigureUnderTheCursor)
{
    TFigure* bar = Add(TBarFigure{20, 20, 40, 40, 0});
    WhenModalNamed("BarDlg", [](QWidget* dialog) {
        SetText(dialog, "RectHeight", "7");
        ClickOk(dialog);
    });
    EditorMouseDown(TMouseButton::Right, false, 30, 30);
    EXPECT_EQ(bar->Bar().Height, 7);
    EXPECT_EQ(CountFigures(), 1u);
    EXPECT_EQ(redraws, 1);
}

TEST_F(FigureDialogTest, Pdf417TextsStayWithTheirFigures)
{
    for (const char* data : {"\"first\"", "\"second\""}) {
        WhenModalNamed("Pdf417Dlg", [data](QWidget* dialog) {
            SetText(dialog, "DataStr", data);
            ClickOk(dialog);
        });
        DrawFigureWithDialog(7, {10, 10}, {300, 100});
    }
    ASSERT_EQ(CountFigures(), 2u);
    TFigure* first = FigureList.FigureHead;
    TFigure* second = FigureList.FigureTail;
    EXPECT_EQ(first->Pdf417().Data, "\"first\"");
    EXPECT_EQ(second->Pdf417().Data, "\"second\"");
    EXPECT_EQ(Pdf417DataBuffer, "\"second\"");

    // Editing shows the figure's own text and changes only that figure.
    QString shown;
    WhenModalNamed("Pdf417Dlg", [&shown](QWidget* dialog) {
        shown = Text(dialog, "DataStr");
        SetText(dialog, "DataStr", "\"changed\"");
        ClickOk(dialog);
    });
    EditFigureWithDialog(*first);
    EXPECT_EQ(shown, "\"first\"");
    EXPECT_EQ(first->Pdf417().Data, "\"changed\"");
    EXPECT_EQ(second->Pdf417().Data, "\"second\"");

    // The next drawing proposes the last text through the buffer.
    WhenModalNamed("Pdf417Dlg", [&shown](QWidget* dialog) {
        shown = Text(dialog, "DataStr");
        ClickOk(dialog);
    });
    DrawFigureWithDialog(7, {0, 0}, {0, 0});
    EXPECT_EQ(shown, "\"changed\"");
    EXPECT_EQ(FigureList.FigureTail->Pdf417().Data, "\"changed\"");
    first->Pdf417().Data = "x";
    EXPECT_EQ(FigureList.FigureTail->Pdf417().Data, "\"changed\"");
}

TEST_F(FigureDialogTest, TheProgramStartPdf417TextIsProposed)
{
    EXPECT_EQ(Pdf417DataBuffer, "\"PDF417\"");
    WhenModalNamed("Pdf417Dlg", [](QWidget* dialog) { ClickOk(dialog); });
    DrawFigureWithDialog(7, {0, 0}, {0, 0});
    ASSERT_EQ(CountFigures(), 1u);
    EXPECT_EQ(FigureList.FigureTail->Pdf417().Data, "\"PDF417\"");
}

TEST_F(FigureDialogTest, TheSelectionToolAndSoftFontsOpenNoDialog)
{
    DrawFigureWithDialog(SelectionTool, {0, 0}, {10, 10});
    DrawFigureWithDialog(6, {0, 0}, {10, 10});
    TSoftFontFigure font;
    font.Letter = "A";
    TFigure* soft = Add(font);
    EXPECT_FALSE(EditFigureWithDialog(*soft));
    EXPECT_EQ(CountFigures(), 1u);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace zk::test
