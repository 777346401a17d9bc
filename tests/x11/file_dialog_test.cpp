// The program's file dialogs on an X server, where keys reach the name
// field's completion list through the window system.

#include <QAbstractItemView>
#include <QCompleter>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

#include "tests/support/engine_fixture.h"
#include "tests/ui/modal_driver.h"
#include "ui/file_dialog_setup.h"

namespace zk::test {
namespace {

class FileDialogTest : public EngineTest {};

// A name typed and taken with Enter while the completion list is up: the
// list goes with the dialog instead of floating over the program.
TEST_F(FileDialogTest, TheCompletionListClosesWithTheDialog)
{
    std::ofstream(TempDir() / "photo.bmp") << "x";
    QFileDialog files;
    files.setOption(QFileDialog::DontUseNativeDialog);
    SetUpFileDialog(files);
    files.setDirectory(QString::fromStdString(TempDir().string()));
    QWidget* list = nullptr;
    WhenModalShows([&](QWidget*) {
        auto* name = files.findChild<QLineEdit*>("fileNameEdit");
        EXPECT_TRUE(QTest::qWaitForWindowActive(&files));
        QTest::keyClicks(name, "pho");
        const bool listed = QTest::qWaitFor([&] {
            list = name->completer() != nullptr ? name->completer()->popup() : nullptr;
            return list != nullptr && list->isVisible();
        });
        if (!listed) {
            GiveUpOnModals("no completion list");
            return;
        }
        // The rest arrives as the window system delivers keys: to the list.
        for (const char c : std::string("to.bmp")) {
            QTest::keyClick(files.windowHandle(), c);
        }
        QTest::keyClick(files.windowHandle(), Qt::Key_Return);
    });
    files.exec();
    ASSERT_NE(list, nullptr);
    QTest::qWait(200);
    EXPECT_FALSE(list->isVisible());
}

}  // namespace
}  // namespace zk::test
