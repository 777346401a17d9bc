// Every numeric field of the figure dialogs takes a typed value only when
// it is a number within the field's bounds; otherwise the template keeps
// its value, silently, and OK still closes the dialog as accepted.

#include <gtest/gtest.h>

#include "tests/ui/dialogs/dialog_fixture.h"
#include "ui/dialogs/bar_dlg.h"
#include "ui/dialogs/barcode_dlg.h"
#include "ui/dialogs/box_dlg.h"
#include "ui/dialogs/line_dlg.h"
#include "ui/dialogs/pdf417_dlg.h"
#include "ui/dialogs/picture_dlg.h"
#include "ui/dialogs/text_dlg.h"

namespace zk::test {
namespace {

enum class Dlg { Text, Barcode, Bar, Box, Line, Picture, Pdf417 };

struct BoundsCase {
    Dlg dialog;
    const char* control;
    const char* typed;
    int expected;  // the template field after OK
};

void PrintTo(const BoundsCase& c, std::ostream* os)
{
    *os << c.control << " \"" << c.typed << "\" -> " << c.expected;
}

TFigureDialog* Prepare(Dlg dialog)
{
    switch (dialog) {
    case Dlg::Text: PrepareTextDialog(true); return TextDlg;
    case Dlg::Barcode: PrepareBarcodeDialog(true); return BarcodeDlg;
    case Dlg::Bar: PrepareBarDialog(true); return BarDlg;
    case Dlg::Box: PrepareBoxDialog(true); return BoxDlg;
    case Dlg::Line: PrepareLineDialog(true); return LineDlg;
    case Dlg::Picture: PreparePictureDialog(true); return PictureDlg;
    case Dlg::Pdf417: PreparePdf417Dialog(true); return Pdf417Dlg;
    }
    return nullptr;
}

// The template field behind a control.
int Field(Dlg dialog, const std::string& control)
{
    switch (dialog) {
    case Dlg::Text:
        return control == "StartX" ? TextTemplate.X : TextTemplate.Y;
    case Dlg::Barcode:
        return control == "StartX" ? BarcodeTemplate.X : control == "StartY" ? BarcodeTemplate.Y : BarcodeTemplate.Height;
    case Dlg::Bar:
        return control == "RectLeft"  ? BarTemplate.X
               : control == "RectTop" ? BarTemplate.Y
               : control == "RectWidth" ? BarTemplate.Width
                                        : BarTemplate.Height;
    case Dlg::Box:
        return control == "BoxLeft"    ? BoxTemplate.X1
               : control == "BoxTop"   ? BoxTemplate.Y1
               : control == "BoxRight" ? BoxTemplate.X2
               : control == "BoxBottom" ? BoxTemplate.Y2
                                        : BoxTemplate.Thickness;
    case Dlg::Line:
        return control == "StartX"   ? LineTemplate.X1
               : control == "StartY" ? LineTemplate.Y1
               : control == "EndX"   ? LineTemplate.X2
               : control == "EndY"   ? LineTemplate.Y2
                                     : LineTemplate.Thickness;
    case Dlg::Picture:
        return control == "StartX" ? PictureTemplate.X : PictureTemplate.Y;
    case Dlg::Pdf417: {
        const TPdf417Figure& t = Pdf417Template;
        if (control == "StartX") return t.X;
        if (control == "StartY") return t.Y;
        if (control == "MaxWidth") return t.MaxWidth;
        if (control == "MaxHeight") return t.MaxHeight;
        if (control == "ModWidth") return t.ModuleWidth;
        if (control == "ModHeight") return t.ModuleHeight;
        if (control == "MaxRows") return t.MaxRows;
        return t.MaxCols;
    }
    }
    return 0;
}

class FieldBounds : public FigureDialogTest, public ::testing::WithParamInterface<BoundsCase> {};

TEST_P(FieldBounds, OutOfRangeOrNoNumberKeepsTheOldValue)
{
    const BoundsCase& c = GetParam();
    AddNewFigure = 0;  // editing: OK only updates the template
    TFigureDialog* dialog = Prepare(c.dialog);
    SetText(dialog, c.control, c.typed);
    ClickOk(dialog);
    EXPECT_EQ(Field(c.dialog, c.control), c.expected);
    EXPECT_EQ(DialogAccepted, 1);
    EXPECT_EQ(CountFigures(), 0u);
}

// The program-start templates hold 40 for every position, a text and
// barcode height of 80, a bar of 100 x 20, boxes and lines 4 thick, and a
// PDF417 symbol of 170 x 64 with modules 6 x 24, 30 rows and 16 columns.
INSTANTIATE_TEST_SUITE_P(
    Text, FieldBounds,
    ::testing::Values(BoundsCase{Dlg::Text, "StartX", "607", 607}, BoundsCase{Dlg::Text, "StartX", "608", 40},
                      BoundsCase{Dlg::Text, "StartX", "-607", -607}, BoundsCase{Dlg::Text, "StartX", "-608", 40},
                      BoundsCase{Dlg::Text, "StartX", "abc", 40}, BoundsCase{Dlg::Text, "StartX", "", 40},
                      BoundsCase{Dlg::Text, "StartX", " 12 ", 12}, BoundsCase{Dlg::Text, "StartX", "12a", 40},
                      BoundsCase{Dlg::Text, "StartY", "1639", 1639}, BoundsCase{Dlg::Text, "StartY", "1640", 40}));

INSTANTIATE_TEST_SUITE_P(
    Barcode, FieldBounds,
    ::testing::Values(BoundsCase{Dlg::Barcode, "StartX", "608", 40}, BoundsCase{Dlg::Barcode, "StartY", "1999", 1999},
                      BoundsCase{Dlg::Barcode, "StartY", "2000", 40}, BoundsCase{Dlg::Barcode, "BHeight", "24", 24},
                      BoundsCase{Dlg::Barcode, "BHeight", "23", 80}, BoundsCase{Dlg::Barcode, "BHeight", "200", 200},
                      BoundsCase{Dlg::Barcode, "BHeight", "201", 80}));

INSTANTIATE_TEST_SUITE_P(
    Bar, FieldBounds,
    ::testing::Values(BoundsCase{Dlg::Bar, "RectLeft", "-607", -607}, BoundsCase{Dlg::Bar, "RectTop", "1999", 1999},
                      BoundsCase{Dlg::Bar, "RectTop", "-2000", 40}, BoundsCase{Dlg::Bar, "RectWidth", "0", 0},
                      BoundsCase{Dlg::Bar, "RectWidth", "608", 608}, BoundsCase{Dlg::Bar, "RectWidth", "609", 100},
                      BoundsCase{Dlg::Bar, "RectWidth", "-1", 100}, BoundsCase{Dlg::Bar, "RectHeight", "2000", 2000},
                      BoundsCase{Dlg::Bar, "RectHeight", "2001", 20}));

INSTANTIATE_TEST_SUITE_P(
    Box, FieldBounds,
    ::testing::Values(BoundsCase{Dlg::Box, "BoxLeft", "607", 607}, BoundsCase{Dlg::Box, "BoxTop", "1539", 1539},
                      BoundsCase{Dlg::Box, "BoxTop", "1639", 40}, BoundsCase{Dlg::Box, "BoxRight", "608", 140},
                      BoundsCase{Dlg::Box, "BoxBottom", "-1540", 90}, BoundsCase{Dlg::Box, "BoxThickness", "1", 1},
                      BoundsCase{Dlg::Box, "BoxThickness", "0", 4}, BoundsCase{Dlg::Box, "BoxThickness", "40", 40},
                      BoundsCase{Dlg::Box, "BoxThickness", "41", 4}));

INSTANTIATE_TEST_SUITE_P(
    Line, FieldBounds,
    ::testing::Values(BoundsCase{Dlg::Line, "StartX", "-607", -607}, BoundsCase{Dlg::Line, "StartY", "1539", 1539},
                      BoundsCase{Dlg::Line, "StartY", "1540", 40}, BoundsCase{Dlg::Line, "EndX", "x", 140},
                      BoundsCase{Dlg::Line, "EndY", "-1539", -1539}, BoundsCase{Dlg::Line, "LineThickness", "41", 4},
                      BoundsCase{Dlg::Line, "LineThickness", "1", 1}));

INSTANTIATE_TEST_SUITE_P(Picture, FieldBounds,
                         ::testing::Values(BoundsCase{Dlg::Picture, "StartX", "607", 607},
                                           BoundsCase{Dlg::Picture, "StartX", "608", 40},
                                           BoundsCase{Dlg::Picture, "StartY", "1539", 1539},
                                           BoundsCase{Dlg::Picture, "StartY", "1540", 40}));

INSTANTIATE_TEST_SUITE_P(
    Pdf417, FieldBounds,
    ::testing::Values(BoundsCase{Dlg::Pdf417, "StartX", "-607", -607},
                      BoundsCase{Dlg::Pdf417, "StartX", "123456", 40},  // the edit keeps 5 characters: 12345
                      BoundsCase{Dlg::Pdf417, "StartY", "1540", 40}, BoundsCase{Dlg::Pdf417, "MaxWidth", "0", 0},
                      BoundsCase{Dlg::Pdf417, "MaxWidth", "607", 607}, BoundsCase{Dlg::Pdf417, "MaxWidth", "608", 170},
                      BoundsCase{Dlg::Pdf417, "MaxWidth", "-1", 170}, BoundsCase{Dlg::Pdf417, "MaxHeight", "1539", 1539},
                      BoundsCase{Dlg::Pdf417, "MaxHeight", "1540", 64}, BoundsCase{Dlg::Pdf417, "ModWidth", "2", 2},
                      BoundsCase{Dlg::Pdf417, "ModWidth", "8", 8}, BoundsCase{Dlg::Pdf417, "ModWidth", "1", 6},
                      BoundsCase{Dlg::Pdf417, "ModWidth", "9", 6}, BoundsCase{Dlg::Pdf417, "ModHeight", "4", 4},
                      BoundsCase{Dlg::Pdf417, "ModHeight", "99", 99}, BoundsCase{Dlg::Pdf417, "ModHeight", "100", 24},
                      BoundsCase{Dlg::Pdf417, "ModHeight", "3", 24}, BoundsCase{Dlg::Pdf417, "MaxRows", "3", 3},
                      BoundsCase{Dlg::Pdf417, "MaxRows", "90", 90}, BoundsCase{Dlg::Pdf417, "MaxRows", "91", 30},
                      BoundsCase{Dlg::Pdf417, "MaxCols", "5", 5}, BoundsCase{Dlg::Pdf417, "MaxCols", "34", 34},
                      BoundsCase{Dlg::Pdf417, "MaxCols", "4", 16}, BoundsCase{Dlg::Pdf417, "MaxCols", "35", 16}));

}  // namespace
}  // namespace zk::test
