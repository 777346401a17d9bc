// The program's file dialogs on an X server, where keys reach the name
// field's completion list through the window system.

#include <QAbstractItemView>
#include <QCompleter>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <string>

#include "tests/support/engine_fixture.h"
#include "tests/ui/modal_driver.h"
#include "ui/dialogs/info_open.h"
#include "ui/file_dialog_setup.h"

namespace zk::test {
namespace {

struct CompletionCase {
    const char* dialog;
    // What is typed: the start, taken by the name field, and the rest,
    // which the window system hands to the completion list once it is up.
    const char* start;
    const char* rest;
    // Enter on a file's name closes the dialog, on a folder's opens it.
    bool closes;
};

std::unique_ptr<QFileDialog> MakeDialog(const std::string& which)
{
    if (which == "open-picture") {
        return std::make_unique<TInfoOpen>(nullptr);
    }
    auto files = std::make_unique<QFileDialog>();
    files->setOption(QFileDialog::DontUseNativeDialog);
    SetUpFileDialog(*files);
    return files;
}

class FileDialogTest : public EngineTest, public ::testing::WithParamInterface<CompletionCase> {
protected:
    FileDialogTest()
    {
        std::ofstream(TempDir() / "photo.bmp") << "x";
        std::filesystem::create_directories(TempDir() / "pictures");
        std::ofstream(TempDir() / "pictures" / "logo.bmp") << "x";
    }
};

// Enter takes what was typed while the completion list is up: the list goes
// with the dialog, or with the name when the dialog opens a folder, instead
// of floating over the program or the dialog's own controls.
TEST_P(FileDialogTest, TheCompletionListGoesWhenEnterTakesTheTypedName)
{
    const CompletionCase& c = GetParam();
    std::unique_ptr<QFileDialog> files = MakeDialog(c.dialog);
    files->setDirectory(QString::fromStdString(TempDir().string()));
    QWidget* list = nullptr;
    bool stayed = false;
    WhenModalShows([&](QWidget*) {
        auto* name = files->findChild<QLineEdit*>("fileNameEdit");
        EXPECT_TRUE(QTest::qWaitForWindowActive(files.get()));
        // The completion offers what the folder's listing, read in the
        // background, has found so far: typed before, nothing is offered.
        auto* listing = files->findChild<QAbstractItemView*>("listView");
        const auto listed = [listing, &c] {
            const QAbstractItemModel* model = listing->model();
            for (int row = 0; row < model->rowCount(listing->rootIndex()); ++row) {
                if (model->index(row, 0, listing->rootIndex()).data().toString().startsWith(c.start)) {
                    return true;
                }
            }
            return false;
        };
        if (!QTest::qWaitFor(listed)) {
            GiveUpOnModals("the folder was never listed");
            return;
        }
        QTest::keyClicks(name, c.start);
        const bool offered = QTest::qWaitFor([&] {
            list = name->completer() != nullptr ? name->completer()->popup() : nullptr;
            return list != nullptr && list->isVisible();
        });
        if (!offered) {
            GiveUpOnModals("no completion list");
            return;
        }
        for (const char* key = c.rest; *key != '\0'; ++key) {
            QTest::keyClick(files->windowHandle(), *key);
        }
        QTest::keyClick(files->windowHandle(), Qt::Key_Return);
        if (!c.closes) {
            QTest::qWait(200);
            stayed = files->isVisible();
            EXPECT_FALSE(list->isVisible()) << "over the open folder";
            files->reject();
        }
    });
    files->exec();
    ASSERT_NE(list, nullptr);
    QTest::qWait(200);
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(stayed, !c.closes);
}

INSTANTIATE_TEST_SUITE_P(FileDialogs, FileDialogTest,
                         ::testing::Values(CompletionCase{"file", "pho", "to.bmp", true},
                                           CompletionCase{"file", "pic", "tures", false},
                                           CompletionCase{"open-picture", "pho", "to.bmp", true},
                                           CompletionCase{"open-picture", "pic", "tures", false}),
                         [](const auto& info) {
                             return std::string(info.param.dialog == std::string("file") ? "File" : "OpenPicture") +
                                    (info.param.closes ? "FileName" : "Folder");
                         });

}  // namespace
}  // namespace zk::test
