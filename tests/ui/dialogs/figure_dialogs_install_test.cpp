// The main window creates the figure dialogs at start-up and connects them
// to the canvas; they go with the window.

#include <gtest/gtest.h>

#include "tests/ui/dialogs/dialog_fixture.h"
#include "tests/ui/main_window_fixture.h"
#include "ui/dialogs/bar_dlg.h"
#include "ui/dialogs/barcode_dlg.h"
#include "ui/dialogs/box_dlg.h"
#include "ui/dialogs/line_dlg.h"
#include "ui/dialogs/pdf417_dlg.h"
#include "ui/dialogs/picture_dlg.h"
#include "ui/dialogs/text_dlg.h"

namespace zk::test {
namespace {

class FigureDialogsInstallTest : public MainWindowTest {};

TEST_F(FigureDialogsInstallTest, StartUpCreatesTheDialogsAndConnectsTheCanvas)
{
    TZKedit& w = MakeWindow();
    const std::vector<QWidget*> dialogs{TextDlg, BarcodeDlg, BarDlg, BoxDlg, LineDlg, PictureDlg, Pdf417Dlg};
    for (QWidget* dialog : dialogs) {
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->parentWidget(), &w);
    }
    EXPECT_TRUE(static_cast<bool>(EditingHooks.DrawFigure));
    EXPECT_TRUE(static_cast<bool>(EditingHooks.EditFigure));
    EXPECT_TRUE(static_cast<bool>(EditingHooks.FillFontList));
    EXPECT_EQ(AddNewFigure, 1);

    // The dialog is placed over the main window before it shows.
    QPoint shownAt;
    WhenModalNamed("LineDlg", [&shownAt](QWidget* dialog) {
        shownAt = dialog->pos();
        static_cast<TFigureDialog*>(dialog)->OkBt()->click();
    });
    EditingHooks.DrawFigure(3, {10, 10}, {100, 60});
    EXPECT_EQ(CountFigures(), 1u);
    const QPoint before = LineDlg->pos();
    w.PlaceDialog(-1, 0, LineDlg);
    EXPECT_EQ(LineDlg->pos(), before);
    EXPECT_EQ(shownAt, before);

    window.reset();
    EXPECT_EQ(TextDlg, nullptr);
    EXPECT_EQ(Pdf417Dlg, nullptr);
    DrawFigureWithDialog(0, {0, 0}, {0, 0});  // no dialog left: nothing happens
    EXPECT_EQ(CountFigures(), 1u);
    ResetEditorState();
}

}  // namespace
}  // namespace zk::test
