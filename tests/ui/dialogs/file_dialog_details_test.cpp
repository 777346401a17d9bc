// Every file dialog of the program shows a file's details (size, kind,
// date) whole in their columns: the picture dialog's file choice and the
// open and save dialogs the engine asks for, like the open-picture dialog.

#include <QFileDialog>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

#include "engine/report/file_dialog_options.h"
#include "tests/ui/dialogs/dialog_fixture.h"
#include "tests/ui/dialogs/file_details_fit.h"
#include "tests/ui/modal_driver.h"
#include "ui/dialogs/picture_dlg.h"
#include "ui/qt_ui_services.h"

namespace zk {
namespace {

class FileDialogDetailsTest : public test::FigureDialogTest {
protected:
    FileDialogDetailsTest() { std::ofstream(TempDir() / Name.toStdString()) << std::string(11800, 'x'); }

    const QString Name = "photo.bmp";
};

TEST_F(FileDialogDetailsTest, ThePictureDialogsFileChoice)
{
    QFileDialog* files = PictureDlg->OpenPictDlg;
    files->setDirectory(QString::fromStdString(TempDir().string()));
    files->show();
    test::ExpectFileDetailsShowWhole(*files, Name);
    files->hide();
}

TEST_F(FileDialogDetailsTest, TheEnginesOpenAndSaveDialogs)
{
    QtUiServices services;
    FileDialogOptions options;
    options.title = "Pictures";
    options.filter = "Bitmaps (*.bmp)|*.BMP";
    options.initialDir = TempDir().string() + "/";
    for (const bool open : {true, false}) {
        SCOPED_TRACE(open ? "open" : "save");
        int looked = 0;
        test::WhenModalShows([&](QWidget* modal) {
            auto* files = qobject_cast<QFileDialog*>(modal);
            ASSERT_NE(files, nullptr);
            test::ExpectFileDetailsShowWhole(*files, Name);
            ++looked;
            files->reject();
        });
        open ? services.OpenFileDialog(options) : services.SaveFileDialog(options);
        EXPECT_EQ(looked, 1);
    }
}

}  // namespace
}  // namespace zk
